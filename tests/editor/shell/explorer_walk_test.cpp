// The commands of the image explorer tab chosen from their menus and keys in the whole
// window: each first with its dialogs cancelled (nothing changes), then answered (the
// files, folders and lists change as the command says).
#include "whole_window_fixture.h"

#include "editor/shell/core/editor_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTest>

using namespace editor;
using walk_test::ModalAnswerer;
using walk_test::WholeWindowTest;
using Mode = ModalAnswerer::Mode;

namespace {

QSize sizeOf(const QString &path)
{
    return QImageReader(path).size();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

using ExplorerWalkTest = WholeWindowTest;

TEST_F(ExplorerWalkTest, SelectionSortingAndRescanning)
{
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::SelectAll));
    EXPECT_EQ(explorerList().selectedCount(), 3);
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::UnSelectAll));
    EXPECT_EQ(explorerList().selectedCount(), 0);
    clickPhoto("b.png");
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::InvertSelect));
    EXPECT_EQ(explorerList().selectedCount(), 2);
    EXPECT_FALSE(explorerList().entry(photoIndex("b.png")).selected);
    press(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(explorerList().selectedCount(), 3);

    explorerList().move(0, 2); // as a drag in the grid does
    ASSERT_EQ(photoNames(), QStringList({"b.png", "c.bmp", "a.jpg"}));
    press(Qt::CTRL | Qt::Key_T);
    EXPECT_EQ(photoNames(), QStringList({"a.jpg", "b.png", "c.bmp"}));

    QImage(30, 20, QImage::Format_RGB32).save(photo("d.png"));
    press(Qt::Key_F5);
    EXPECT_EQ(photoNames(), QStringList({"a.jpg", "b.png", "c.bmp", "d.png"}));

    // A picture changed on the disk shows its new size once its thumbnail is made again.
    QImage(200, 100, QImage::Format_RGB32).save(photo("b.png"));
    clickPhoto("b.png");
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::RefreshVignette));
    EXPECT_EQ(explorerList().entry(photoIndex("b.png")).width, 200);
}

TEST_F(ExplorerWalkTest, FoldersAndTheHistories)
{
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::NewDir, Mode::Cancel));
    EXPECT_FALSE(QFileInfo(photo("nouveau")).exists());
    m_explorerDialogs->newFolder = QStringLiteral("nouveau");
    ASSERT_TRUE(choose(MenuId::PopupDirTree, CommandId::NewDir));
    EXPECT_TRUE(QFileInfo(photo("nouveau")).isDir());
    settle();
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(photo("nouveau"))); // the tree entered it

    ASSERT_TRUE(choose(MenuId::Edition, CommandId::BackDir));
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::NextDir));
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(photo("nouveau")));
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::ParentDir));
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));

    showFolder(photo("nouveau"));
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::Delldir, Mode::Cancel));
    EXPECT_TRUE(QFileInfo(photo("nouveau")).isDir());
    // The parent is shown before the question, so it stays shown after a refusal.
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));
    showFolder(photo("nouveau"));
    ASSERT_TRUE(choose(MenuId::PopupDirTree, CommandId::Delldir));
    EXPECT_FALSE(QFileInfo(photo("nouveau")).exists());
    EXPECT_EQ(QDir(m_explorer->currentFolder()), QDir(m_photos.path()));
    EXPECT_EQ(filesIn(m_photos.path()), QStringList({"a.jpg", "b.png", "c.bmp"}));
}

TEST_F(ExplorerWalkTest, CopyCutPasteRenameAndDelete)
{
    clickPhoto("b.png");
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::CopyFile));
    showFolder(photo("sub"));
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::Paste));
    EXPECT_EQ(filesIn(photo("sub")), QStringList({"b.png"}));
    EXPECT_TRUE(QFile::exists(photo("b.png")));

    showFolder(m_photos.path());
    clickPhoto("c.bmp");
    press(Qt::CTRL | Qt::Key_X);
    showFolder(photo("sub"));
    press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(filesIn(photo("sub")), QStringList({"b.png", "c.bmp"}));
    EXPECT_FALSE(QFile::exists(photo("c.bmp")));

    showFolder(m_photos.path());
    clickPhoto("b.png");
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::Cut));
    EXPECT_TRUE(window().stateProvider().pendingPaste());
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::RenameFile, Mode::Cancel));
    m_explorerDialogs->texts << QStringLiteral("vert.png");
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::RenameFile));
    EXPECT_EQ(filesIn(m_photos.path()), QStringList({"a.jpg", "vert.png"}));

    clickPhoto("a.jpg");
    clickPhoto("vert.png", Qt::ControlModifier);
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::Rename_All, Mode::Cancel));
    EXPECT_EQ(filesIn(m_photos.path()), QStringList({"a.jpg", "vert.png"}));
    m_explorerDialogs->rename = RenameOptions{QStringLiteral("vacances")};
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::Rename_All));
    EXPECT_EQ(filesIn(m_photos.path()), QStringList({"vacances_1.jpg", "vacances_2.png"}));

    showFolder(photo("sub"));
    clickPhoto("c.bmp");
    ASSERT_TRUE(choose(MenuId::Fichier, CommandId::DellFile, Mode::Cancel));
    EXPECT_EQ(filesIn(photo("sub")), QStringList({"b.png", "c.bmp"}));
    press(Qt::CTRL | Qt::Key_Delete);
    EXPECT_EQ(filesIn(photo("sub")), QStringList({"b.png"}));
    EXPECT_EQ(photoNames(), QStringList({"b.png"}));
    // Delete alone is not the key of the command.
    clickPhoto("b.png");
    press(QKeyCombination(Qt::Key_Delete));
    EXPECT_EQ(filesIn(photo("sub")), QStringList({"b.png"}));
}

