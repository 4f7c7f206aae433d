// The commands of the album tab chosen from their menus and keys in the whole window: each
// first with its dialogs and questions cancelled (the album stays as it was), then answered.
#include "whole_window_fixture.h"

#include "editor/albums/album_area.h"
#include "editor/albums/form_collec_explorer.h"
#include "editor/albums/form_search.h"
#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace editor;
using walk_test::ModalAnswerer;
using walk_test::WholeWindowTest;
using Mode = ModalAnswerer::Mode;

using AlbumWalkTest = WholeWindowTest;

TEST_F(AlbumWalkTest, AlbumFilesAndTheAlbumExplorer)
{
    window().setActiveTab(3);
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::NewCollec, Mode::Cancel));
    EXPECT_FALSE(albumArea().isOpen());
    m_albumDialogs->albumFiles.push_back(file("album.ccl"));
    press(Qt::CTRL | Qt::ALT | Qt::Key_N);
    ASSERT_EQ(albumArea().fileName(), file("album.ccl"));

    ASSERT_TRUE(choose(MenuId::Album, CommandId::AddFileCollec, Mode::Cancel));
    EXPECT_EQ(albumArea().images().count(), 0);
    m_albumDialogs->imageFiles.push_back({photo("a.jpg"), photo("b.png"), photo("c.bmp")});
    ASSERT_TRUE(choose(MenuId::Album, CommandId::AddFileCollec));
    EXPECT_EQ(albumArea().images().count(), 3);
    EXPECT_TRUE(albumArea().isModified());

    press(Qt::CTRL | Qt::ALT | Qt::Key_S);
    EXPECT_TRUE(QFile::exists(file("album.ccl")));
    EXPECT_FALSE(albumArea().isModified());
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveCollecAs, Mode::Cancel));
    EXPECT_EQ(albumArea().fileName(), file("album.ccl"));
    m_albumDialogs->albumFiles.push_back(file("copie.ccl"));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveCollecAs));
    EXPECT_EQ(albumArea().fileName(), file("copie.ccl"));
    EXPECT_TRUE(QFile::exists(file("copie.ccl")));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::SaveCollec));

    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::OpenCollec, Mode::Cancel));
    EXPECT_EQ(albumArea().fileName(), file("copie.ccl"));
    m_albumDialogs->albumFiles.push_back(file("album.ccl"));
    press(Qt::CTRL | Qt::ALT | Qt::Key_O);
    EXPECT_EQ(albumArea().fileName(), file("album.ccl"));
    EXPECT_EQ(albumArea().images().count(), 3);

    // The album explorer lists the albums of the default folder and stays open beside the
    // window; its "&Aide" opens its page.
    window().settings().Rep_Collec = m_work.path();
    press(Qt::CTRL | Qt::Key_F9);
    TFormCollecExplorer *explorer = albumArea().collecExplorer();
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(explorer->isVisible());
    explorer->findChild<QPushButton *>(QStringLiteral("ButtonAide"))->click();
    ASSERT_NE(currentHelpViewer(), nullptr);
    EXPECT_EQ(currentHelpViewer()->browser()->source().path(), QStringLiteral("/exploreralbum.htm"));
    explorer->close();
}

TEST_F(AlbumWalkTest, AnAlbumFromTheCommandLineOpensOnTheAlbumTab)
{
    openAlbumWith({"a.jpg", "b.png"});
    window().command(CommandId::SaveCollec).execute();
    window().command(CommandId::NewCollec).execute(); // no file chosen: the album stays
    m_albumDialogs->albumFiles.push_back(file("vide.ccl"));
    window().command(CommandId::NewCollec).execute();
    ASSERT_EQ(albumArea().images().count(), 0);
    window().setActiveTab(1);
    window().openAlbum(file("album.ccl"));
    EXPECT_EQ(albumArea().fileName(), file("album.ccl"));
    EXPECT_EQ(albumArea().images().count(), 2);
    EXPECT_EQ(window().activeTab(), 3);
}

