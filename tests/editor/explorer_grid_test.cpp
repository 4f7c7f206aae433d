// The thumbnail grid driven through real mouse and key events: geometry, selection with
// Ctrl and Shift, dragging, keys, sorting and what a cell paints.
#include "editor/grid/grid_geometry.h"
#include "editor/grid/thumbnail_grid.h"
#include "explorer_test_support.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace editor;
using namespace explorer_test;

namespace {

TEST(GridGeometry, ColumnsRowsAndCellLookup)
{
    EXPECT_EQ(columnsForWidth(593, 16), 5);
    EXPECT_EQ(rowsForCount(12, 5), 3);
    EXPECT_EQ(columnsForWidth(100, 16), 1);  // narrower than a cell: still one column
    EXPECT_EQ(columnsForWidth(0, 16), 1);
    EXPECT_EQ(rowsForCount(0, 5), 1);
    EXPECT_EQ(cellHeight(true), 135);
    EXPECT_EQ(cellHeight(false), 106);

    // 5 columns, 3 rows of 135: the cell edges and the space right of the last column.
    EXPECT_EQ(cellIndexAt({0, 0}, 5, 3, 135), 0);
    EXPECT_EQ(cellIndexAt({105, 134}, 5, 3, 135), 0);
    EXPECT_EQ(cellIndexAt({106, 135}, 5, 3, 135), 6);
    EXPECT_EQ(cellIndexAt({530, 10}, 5, 3, 135), -1);
    EXPECT_EQ(cellIndexAt({10, 405}, 5, 3, 135), -1);
    EXPECT_EQ(cellIndexAt({4 * 106 + 1, 2 * 135 + 1}, 5, 3, 135), 14); // an empty cell of the last row

    EXPECT_EQ(thumbnailOffset({100, 75}), QPoint(3, 15));
    EXPECT_EQ(thumbnailOffset({75, 100}), QPoint(15, 3));
    EXPECT_EQ(thumbnailOffset({33, 33}), QPoint(36, 36)); // div rounds toward zero
}

TEST(GridGeometry, InformationLines)
{
    EXPECT_EQ(cellSizeLine(640, 480, 1536000), QStringLiteral("640 x 480 - 1536 Ko"));
    EXPECT_EQ(cellSizeLine(10, 20, 2048), QStringLiteral("10 x 20 - 2 Ko"));
    EXPECT_EQ(cellSizeLine(10, 20, 999), QStringLiteral("10 x 20 - 0 Ko"));
    EXPECT_EQ(cellNameLine(QStringLiteral("/Photos/Été/DSC_0042.JPG")), QStringLiteral("dsc_0042.jpg"));
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        application();
        // A 16-pixel scroll bar whatever the style's own width.
        grid.setStyleSheet(QStringLiteral("QScrollBar:vertical { width: 16px; }"));
        grid.resize(593, 3 * 135);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        fill(list, 12);
        grid.setList(&list);
    }

    void key(int k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&grid, Qt::Key(k), modifiers); }

    TestList list;
    ThumbnailGrid grid;
};

TEST_F(GridTest, LaysOutFiveColumnsBesideASixteenPixelScrollBar)
{
    EXPECT_EQ(grid.columnCount(), 5);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cellRect(7), QRect(2 * 106, 135, 106, 135));

    grid.resize(110, 300);
    EXPECT_EQ(grid.columnCount(), 1);
    EXPECT_EQ(grid.rowCount(), 12);
}

TEST_F(GridTest, ClickOnAnEmptyCellChangesNothing)
{
    click(grid, 3);
    click(grid, 13); // past the last of 12 entries
    EXPECT_EQ(selected(list), std::vector<int>{3});
    EXPECT_EQ(list.state().currentIndex, 3);
    EXPECT_EQ(list.state().currentPath, QStringLiteral("/pics/Img3.JPG"));
    EXPECT_FALSE(list.state().dragging);
    key(Qt::Key_Right); // goes on from the entry that was current
    EXPECT_EQ(list.state().currentIndex, 4);
    EXPECT_EQ(selected(list), std::vector<int>{4});
}

