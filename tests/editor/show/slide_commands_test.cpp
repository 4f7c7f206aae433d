// The commands that put slides in the show and take them out, through the window: F2
// from the explorer and the album, the file dialog, removal, moved pictures, refreshed
// thumbnails, dragging, the context menu and the enabling rules.
#include "editor/grid/grid_slot_view.h"
#include "editor/grid/thumbnail_grid.h"
#include "show_window_fixture.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>

using namespace editor;
using namespace show_test;

namespace {

const QString kAlbumMissing =
    QStringLiteral("Certains fichiers n'existent pas à l'emplacement spécifié et n'ont pas été ajoutés");

} // namespace

TEST_F(ShowWindowTest, F2AddsTheExplorerSelectionOnceWithItsThumbnailsAndTheDefaults)
{
    const QString a = picture(QStringLiteral("a.jpg")), b = picture(QStringLiteral("b.jpg"));
    fillExplorer({a, file(QStringLiteral("gone.jpg")), b});
    m_explorer.entry(2).selected = false;

    window().setActiveTab(1);
    press(Qt::Key_F2);
    EXPECT_TRUE(slides().isEmpty()) << "no show is open";

    newShow();
    window().setActiveTab(1);
    press(Qt::Key_F2);
    EXPECT_EQ(slidePaths(), QStringList{a}) << "the missing file is skipped silently";
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(window().activeTab(), 2);
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(window().progressBar()->value(), 0);
    const TEnrData_S &slide = slides().slide(0);
    EXPECT_EQ(slide.width, 640);
    EXPECT_EQ(slide.fileSize, 12345);
    EXPECT_EQ(slide.thumbnail.pixelColor(5, 5), QColor(Qt::magenta));
    EXPECT_FALSE(slide.selected);
    EXPECT_EQ(slide.displayTime, 5);
    EXPECT_TRUE(slide.border);
    EXPECT_EQ(slide.borderColour, kColourSilver);
    EXPECT_EQ(slide.backgroundColour, kColourBlack);
    EXPECT_EQ(slide.captionColour, kColourSilver);
    EXPECT_EQ(slide.style, 0);

    // The same selection again adds nothing but still marks the show modified.
    m_explorer.entry(2).selected = true;
    document().modified = false;
    window().setActiveTab(1);
    press(Qt::Key_F2);
    EXPECT_EQ(slidePaths(), (QStringList{a, b}));
    document().modified = false;
    window().setActiveTab(1);
    press(Qt::Key_F2);
    EXPECT_EQ(slides().count(), 2);
    EXPECT_TRUE(document().modified);

    // On the show tab F2 does nothing.
    slides().clear();
    press(Qt::Key_F2);
    EXPECT_TRUE(slides().isEmpty());
}

TEST_F(ShowWindowTest, F2OnTheAlbumTabAddsItsPicturesAndReportsMissingOnes)
{
    newShow();
    ExplorerEntries album;
    TEnrData entry;
    entry.selected = true;
    entry.width = 10;
    album.append(picture(QStringLiteral("album1.jpg")), entry);
    album.append(file(QStringLiteral("vanished.jpg")), entry);
    window().setList(GridSlot::Album, &album);
    window().setActiveTab(3);
    press(Qt::Key_F2);
    EXPECT_TRUE(slides().isEmpty()) << "no album is open";

    window().stateProvider().albumOpen = [] { return true; };
    window().stateProvider().album = [&album] { return ListState{true, album.selectedCount(), false}; };
    press(Qt::Key_F2);
    EXPECT_EQ(slidePaths(), QStringList{file(QStringLiteral("album1.jpg"))});
    EXPECT_EQ(slides().slide(0).width, 10);
    EXPECT_EQ(messages(), QStringList{kAlbumMissing});
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Information);
    window().stateProvider().album = nullptr;
    window().stateProvider().albumOpen = nullptr;
}

TEST_F(ShowWindowTest, AddingFromTheFileDialogReadsEachPictureAndKeepsUnreadableOnes)
{
    newShow();
    const QString a = picture(QStringLiteral("wide.png"), 400, 100, Qt::red);
    const QString broken = file(QStringLiteral("broken.jpg"));
    QFile(broken).open(QIODevice::WriteOnly);
    m_dialogs->images.push_back({a, broken, a});
    run(CommandId::AddFileLumiv);
    ASSERT_EQ(slidePaths(), (QStringList{a, broken}));
    EXPECT_EQ(slides().slide(0).width, 400);
    EXPECT_EQ(slides().slide(0).thumbnail.size(), QSize(100, 25));
    EXPECT_TRUE(slides().slide(1).thumbnail.isNull());
    EXPECT_EQ(slides().slide(1).width, 0);
    EXPECT_EQ(slides().slide(1).height, 0);
    EXPECT_TRUE(document().modified);

    document().modified = false;
    run(CommandId::AddFileLumiv); // the dialog is cancelled
    EXPECT_FALSE(document().modified);
}

TEST_F(ShowWindowTest, RemovingSlidesTwoAndFourOfFiveKeepsTheOthersInOrder)
{
    newShow();
    const QStringList paths = addPictures(5);
    click(1);
    click(3, Qt::ControlModifier);
    m_prompter.answers.push_back(messages::Answer::Cancel);
    press(Qt::Key_F3);
    EXPECT_EQ(slides().count(), 5);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Supprimer l'image(s) sélectionnée(s) du lumivelle ?")});
    document().modified = false;
    press(Qt::Key_F3);
    EXPECT_EQ(slidePaths(), (QStringList{paths[0], paths[2], paths[4]}));
    EXPECT_TRUE(slides().state().currentPath.isEmpty());
    EXPECT_TRUE(document().modified);
    EXPECT_FALSE(panel().EditDuree->isEnabled()) << "nothing selected after the removal";
}

