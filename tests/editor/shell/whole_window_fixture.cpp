#include "whole_window_fixture.h"

#include "editor/albums/album_area.h"
#include "editor/explorer/explorer_commands.h"
#include "editor/explorer/explorer_window.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"
#include "editor/show/show_area.h"
#include "editor/tools/image_tools.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace editor;

namespace walk_test {

namespace {

void writePicture(const QString &path, int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
}

// A button of the dialog's button row, found by one of its names or captions (dialogs
// rename them: "A&nnuler", "&Fermer", "&Rechercher").
QPushButton *buttonOf(QDialog &dialog, std::initializer_list<const char *> namesOrCaptions)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        for (const char *wanted : namesOrCaptions) {
            const QString text = QString::fromUtf8(wanted);
            if (button->objectName() == text || button->text() == text)
                return button;
        }
    }
    return nullptr;
}

} // namespace

QString className(const QObject &object)
{
    return QString::fromLatin1(object.metaObject()->className()).section(QStringLiteral("::"), -1);
}

ModalAnswerer::ModalAnswerer()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

void ModalAnswerer::poll()
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialog || dialog == m_working || !dialog->isVisible())
        return;
    work(*dialog);
}

int ModalAnswerer::work(QDialog &dialog)
{
    m_working = &dialog;
    const QString name = className(dialog);
    seen << name;
    if (QPushButton *help = buttonOf(dialog, {"ButtonAide", "&Aide"})) {
        help->click();
        HelpViewer *viewer = currentHelpViewer();
        helpPages << name + QStringLiteral(": ") +
                         (viewer ? viewer->browser()->source().path().section(u'/', -1) : QStringLiteral("(none)"));
        if (viewer)
            viewer->close();
    }
    bool answered = false;
    const auto watch = connect(&dialog, &QDialog::finished, this, [&answered] { answered = true; });
    if (mode == Mode::Cancel) {
        if (QPushButton *cancel = buttonOf(dialog, {"ButtonAnnuler", "ButtonCancel", "&Annuler", "A&nnuler", "&Fermer"}))
            cancel->click();
        else
            dialog.reject();
    } else {
        if (auto answer = mainAnswers.find(name); answer != mainAnswers.end())
            answer->second(dialog);
        if (!answered) {
            if (QPushButton *ok = buttonOf(dialog, {"ButtonOk"}))
                ok->click();
            else
                dialog.accept();
        }
    }
    disconnect(watch);
    m_working = nullptr;
    return dialog.result();
}

void WholeWindowTest::SetUp()
{
    ASSERT_TRUE(m_home.isValid() && m_photos.isValid() && m_work.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    QDir().mkpath(m_home.filePath(QStringLiteral("data")));
    setHelpFile(QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm"));
    ASSERT_TRUE(helpFileAvailable());

    // Pictures of three formats, one with the EXIF data of a camera, and a subfolder.
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/exif/exif_II_canon_flash1.jpg"), photo("a.jpg")));
    writePicture(photo("b.png"), 120, 80, Qt::darkGreen);
    writePicture(photo("c.bmp"), 90, 60, Qt::darkBlue);
    ASSERT_TRUE(QDir(m_photos.path()).mkdir(QStringLiteral("sub")));

    m_config = std::make_unique<ConfigFile>(m_work.filePath(QStringLiteral("Lumivelle.cfg")));
    m_window = std::make_unique<TMainLumivelle3000>(*m_config);
    m_explorer = installImageExplorer(*m_window);
    auto explorerDialogs = std::make_unique<fileops_test::ScriptedDialogs>();
    m_explorerDialogs = explorerDialogs.get();
    installExplorerCommands(*m_window, *m_explorer, std::move(explorerDialogs));
    auto showDialogs = std::make_unique<show_test::FakeShowDialogs>();
    m_showDialogs = showDialogs.get();
    m_show = installShowArea(*m_window, std::move(showDialogs));
    m_show->setPlayerPath(QStringLiteral(LUMIVELLE_BIN_DIR "/Tolvarine.bin"));
    m_show->setLauncher([this](const QString &executable) { m_launched << executable; });
    auto albumDialogs = std::make_unique<album_gui_test::QueuedDialogs>();
    m_albumDialogs = albumDialogs.get();
    m_albumDialogs->onRun = [this](QDialog &dialog) { return m_answerer.work(dialog); };
    m_album = installAlbumArea(*m_window, std::move(albumDialogs), m_work.filePath(QStringLiteral("motcle.cfg")));
    installImageTools(*m_window);
    m_web = installWebGallery(*m_window);
    m_web->chooseFile = [this](QWidget *) { return m_webFile; };
    m_web->threads = 1;

    // The batch resize's main answer also enlarges small pictures.
    m_answerer.mainAnswers[QStringLiteral("TFormRedim")] = [](QDialog &dialog) {
        if (auto *largerOnly = dialog.findChild<QCheckBox *>(QStringLiteral("CheckImgPlusGrande")))
            largerOnly->setChecked(false);
    };
    // The gallery's main answer chooses its file first.
    m_answerer.mainAnswers[QStringLiteral("TFormWeb")] = [](QDialog &dialog) {
        qobject_cast<TFormWeb *>(&dialog)->SpeedB_Open->click();
    };
    m_window->resize(1000, 700);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QTest::qWait(20); // the first-shown steps
    showFolder(m_photos.path());
}

void WholeWindowTest::TearDown()
{
    if (HelpViewer *viewer = currentHelpViewer())
        viewer->close();
    m_window.reset();
    m_config.reset();
}

void WholeWindowTest::showFolder(const QString &folder)
{
    QTreeView *tree = m_window->folderTree();
    tree->setCurrentIndex(qobject_cast<QFileSystemModel *>(tree->model())->index(folder));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QDir(m_explorer->currentFolder()) == QDir(folder); }, 5000));
    settle();
}

