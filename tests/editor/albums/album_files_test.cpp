// Creating, opening and saving albums from the album tab, the question before leaving a
// modified album, and the album explorer.
#include "album_window_fixture.h"

#include "documents/album/album_list.h"
#include "editor/albums/form_collec_explorer.h"
#include "editor/shell/close_questions.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"

#include <QListWidget>
#include <QPushButton>

using namespace album_gui_test;
using messages::Answer;

namespace {

const QString kNotCompatible = QStringLiteral("Fichier non compatible avec cette version de Lumivelle");

void makeReadOnly(const QString &path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace

TEST_F(AlbumWindowTest, NewAddSaveReopen)
{
    const QString path = file("nouveau.ccl");
    m_dialogs->albumFiles.push_back(path);
    area().NewCollecExecute();
    EXPECT_EQ(area().fileName(), path);
    EXPECT_FALSE(area().isModified());
    EXPECT_FALSE(QFile::exists(path)); // nothing is written before a save
    EXPECT_FALSE(panel().EditPlace->isEnabled());

    const QString a = copyFixture("exif/exif_II_canon_flash1.jpg", "a.jpg");
    const QString b = copyFixture("images/png/png_rgb8_64x48.png", "b.png");
    m_dialogs->imageFiles.push_back({a, b, a});
    area().AddFileCollecExecute();
    ASSERT_EQ(images().count(), 2); // a path already in the album is not added twice
    EXPECT_EQ(entry(0).width, 64);
    EXPECT_EQ(entry(0).camera, QString()); // the file dialog reads no EXIF data
    EXPECT_TRUE(area().isModified());

    entry(1).comment = QStringLiteral("une image PNG");
    ASSERT_TRUE(area().SaveCollecExecute());
    EXPECT_FALSE(area().isModified());

    area().NewCollecExecute(); // cancelled file dialog: nothing changes
    EXPECT_EQ(area().fileName(), path);
    openAlbum(path);
    ASSERT_EQ(images().count(), 2);
    EXPECT_EQ(images().path(1), b);
    EXPECT_EQ(entry(1).comment, QStringLiteral("une image PNG"));
    EXPECT_EQ(images().state().currentIndex, 0); // the first entry is current and selected
    EXPECT_TRUE(entry(0).selected);
    EXPECT_TRUE(panel().EditPlace->isEnabled());
    EXPECT_EQ(panel().EditDim->text(), QStringLiteral("64 x 48"));
    EXPECT_EQ(window().activeTab(), 3);
    EXPECT_EQ(m_dialogs->titles, QStringList({"Enregistrer le nouvel album sous...", "Ajouter des images",
                                              "Enregistrer le nouvel album sous...", "Ouvrir un album"}));
}

TEST_F(AlbumWindowTest, ExistingFileIsReplacedOnlyAfterTheQuestion)
{
    const QString existing = writeAlbum("existe.ccl", 2);
    m_prompter.answers = {Answer::Cancel};
    m_dialogs->albumFiles.push_back(existing);
    area().NewCollecExecute();
    EXPECT_FALSE(area().isOpen());
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Le fichier < existe.ccl > existe déjà\nremplacer le fichier existant ?"));
    EXPECT_EQ(m_prompter.asked[0].buttons, messages::Buttons::YesCancel);

    m_dialogs->albumFiles.push_back(existing);
    area().NewCollecExecute(); // Yes
    EXPECT_EQ(area().fileName(), existing);
    EXPECT_EQ(images().count(), 0);
}

TEST_F(AlbumWindowTest, QuestionBeforeLeavingAModifiedAlbum)
{
    openAlbum(writeAlbum("un.ccl", 2));
    const QString other = writeAlbum("deux.ccl", 3);
    area().markModified();

    m_prompter.answers = {Answer::Cancel};
    openAlbum(other);
    EXPECT_EQ(images().count(), 2); // cancelled: the album stays
    EXPECT_EQ(m_prompter.asked.back().text, QStringLiteral("Enregistrer les modifications de l'album ouvert ?"));
    EXPECT_EQ(m_prompter.asked.back().buttons, messages::Buttons::YesNoCancel);
    m_dialogs->albumFiles.clear();

    m_prompter.answers = {Answer::No};
    openAlbum(other);
    EXPECT_EQ(images().count(), 3);
    EXPECT_FALSE(area().isModified());

    // Yes saves first.
    entry(0).comment = QStringLiteral("changé");
    area().markModified();
    m_prompter.answers = {Answer::Yes};
    openAlbum(file("un.ccl"));
    album::AlbumList saved;
    ASSERT_TRUE(album::loadAlbumFile(other, saved));
    EXPECT_EQ(saved.entry(0).comment, QStringLiteral("changé"));
}

TEST_F(AlbumWindowTest, YesWhoseSaveFailsAbandonsTheCommand)
{
    const QString path = writeAlbum("protégé.ccl", 2);
    openAlbum(path);
    makeReadOnly(path);
    area().markModified();
    m_prompter.answers = {Answer::Yes};
    m_dialogs->albumFiles.push_back(file("autre.ccl"));
    area().NewCollecExecute();
    EXPECT_EQ(area().fileName(), path); // the new album was not created
    EXPECT_TRUE(area().isModified());
    EXPECT_EQ(images().count(), 2);
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_TRUE(m_prompter.asked.back().text.contains(QStringLiteral("est en lecture seule")));
    EXPECT_EQ(m_dialogs->albumFiles.size(), 1u); // no file dialog was opened

    // Closing the window: the same question; the failed save keeps the window open.
    m_prompter.answers = {Answer::Yes};
    EXPECT_FALSE(editor::confirmClose(window().documents()));
    m_prompter.answers = {Answer::No};
    EXPECT_TRUE(editor::confirmClose(window().documents()));
}

TEST_F(AlbumWindowTest, SaveAsOntoAReadOnlyFileKeepsTheAlbumModified)
{
    openAlbum(writeAlbum("un.ccl", 1));
    const QString locked = writeAlbum("verrou.ccl", 3);
    makeReadOnly(locked);
    const QByteArray before = [&] { QFile f(locked); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    area().markModified();
    m_dialogs->albumFiles.push_back(locked);
    area().SaveCollecAsExecute(); // Yes to replacing, then the read-only error
    EXPECT_EQ(area().fileName(), locked);
    EXPECT_TRUE(area().isModified());
    QFile after(locked);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(AlbumWindowTest, ForeignAndDamagedAlbumsLeaveNoAlbumOpen)
{
    openAlbum(writeAlbum("bon.ccl", 2));
    const QString foreign = file("étranger.ccl");
    {
        QFile f(foreign);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x08Lumivelle\0\x04" "3000", 16);
        f.write(QByteArray(12, '\x01'));
    }
    openAlbum(foreign);
    EXPECT_FALSE(area().isOpen());
    EXPECT_EQ(images().count(), 0);
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Warning);
    EXPECT_EQ(m_prompter.asked.back().text, kNotCompatible);

    QFile damaged(writeAlbum("abîmé.ccl", 3));
    ASSERT_TRUE(damaged.resize(damaged.size() - 10));
    openAlbum(damaged.fileName());
    EXPECT_FALSE(area().isOpen());
    EXPECT_EQ(images().count(), 0);
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_EQ(m_prompter.asked.back().text, kNotCompatible);
    EXPECT_FALSE(panel().EditComment->isEnabled());

    const size_t asked = m_prompter.asked.size();
    openAlbum(file("absent.ccl")); // a chosen file that does not exist: silence
    EXPECT_EQ(m_prompter.asked.size(), asked);
}

TEST_F(AlbumWindowTest, AlbumExplorerListsOpensAndDeletes)
{
    QDir().mkpath(file("albums"));
    window().settings().Rep_Collec = file("albums");
    const QString first = writeAlbum("albums/Anniversaire.ccl", 2);
    const QString second = writeAlbum("albums/vacances.ccl", 4);
    area().ExplorerCollecExecute();
    editor::TFormCollecExplorer *explorer = area().collecExplorer();
    ASSERT_NE(explorer, nullptr);
    EXPECT_FALSE(explorer->isModal());
    ASSERT_EQ(explorer->ListCollec->count(), 2);
    EXPECT_EQ(explorer->ListCollec->item(1)->text(), QStringLiteral("vacances"));
    EXPECT_EQ(explorer->ListCollec->item(1)->data(editor::kPhotoCountRole).toInt(), 4);
    EXPECT_EQ(explorer->ListCollec->currentRow(), 0);
    EXPECT_TRUE(explorer->ButtonOuvrir->isEnabled());

    area().ExplorerCollecExecute(); // one explorer at a time
    EXPECT_EQ(area().collecExplorer(), explorer);

    QTest::mouseClick(explorer->ButtonOuvrir, Qt::LeftButton);
    EXPECT_EQ(area().fileName(), first);
    EXPECT_EQ(images().count(), 2);
    EXPECT_TRUE(explorer->isVisible()); // the explorer stays open

    // The open album cannot be deleted; another one can, after the question.
    QTest::mouseClick(explorer->ButtonSupprimer, Qt::LeftButton);
    EXPECT_EQ(m_prompter.asked.back().text, QStringLiteral("l'album doit être fermé avant de pouvoir être supprimé."));
    EXPECT_TRUE(QFile::exists(first));
    explorer->ListCollec->setCurrentRow(1);
    m_prompter.answers = {Answer::Cancel};
    QTest::mouseClick(explorer->ButtonSupprimer, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_EQ(m_prompter.asked.back().text, QStringLiteral("Supprimer définitivement l'album\n< vacances > ?"));
    QTest::mouseClick(explorer->ButtonSupprimer, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_EQ(explorer->ListCollec->count(), 1);

    QTest::mouseClick(explorer->ButtonFermer, Qt::LeftButton);
    QTest::qWait(10);
    EXPECT_EQ(area().collecExplorer(), nullptr);
}

TEST_F(AlbumWindowTest, AlbumExplorerNeedsAnExistingAlbumFolder)
{
    area().ExplorerCollecExecute();
    EXPECT_EQ(area().collecExplorer(), nullptr);
    window().settings().Rep_Collec = file("absent");
    area().ExplorerCollecExecute();
    EXPECT_EQ(area().collecExplorer(), nullptr);
    EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(AlbumWindowTest, HelpButtonsOpenTheirTopics)
{
    editor::setHelpFile(QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm"));
    ASSERT_TRUE(editor::helpFileAvailable());
    auto shownTopic = [] {
        editor::HelpViewer *viewer = editor::currentHelpViewer();
        return viewer ? viewer->browser()->source().toString() : QString();
    };
    window().settings().Rep_Collec = m_dir.path();
    writeAlbum("a.ccl", 1);
    area().ExplorerCollecExecute();
    ASSERT_NE(area().collecExplorer(), nullptr);
    QTest::mouseClick(area().collecExplorer()->ButtonAide, Qt::LeftButton);
    EXPECT_TRUE(shownTopic().endsWith(QStringLiteral("exploreralbum.htm"))) << shownTopic().toStdString();

    openAlbum(file("a.ccl"));
    m_dialogs->onRun = [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("ButtonAide")), Qt::LeftButton);
        return int(QDialog::Rejected);
    };
    area().AllInfoCollecExecute();
    EXPECT_TRUE(shownTopic().endsWith(QStringLiteral("applyinfosalbum.htm"))) << shownTopic().toStdString();
    m_dialogs->onRun = [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("ButtonHelp")), Qt::LeftButton);
        return int(QDialog::Rejected);
    };
    area().SerachCollecExecute();
    EXPECT_TRUE(shownTopic().endsWith(QStringLiteral("search.htm"))) << shownTopic().toStdString();
    EXPECT_EQ(m_dialogs->dialogsRun, 2);
}