TEST_F(ShowWindowTest, MovingTwoOfThreeSlidesToAnotherFolderChangesOnlyTheirPaths)
{
    newShow();
    const QStringList paths = addPictures(3);
    click(0);
    click(2, Qt::ControlModifier);
    const TEnrData_S before = slides().slide(2);
    m_dialogs->folders.push_back(QStringLiteral("/Neu"));
    run(CommandId::ModPath_S);
    EXPECT_EQ(m_dialogs->titles.last(), QStringLiteral("Sélectionner un nouveau dossier"));
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("Vous allez modifier le chemin d'accès des images sélectionnées.\r\rContinuer ?")});
    EXPECT_EQ(slidePaths(), (QStringList{QStringLiteral("/Neu/a0.png"), paths[1], QStringLiteral("/Neu/a2.png")}));
    EXPECT_EQ(slides().slide(2).thumbnail, before.thumbnail) << "entries and thumbnails are kept";
    EXPECT_EQ(panel().LabelOrigine->text(), QStringLiteral("Origine : /neu/"));
    EXPECT_EQ(slides().state().currentPath, QStringLiteral("/Neu/a2.png"));
    EXPECT_TRUE(document().modified);

    document().modified = false;
    m_prompter.answers.push_back(messages::Answer::Cancel);
    run(CommandId::ModPath_S);
    EXPECT_FALSE(document().modified);
}

TEST_F(ShowWindowTest, RefreshingThumbnailsReadsThePicturesAgainAndReportsMissingOnes)
{
    newShow();
    const QStringList paths = addPictures(3);
    slides().slide(0).displayTime = 11;
    picture(QStringLiteral("a0.png"), 100, 400, Qt::yellow); // the file changed on disk
    QFile::remove(paths[1]);
    click(0);
    click(1, Qt::ControlModifier);
    document().modified = false;
    run(CommandId::RefreshVignetteLumiv);
    EXPECT_EQ(slides().slide(0).thumbnail.size(), QSize(25, 100));
    EXPECT_EQ(slides().slide(0).height, 400);
    EXPECT_EQ(slides().slide(0).displayTime, 11) << "the parameters stay";
    EXPECT_TRUE(slides().slide(0).selected);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine.")});
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(window().progressBar()->value(), 0);
}

TEST_F(ShowWindowTest, DraggingASlideReordersTheShowAndMarksItModified)
{
    newShow();
    const QStringList paths = addPictures(5);
    document().modified = false;
    drag(0, 3);
    EXPECT_EQ(slidePaths(), (QStringList{paths[1], paths[2], paths[3], paths[0], paths[4]}));
    EXPECT_TRUE(document().modified);
    document().modified = false;
    drag(2, 2);
    EXPECT_FALSE(document().modified) << "a release on the starting cell moves nothing";
    grid().Tri();
    EXPECT_EQ(slidePaths(), paths) << "sorted by path";
    EXPECT_TRUE(document().modified);
}

TEST_F(ShowWindowTest, TheEnablingRulesFollowTheShowAndItsSelection)
{
    window().applyMenuRule(MenuId::Lumivelle);
    EXPECT_FALSE(window().command(CommandId::AddFileLumiv).isEnabled());
    EXPECT_FALSE(window().command(CommandId::OptionLumivelle).isEnabled());
    newShow();
    window().applyMenuRule(MenuId::Lumivelle);
    EXPECT_TRUE(window().command(CommandId::AddFileLumiv).isEnabled());
    EXPECT_FALSE(window().command(CommandId::Lumivelle).isEnabled()) << "no slide yet";
    addPictures(2);
    click(0);
    window().applyMenuRule(MenuId::Lumivelle);
    EXPECT_TRUE(window().command(CommandId::Lumivelle).isEnabled());
    EXPECT_TRUE(window().command(CommandId::Supprimer).isEnabled());
    EXPECT_TRUE(window().command(CommandId::VueImageScript).isEnabled());
    click(1, Qt::ControlModifier);
    window().applyMenuRule(MenuId::PopupListScript);
    EXPECT_FALSE(window().command(CommandId::AllStyle_Image).isEnabled()) << "two slides selected";
    EXPECT_TRUE(window().command(CommandId::ModPath_S).isEnabled());
    slides().state().busy = true;
    window().applyMenuRule(MenuId::Lumivelle);
    EXPECT_FALSE(window().command(CommandId::Supprimer).isEnabled());
    slides().state().busy = false;
}

TEST_F(ShowWindowTest, TheRightButtonOpensTheShowGridsContextMenu)
{
    newShow();
    addPictures(2);
    click(0);
    const QPoint at = grid().cellRect(0).center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, grid().viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid().viewport(), &request);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, window().menu(MenuId::PopupListScript));
    QStringList items;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            items << action->objectName();
    EXPECT_EQ(items, (QStringList{"VueImageScript", "AllStyle_Image", "Supprimer", "RetoucherScript",
                                  "RefreshVignetteLumiv", "ModPath_S"}));
    menu->close();
}

TEST_F(ShowWindowTest, F2FindsTheExplorersListThroughItsGridWhenItWasNotLent)
{
    newShow();
    fillExplorer({picture(QStringLiteral("grille.jpg"))});
    window().setList(GridSlot::Explorer, nullptr);
    auto *explorerGrid = new ThumbnailGrid;
    window().setGrid(GridSlot::Explorer, new GridSlotView(explorerGrid, window().settings(), true));
    explorerGrid->setList(&m_explorer);
    window().setActiveTab(1);
    press(Qt::Key_F2);
    EXPECT_EQ(slidePaths(), QStringList{file(QStringLiteral("grille.jpg"))});
}