void WholeWindowTest::settle()
{
    auto idle = [this] {
        return !explorerList().state().busy && !m_show->slides().state().busy && !m_album->isBusy();
    };
    QTest::qWait(20);
    ASSERT_TRUE(QTest::qWaitFor(idle, 10000));
}

int WholeWindowTest::photoIndex(const QString &name)
{
    return int(photoNames().indexOf(name));
}

QStringList WholeWindowTest::photoNames()
{
    QStringList names;
    for (int i = 0; i < explorerList().count(); ++i)
        names << QFileInfo(explorerList().path(i)).fileName();
    return names;
}

void WholeWindowTest::clickPhoto(const QString &name, Qt::KeyboardModifiers modifiers)
{
    m_window->setActiveTab(1);
    ThumbnailGrid *grid = m_explorer->GrilleImage();
    const int index = photoIndex(name);
    ASSERT_GE(index, 0) << name.toStdString();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->cellRect(index).center());
}

void WholeWindowTest::clickSlide(int index, Qt::KeyboardModifiers modifiers)
{
    m_window->setActiveTab(2);
    ThumbnailGrid *grid = m_show->GrilleScript();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->cellRect(index).center());
}

void WholeWindowTest::clickAlbumEntry(int index, Qt::KeyboardModifiers modifiers)
{
    m_window->setActiveTab(3);
    ThumbnailGrid *grid = m_album->GrilleCollec();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->cellRect(index).center());
}

void WholeWindowTest::openShowWith(const QStringList &names)
{
    m_showDialogs->saves.push_back(file(QStringLiteral("show.dap")));
    m_window->command(CommandId::NewProject).execute();
    ASSERT_TRUE(m_show->document().isOpen());
    QStringList paths;
    for (const QString &name : names)
        paths << photo(name);
    if (paths.isEmpty())
        return;
    m_showDialogs->images.push_back(paths);
    m_window->setActiveTab(2);
    m_window->command(CommandId::AddFileLumiv).execute();
    settle();
    ASSERT_EQ(m_show->slides().count(), paths.size());
}

void WholeWindowTest::openAlbumWith(const QStringList &names)
{
    m_albumDialogs->albumFiles.push_back(file(QStringLiteral("album.ccl")));
    m_window->setActiveTab(3);
    m_window->command(CommandId::NewCollec).execute();
    settle();
    ASSERT_TRUE(m_album->isOpen());
    QStringList paths;
    for (const QString &name : names)
        paths << photo(name);
    if (paths.isEmpty())
        return;
    m_albumDialogs->imageFiles.push_back(paths);
    m_window->command(CommandId::AddFileCollec).execute();
    settle();
    ASSERT_EQ(m_album->images().count(), paths.size());
}

namespace {

// The item of `id` in `menu` or in one of its submenus, and the menu that holds it.
std::pair<QMenu *, QAction *> findItem(QMenu *menu, const QString &name)
{
    for (QAction *action : menu->actions()) {
        if (action->objectName() == name)
            return {menu, action};
        if (QMenu *sub = action->menu())
            if (auto found = findItem(sub, name); found.second)
                return found;
    }
    return {nullptr, nullptr};
}

} // namespace

std::map<QString, bool> WholeWindowTest::openMenu(MenuId id)
{
    QMenu *menu = m_window->menu(id);
    menu->popup(m_window->mapToGlobal(QPoint(40, 40)));
    QTest::qWait(1);
    std::map<QString, bool> enabled;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu *sub = action->menu())
            enabled[sub->actions().front()->objectName()] = action->isEnabled();
        else
            enabled[action->objectName()] = action->isEnabled();
    }
    menu->hide();
    return enabled;
}

void WholeWindowTest::answerWith(ModalAnswerer::Mode mode)
{
    m_answerer.mode = mode;
    m_prompter.answers.clear();
    if (mode == ModalAnswerer::Mode::Cancel)
        m_prompter.answers.assign(20, messages::Answer::Cancel);
}

bool WholeWindowTest::choose(MenuId id, CommandId command, ModalAnswerer::Mode mode)
{
    answerWith(mode);
    QMenu *menu = m_window->menu(id);
    menu->popup(m_window->mapToGlobal(QPoint(40, 40)));
    QTest::qWait(1);
    auto [holder, action] = findItem(menu, m_window->command(command).name());
    EXPECT_NE(action, nullptr) << "no item " << m_window->command(command).name().toStdString();
    if (!action || !action->isEnabled() || (holder != menu && !holder->menuAction()->isEnabled())) {
        menu->hide();
        return false;
    }
    if (holder != menu) {
        holder->popup(m_window->mapToGlobal(QPoint(300, 40)));
        QTest::qWait(1);
    }
    QTest::mouseClick(holder, Qt::LeftButton, {}, holder->actionGeometry(action).center());
    menu->hide();
    settle();
    answerWith(ModalAnswerer::Mode::Main);
    return true;
}

void WholeWindowTest::press(QKeyCombination key, ModalAnswerer::Mode mode)
{
    answerWith(mode);
    QTest::keyClick(m_window.get(), key.key(), key.keyboardModifiers());
    settle();
    answerWith(ModalAnswerer::Mode::Main);
}

QStringList WholeWindowTest::messages() const
{
    QStringList texts;
    for (const RecordedMessage &message : m_prompter.asked)
        texts << message.text;
    return texts;
}

} // namespace walk_test