TEST_F(ExplorerWalkTest, ViewerRetouchRotationAndExif)
{
    clickPhoto("a.jpg");
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::VueImageList));
    press(Qt::Key_F4);
    ASSERT_TRUE(choose(MenuId::PopupMenuView, CommandId::PreviewFullScreen));
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::LumivelleRapide));
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormView", "TFormView", "TFormView", "TFormView"}));

    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::RetoucherList));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().startsWith(QStringLiteral("Aucun logiciel de retouche")));
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::Soft_Retouche, Mode::Cancel));
    EXPECT_EQ(window().settings().SoftRetoucheF, QString());
    m_explorerDialogs->program = QStringLiteral("/bin/true");
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::Soft_Retouche));
    EXPECT_EQ(window().settings().SoftRetoucheF, QStringLiteral("/bin/true"));
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::RetoucherList));
    EXPECT_EQ(messages().size(), 1); // started, nothing to report
    EXPECT_EQ(window().command(CommandId::RetoucherList).caption(), QStringLiteral("Retoucher l'image avec true"));

    ASSERT_EQ(sizeOf(photo("a.jpg")), QSize(64, 48));
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::RotateListRight));
    EXPECT_EQ(sizeOf(photo("a.jpg")), QSize(48, 64));
    press(Qt::CTRL | Qt::Key_F11);
    EXPECT_EQ(sizeOf(photo("a.jpg")), QSize(64, 48));
    // The picture is red at the top left and white at the bottom right.
    const auto topLeft = [&] { return QColor(QImage(photo("a.jpg")).pixel(1, 1)); };
    ASSERT_GT(topLeft().red(), 200);
    ASSERT_LT(topLeft().green(), 60);
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::RotateList180));
    EXPECT_EQ(sizeOf(photo("a.jpg")), QSize(64, 48));
    EXPECT_GT(topLeft().green(), 200);
    press(Qt::CTRL | Qt::Key_F12);
    EXPECT_GT(topLeft().red(), 200);
    EXPECT_LT(topLeft().green(), 60);
    // A PNG is saved in a format the user picks.
    clickPhoto("b.png");
    press(Qt::CTRL | Qt::Key_F10, Mode::Cancel);
    EXPECT_EQ(sizeOf(photo("b.png")), QSize(120, 80));
    EXPECT_EQ(m_answerer.seen.back(), QStringLiteral("TFormSave"));

    clickPhoto("a.jpg");
    m_answerer.seen.clear();
    press(Qt::CTRL | Qt::Key_E);
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::Exif));
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormExif", "TFormExif"}));
}

TEST_F(ExplorerWalkTest, BatchResizeAndConversion)
{
    clickPhoto("a.jpg");
    clickPhoto("b.png", Qt::ControlModifier);
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::RescalePict, Mode::Cancel));
    ASSERT_TRUE(choose(MenuId::Explorateur, CommandId::ConvertJPG, Mode::Cancel));
    EXPECT_EQ(filesIn(m_photos.path()), QStringList({"a.jpg", "b.png", "c.bmp"}));

    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::ConvertJPG));
    EXPECT_EQ(sizeOf(photo("b.jpg")), QSize(120, 80));
    EXPECT_TRUE(photoNames().contains(QStringLiteral("b.jpg"))); // the folder was read again

    ASSERT_TRUE(choose(MenuId::Edition, CommandId::SelectAll));
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::RescalePict));
    EXPECT_TRUE(QFile::exists(photo("a(1).jpg")));
    EXPECT_TRUE(QFile::exists(photo("b(1).jpg")));
    EXPECT_EQ(m_answerer.seen, QStringList({"TFormRedim", "TFormConvertJpg", "TFormConvertJpg", "TFormRedim"}));
    EXPECT_EQ(m_answerer.helpPages, QStringList({"TFormRedim: rescale.htm", "TFormConvertJpg: convertjpg.htm",
                                                 "TFormConvertJpg: convertjpg.htm", "TFormRedim: rescale.htm"}));
}

TEST_F(ExplorerWalkTest, PicturesGoToTheShowAndTheAlbum)
{
    clickPhoto("a.jpg");
    clickPhoto("c.bmp", Qt::ControlModifier);
    press(Qt::Key_F2); // no show open: nothing
    openShowWith({});
    openAlbumWith({});
    window().setActiveTab(1);
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::Ajouter));
    EXPECT_EQ(showArea().slides().count(), 2);
    EXPECT_EQ(window().activeTab(), 2); // the show is shown with its new slides
    press(Qt::Key_F2); // on the show tab: nothing
    EXPECT_EQ(showArea().slides().count(), 2);
    clickPhoto("b.png", Qt::ControlModifier);
    press(Qt::Key_F2); // a slide is never added twice
    EXPECT_EQ(showArea().slides().count(), 3);
    clickPhoto("b.png", Qt::ControlModifier);
    ASSERT_TRUE(choose(MenuId::Album, CommandId::AddCollec));
    EXPECT_EQ(albumArea().images().count(), 2);
    press(Qt::CTRL | Qt::Key_F2);
    ASSERT_TRUE(choose(MenuId::PopupListFile, CommandId::AddCollec));
    // A picture already in the album is not added twice.
    EXPECT_EQ(albumArea().images().count(), 2);
    EXPECT_EQ(albumArea().images().albumEntry(0).camera.isEmpty(), false); // read from the EXIF data
}