TEST_F(AlbumWalkTest, EntryCommands)
{
    openAlbumWith({"a.jpg", "b.png", "c.bmp"});
    clickAlbumEntry(0);
    ASSERT_TRUE(choose(MenuId::Album, CommandId::VueImageCollec));
    press(Qt::Key_F4);
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::VueImageCollec));
    ASSERT_TRUE(choose(MenuId::Album, CommandId::LumivelleRapide));
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormView", "TFormView", "TFormView", "TFormView"}));
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::RetoucherCollec));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().startsWith(QStringLiteral("Aucun logiciel de retouche")));

    albumArea().images().albumEntry(0).place = QStringLiteral("Saint-Malo");
    press(Qt::CTRL | Qt::Key_F7, Mode::Cancel);
    EXPECT_EQ(albumArea().images().albumEntry(2).place, QString());
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::AllInfoCollec));
    EXPECT_EQ(albumArea().images().albumEntry(2).place, QStringLiteral("Saint-Malo"));

    albumArea().images().albumEntry(1).keyword = QStringLiteral("chat");
    int found = -1;
    m_answerer.mainAnswers[QStringLiteral("TFormSearch")] = [&found](QDialog &dialog) {
        auto &form = dynamic_cast<TFormSearch &>(dialog);
        form.ComboCle->setEditText(QStringLiteral("chat"));
        form.ButtonSerach->click();
        found = form.ListImages->count();
    };
    press(Qt::CTRL | Qt::Key_F, Mode::Cancel);
    EXPECT_EQ(found, -1);
    ASSERT_TRUE(choose(MenuId::Album, CommandId::SerachCollec));
    EXPECT_EQ(found, 1);
    EXPECT_EQ(albumArea().images().selectedCount(), 1);
    EXPECT_TRUE(albumArea().images().entry(1).selected);

    clickAlbumEntry(0);
    ASSERT_EQ(QImageReader(photo("a.jpg")).size(), QSize(64, 48));
    press(Qt::SHIFT | Qt::Key_F10);
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(48, 64));
    press(Qt::SHIFT | Qt::Key_F12);
    press(Qt::SHIFT | Qt::Key_F11);
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(64, 48));
    ASSERT_TRUE(choose(MenuId::Album, CommandId::RotateCollecRight));
    EXPECT_EQ(QImageReader(photo("a.jpg")).size(), QSize(48, 64));

    QImage(150, 50, QImage::Format_RGB32).save(photo("c.bmp"));
    clickAlbumEntry(2);
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::RefreshVignetteCollec));
    EXPECT_EQ(albumArea().images().entry(2).width, 150);

    ASSERT_TRUE(choose(MenuId::Album, CommandId::ModPath, Mode::Cancel));
    EXPECT_EQ(albumArea().images().path(2), photo("c.bmp"));
    m_albumDialogs->folders.push_back(m_work.path());
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::ModPath));
    EXPECT_EQ(albumArea().images().path(2), file("c.bmp"));

    press(Qt::CTRL | Qt::Key_F3, Mode::Cancel);
    EXPECT_EQ(albumArea().images().count(), 3);
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::DellCollec));
    EXPECT_EQ(albumArea().images().count(), 2);
    clickAlbumEntry(0);
    press(Qt::CTRL | Qt::Key_F3);
    EXPECT_EQ(albumArea().images().count(), 1);

    EXPECT_EQ(m_answerer.helpPages,
              QStringList({"TFormCopieInfo: applyinfosalbum.htm", "TFormCopieInfo: applyinfosalbum.htm",
                           "TFormSearch: search.htm", "TFormSearch: search.htm"}));
}

TEST_F(AlbumWalkTest, AlbumPicturesGoToTheShowAndToAnotherFolder)
{
    openAlbumWith({"a.jpg", "b.png"});
    clickAlbumEntry(0);
    press(Qt::Key_F2); // no show open: nothing
    openShowWith({});
    clickAlbumEntry(1, Qt::ControlModifier);
    ASSERT_TRUE(choose(MenuId::PopupCollec, CommandId::Ajouter));
    EXPECT_EQ(showArea().slides().count(), 2);
    EXPECT_EQ(window().activeTab(), 2);

    // Copying works from the album tab; cutting there does nothing.
    clickAlbumEntry(0);
    press(Qt::CTRL | Qt::Key_X);
    press(Qt::CTRL | Qt::Key_C);
    press(Qt::CTRL | Qt::Key_V); // pasting is for the explorer tab
    EXPECT_FALSE(QFile::exists(photo("sub/a.jpg")));
    window().setActiveTab(1);
    showFolder(photo("sub"));
    press(Qt::CTRL | Qt::Key_V);
    EXPECT_TRUE(QFile::exists(photo("sub/a.jpg")));
    EXPECT_TRUE(QFile::exists(photo("a.jpg")));
}