TEST_F(GridTest, ShiftExtendsFromTheAnchorAndCtrlToggles)
{
    click(grid, 2);
    click(grid, 5, Qt::ShiftModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(list.state().anchorIndex, 5);
    click(grid, 1, Qt::ShiftModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.state().anchorIndex, 5);

    // Shift on a selected entry clears the range between it and the anchor.
    click(grid, 3, Qt::ShiftModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{1, 2}));
    EXPECT_EQ(list.state().anchorIndex, 5);

    // Ctrl toggles one entry only, Shift held or not.
    click(grid, 9, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{1, 2, 9}));
    click(grid, 2, Qt::ControlModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{1, 9}));
    EXPECT_EQ(list.state().anchorIndex, 2);
    EXPECT_EQ(list.state().currentIndex, 2);
    EXPECT_FALSE(list.state().dragging);
}

TEST_F(GridTest, ShiftWithAnAnchorBeyondAShrunkListIsClamped)
{
    list.state().anchorIndex = 40;
    click(grid, 9, Qt::ShiftModifier);
    EXPECT_EQ(selected(list), (std::vector<int>{9, 10, 11}));
    EXPECT_EQ(list.state().anchorIndex, 11);
}

TEST_F(GridTest, DragMovesTheEntryAndSelectsOnlyIt)
{
    QSignalSpy reordered(&grid, &ThumbnailGrid::reordered);
    click(grid, 7, Qt::ControlModifier);
    drag(grid, 0, cellCentre(grid, 3));
    EXPECT_EQ(paths(list).mid(0, 5), (QStringList{"/pics/Img1.JPG", "/pics/Img2.JPG", "/pics/Img3.JPG",
                                                  "/pics/Img0.JPG", "/pics/Img4.JPG"}));
    EXPECT_EQ(selected(list), std::vector<int>{3});
    EXPECT_EQ(list.state().currentPath, QStringLiteral("/pics/Img0.JPG"));
    EXPECT_EQ(list.state().currentIndex, 3);
    EXPECT_FALSE(list.state().dragging);
    EXPECT_EQ(reordered.count(), 1);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
    key(Qt::Key_Right); // goes on from where the moved file now is
    EXPECT_EQ(list.state().currentPath, QStringLiteral("/pics/Img4.JPG"));
}

TEST_F(GridTest, DragOntoAnEmptyCellTheSameCellOrOutsideMovesNothing)
{
    QSignalSpy reordered(&grid, &ThumbnailGrid::reordered);
    const QStringList before = paths(list);
    drag(grid, 4, cellCentre(grid, 13));
    drag(grid, 4, cellCentre(grid, 4) + QPoint(20, 20));
    drag(grid, 4, QPoint(570, 10)); // right of the last column
    EXPECT_EQ(paths(list), before);
    EXPECT_EQ(selected(list), std::vector<int>{4});
    EXPECT_EQ(reordered.count(), 0);
    EXPECT_FALSE(list.state().dragging);
}

TEST_F(GridTest, DraggingShowsTheDragCursorUntilRelease)
{
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 1));
    QTest::mouseMove(grid.viewport(), cellCentre(grid, 2));
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::DragMoveCursor);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, QPoint(580, 5)); // outside every cell
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(list.state().dragging);
    EXPECT_EQ(list.path(1), QStringLiteral("/pics/Img1.JPG"));
}

TEST_F(GridTest, RightButtonNeitherSelectsNorDrags)
{
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cellCentre(grid, 6));
    EXPECT_TRUE(selected(list).empty());
    EXPECT_EQ(list.state().currentIndex, -1);
}

