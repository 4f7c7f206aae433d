// The window's own commands (options, About, help), the help buttons of the explorer's
// dialogs, and the toolbar, whose buttons are always enabled and run the commands'
// handlers, which check their own conditions.
#include "whole_window_fixture.h"

#include "editor/albums/form_collec_explorer.h"
#include "editor/explorer/explorer_dialogs.h"
#include "editor/explorer/form_new_dir.h"
#include "editor/shell/form_option.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"

#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QToolBar>

using namespace editor;
using walk_test::ModalAnswerer;
using walk_test::WholeWindowTest;
using Mode = ModalAnswerer::Mode;

namespace {

QString helpPage()
{
    HelpViewer *viewer = currentHelpViewer();
    return viewer && viewer->isVisible() ? viewer->browser()->source().path() : QString();
}

} // namespace

class ShellWalkTest : public WholeWindowTest {
protected:
    // Presses the toolbar button named SpeedB_<name>.
    void click(const char *name, Mode mode = Mode::Main)
    {
        auto *bar = window().findChild<QToolBar *>(QStringLiteral("ToolBar"));
        QAction *button = bar->findChild<QAction *>(QStringLiteral("SpeedB_") + QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        answerWith(mode);
        button->trigger();
        settle();
        answerWith(Mode::Main);
    }
};

TEST_F(ShellWalkTest, OptionsAboutAndHelp)
{
    m_answerer.mainAnswers[QStringLiteral("TFormOption")] = [](QDialog &dialog) {
        dynamic_cast<TFormOption &>(dialog).CheckInfos->setChecked(false);
    };
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::Option, Mode::Cancel));
    EXPECT_TRUE(window().settings().InfoVignette);
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::Option));
    EXPECT_FALSE(window().settings().InfoVignette);
    EXPECT_EQ(m_answerer.helpPages, QStringList({"TFormOption: options.htm", "TFormOption: options.htm"}));

    ASSERT_TRUE(choose(MenuId::Aide, CommandId::AProposde));
    EXPECT_EQ(m_answerer.seen.back(), QStringLiteral("AboutDialog"));
    press(Qt::Key_F1);
    EXPECT_EQ(helpPage(), QStringLiteral("/home.htm"));
    ASSERT_TRUE(choose(MenuId::Aide, CommandId::HelpAuthor));
    EXPECT_EQ(helpPage(), QStringLiteral("/auteur.htm"));
    currentHelpViewer()->close();
    ASSERT_TRUE(choose(MenuId::Aide, CommandId::Help));
    EXPECT_EQ(helpPage(), QStringLiteral("/home.htm"));
}

TEST_F(ShellWalkTest, TheExplorerDialogsOpenTheirHelpPages)
{
    WidgetDialogs dialogs(&window());
    m_answerer.mode = Mode::Cancel;
    EXPECT_EQ(dialogs.askNewFolder(), std::nullopt);
    EXPECT_EQ(dialogs.askBatchRename(), std::nullopt);
    EXPECT_EQ(m_answerer.helpPages, QStringList({"TFormNewDir: newdir.htm", "TFormRename: rename.htm"}));
    m_answerer.mode = Mode::Main;
    m_answerer.mainAnswers[QStringLiteral("TFormNewDir")] = [](QDialog &dialog) {
        QTest::keyClicks(dynamic_cast<TFormNewDir &>(dialog).EditDir, QStringLiteral("vacances"));
    };
    EXPECT_EQ(dialogs.askNewFolder(), QStringLiteral("vacances"));
}

TEST_F(ShellWalkTest, ToolbarButtonsRunTheCommandsOfTheActiveTab)
{
    // Folders: back, forward, parent, refresh.
    showFolder(photo("sub"));
    click("back");
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));
    click("forward");
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(photo("sub")));
    click("parent");
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));
    QImage(30, 20, QImage::Format_RGB32).save(photo("d.png"));
    click("refresh");
    EXPECT_EQ(photoNames(), QStringList({"a.jpg", "b.png", "c.bmp", "d.png"}));

    // Files: on the album tab, cutting and deleting do nothing; copying takes the album's pictures.
    openAlbumWith({"a.jpg", "b.png"});
    clickAlbumEntry(1);
    click("cut");
    EXPECT_FALSE(window().stateProvider().pendingPaste());
    click("delete");
    EXPECT_TRUE(QFile::exists(photo("b.png")));
    click("copy");
    EXPECT_TRUE(window().stateProvider().pendingPaste());
    window().setActiveTab(1);
    showFolder(photo("sub"));
    click("paste");
    EXPECT_TRUE(QFile::exists(photo("sub/b.png")));
    clickPhoto("b.png");
    click("delete");
    EXPECT_FALSE(QFile::exists(photo("sub/b.png")));

    // The show: new, save, options, build.
    click("new_show", Mode::Cancel);
    EXPECT_FALSE(showArea().document().isOpen());
    m_showDialogs->saves.push_back(file("show.dap"));
    click("new_show");
    ASSERT_TRUE(showArea().document().isOpen());
    m_showDialogs->images.push_back({photo("a.jpg")});
    window().setActiveTab(2);
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::AddFileLumiv));
    click("save_show");
    EXPECT_TRUE(QFile::exists(file("show.dap")));
    click("show_options");
    EXPECT_EQ(m_answerer.seen.back(), QStringLiteral("TFormProjet"));
    click("build_show");
    EXPECT_EQ(m_launched, QStringList({file("show.exe")}));
    window().setActiveTab(1);
    click("build_show"); // the show is built from the show tab only
    EXPECT_EQ(m_launched.size(), 1);
    m_showDialogs->opens.push_back(file("show.dap"));
    click("open_show");
    EXPECT_EQ(showArea().document().path, file("show.dap"));

    // The album: save, new, open; the album explorer needs the albums' folder.
    window().setActiveTab(3);
    click("save_album");
    EXPECT_TRUE(QFile::exists(file("album.ccl")));
    m_albumDialogs->albumFiles.push_back(file("autre.ccl"));
    click("new_album");
    EXPECT_EQ(albumArea().fileName(), file("autre.ccl"));
    m_albumDialogs->albumFiles.push_back(file("album.ccl"));
    click("open_album");
    EXPECT_EQ(albumArea().images().count(), 2);
    window().settings().Rep_Collec = m_work.path();
    click("album_explorer");
    ASSERT_NE(albumArea().collecExplorer(), nullptr);
    albumArea().collecExplorer()->close();

    // Common: rotation and the full-screen views follow the active tab.
    clickAlbumEntry(0);
    click("rotate_right");
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(48, 64));
    window().setActiveTab(2);
    click("rotate_left"); // no slide selected: nothing
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(48, 64));
    clickSlide(0);
    click("rotate_left");
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(64, 48));
    m_answerer.seen.clear();
    click("full_screen");
    click("instant_show");
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormView", "TFormView"}));
}