TEST_F(GridTest, KeysStopAtBothEndsAndScrollTheRowIntoView)
{
    QSignalSpy clicked(&grid, &ThumbnailGrid::clicked);
    grid.resize(593, 135); // one row visible
    key(Qt::Key_Right);    // from no current entry: the first
    EXPECT_EQ(list.state().currentIndex, 0);
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    EXPECT_EQ(list.state().currentIndex, 0);
    EXPECT_EQ(clicked.count(), 1);

    key(Qt::Key_End, Qt::ShiftModifier); // modifiers are ignored
    EXPECT_EQ(list.state().currentIndex, 11);
    EXPECT_EQ(selected(list), std::vector<int>{11});
    EXPECT_EQ(grid.verticalScrollBar()->value(), 2 * 135);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(list.state().currentIndex, 11);

    key(Qt::Key_Up); // one entry back, not one row up
    EXPECT_EQ(list.state().currentIndex, 10);
    key(Qt::Key_PageUp);
    EXPECT_EQ(list.state().currentIndex, 0);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
    key(Qt::Key_PageDown);
    EXPECT_EQ(list.state().currentIndex, 11);
    key(Qt::Key_Home);
    EXPECT_EQ(list.state().currentPath, QStringLiteral("/pics/Img0.JPG"));
    EXPECT_EQ(clicked.count(), 6);
}

TEST_F(GridTest, KeysOnAnEmptyListDoNothing)
{
    TestList empty;
    grid.setList(&empty);
    QSignalSpy clicked(&grid, &ThumbnailGrid::clicked);
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    EXPECT_EQ(empty.state().currentIndex, -1);
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(GridTest, SelectAllNoneInvertLeaveTheAnchorOnTheLastEntry)
{
    click(grid, 2);
    grid.InvertSelect();
    EXPECT_EQ(selected(list).size(), 11u);
    EXPECT_FALSE(list.entry(2).selected);
    EXPECT_EQ(list.state().anchorIndex, 11);
    grid.SelectAll();
    EXPECT_EQ(grid.SelectedCount(), 12);
    grid.UnSelectAll();
    EXPECT_EQ(grid.SelectedCount(), 0);
    EXPECT_EQ(list.state().anchorIndex, 11);
}

TEST_F(GridTest, SortOrdersByPathWithoutCaseAndLeavesNoCurrentEntry)
{
    TestList mixed;
    for (const char *name : {"/p/b.jpg", "/p/A.jpg", "/p/c.jpg", "/p/a.JPG"})
        mixed.append(QString::fromLatin1(name), TEnrData{});
    grid.setList(&mixed);
    click(grid, 0); // b.jpg selected and current
    QSignalSpy reordered(&grid, &ThumbnailGrid::reordered);
    grid.Tri();
    EXPECT_EQ(paths(mixed), (QStringList{"/p/A.jpg", "/p/a.JPG", "/p/b.jpg", "/p/c.jpg"}));
    EXPECT_EQ(selected(mixed), std::vector<int>{2});
    EXPECT_EQ(mixed.state().currentIndex, -1);
    EXPECT_TRUE(mixed.state().currentPath.isEmpty());
    EXPECT_EQ(reordered.count(), 1);

    // Later drags keep the order the user gives.
    drag(grid, 3, cellCentre(grid, 0));
    EXPECT_EQ(paths(mixed).front(), QStringLiteral("/p/c.jpg"));

    mixed.state().busy = true; // a list being filled is not sorted
    grid.Tri();
    EXPECT_EQ(paths(mixed).front(), QStringLiteral("/p/c.jpg"));
}

// Collects the regions the viewport repaints.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

TEST_F(GridTest, SelectionChangesRepaintSingleCells)
{
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    grid.viewport()->installEventFilter(&recorder);
    grid.SetSelected(7, true);
    QTest::qWait(20);
    EXPECT_EQ(recorder.painted, QRegion(grid.cellRect(7)));

    recorder.painted = {};
    click(grid, 8); // deselects 7, selects 8
    QTest::qWait(20);
    EXPECT_EQ(recorder.painted, QRegion(grid.cellRect(7)) + grid.cellRect(8));
}

class CellPaintTest : public GridTest {
protected:
    QImage render()
    {
        QImage image(grid.viewport()->size(), QImage::Format_RGB32);
        grid.viewport()->render(&image);
        return image;
    }
    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }
};

TEST_F(CellPaintTest, CellLayersBackgroundAndThumbnail)
{
    click(grid, 1);
    const QImage image = render();
    const GridLook look;
    const QRect c0 = grid.cellRect(0), c1 = grid.cellRect(1);
    EXPECT_EQ(at(image, c0.left(), c0.top()), toQColor(look.cologrid));          // outline
    EXPECT_EQ(at(image, c0.left() + 1, c0.top() + 50), QColor(128, 128, 128)); // inner grey frame
    EXPECT_EQ(at(image, c0.left() + 2, c0.top() + 50), toQColor(look.colonorm));
    EXPECT_EQ(at(image, c1.left() + 2, c1.top() + 50), toQColor(look.colosel));
    EXPECT_EQ(at(image, c0.right() - 1, c0.bottom() - 1), QColor(128, 128, 128));
    // White frame 100x100 from (3,3), thumbnail 60x40 centred at (23, 33).
    EXPECT_EQ(at(image, c0.left() + 3, c0.top() + 3), QColor(Qt::white));
    EXPECT_EQ(at(image, c0.left() + 102, c0.top() + 102), QColor(Qt::white));
    EXPECT_EQ(at(image, c1.left() + 23, c1.top() + 33), QColor(10, 10, 10));
    EXPECT_EQ(at(image, c1.left() + 82, c1.top() + 72), QColor(10, 10, 10));
    EXPECT_EQ(at(image, c1.left() + 83, c1.top() + 73), QColor(Qt::white));
    // Cells 12 to 14 of the last row are empty: background only.
    const QRect empty = grid.cellRect(13);
    EXPECT_EQ(at(image, empty.left() + 50, empty.top() + 50), toQColor(look.cologrid));
}

TEST_F(CellPaintTest, NameLineIsLowerCaseAndCutToTheCell)
{
    TestList names;
    TEnrData e;
    names.append(QStringLiteral("/p/SUNSET.JPG"), e);
    names.append(QStringLiteral("/p/sunset.jpg"), e);
    names.append(QStringLiteral("/p/") + QString(60, QLatin1Char('W')) + QStringLiteral(".jpg"), e);
    grid.setList(&names);
    const QImage image = render();
    const QRect c0 = grid.cellRect(0), c1 = grid.cellRect(1), c2 = grid.cellRect(2);
    EXPECT_EQ(image.copy(c0), image.copy(c1.translated(0, 0)).copy(QRect(QPoint(0, 0), c1.size())));

    // The long name stays inside its line box and ends with an ellipsis: its last inked
    // columns are dots, a few pixels high, where the letters are much taller.
    const QColor fill = toQColor(GridLook{}.colonorm);
    auto inkHeight = [&](int x) {
        int top = -1, bottom = -1;
        for (int y = c2.top() + 106; y < c2.top() + 121; ++y)
            if (at(image, x, y) != fill) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        return top < 0 ? 0 : bottom - top + 1;
    };
    EXPECT_EQ(inkHeight(c2.left() + 2), 0);
    EXPECT_EQ(inkHeight(c2.left() + 103), 0);
    int last = c2.left() + 102;
    while (last > c2.left() && inkHeight(last) == 0)
        --last;
    EXPECT_GT(last, c2.left() + 80);
    for (int x = last - 2; x <= last; ++x)
        EXPECT_LE(inkHeight(x), 3) << x - c2.left();
    EXPECT_GT(inkHeight(c2.center().x()), 4);
}

TEST_F(CellPaintTest, WithoutInformationLinesCellsAre106High)
{
    GridLook look;
    look.infoVignette = false;
    grid.setLook(look);
    grid.LayoutGrid();
    EXPECT_EQ(grid.cellRect(5), QRect(0, 106, 106, 106));
    const QImage image = render();
    // No text: the row between the white frame and the grey frame is plain fill.
    for (int x = 3; x < 103; ++x)
        ASSERT_EQ(at(image, x, 103), toQColor(look.colonorm)) << x;
}

} // namespace
