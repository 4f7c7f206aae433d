#pragma once
// The thumbnail grid: one widget for the explorer, slide and album lists (GrilleImage,
// GrilleScript, GrilleCollec). It draws the cells of its GridList, turns mouse and key
// events into selection changes (GridSelection) and reorders the list by dragging.
//
// The number of columns is set by LayoutGrid (and by setColumnsFromWidth when a list
// starts filling); rows follow the number of entries. Selection changes repaint single
// cells; a drag move, a sort or a layout repaints the whole grid.
#include "editor/grid/grid_list.h"
#include "editor/grid/grid_selection.h"
#include "editor/grid/thumbnail_cell.h"

#include <QAbstractScrollArea>
#include <utility>

namespace editor {

class ThumbnailGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ThumbnailGrid(QWidget *parent = nullptr);

    void setList(GridList *list);
    GridList *list() const { return m_selection.list(); }
    void setLook(const GridLook &look);
    const GridLook &look() const { return m_look; }

    int columnCount() const { return m_columns; }
    int rowCount() const;
    int cellHeight() const;
    // Cell of entry `index` in viewport coordinates; index at a viewport point (-1 outside
    // every cell; may be past the last entry).
    QRect cellRect(int index) const;
    int indexAt(QPoint viewportPoint) const;

    // Recomputes columns and rows and repaints; leaves the list with no current entry.
    void LayoutGrid();
    // LayoutGrid, then puts the current path back (window resize, folder splitter moved).
    void layoutKeepingCurrentPath();
    // Sets the column count from the present width, with no other change.
    void setColumnsFromWidth();
    // The list gained its last entry: grow the rows and paint the new cell.
    void entryAppended();
    // Entries came or went in numbers: the rows follow, every cell is painted again; the
    // columns stay.
    void entriesChanged();
    // The first and last entries the viewport shows (last < first when none).
    std::pair<int, int> visibleRange() const;
    // Scrolls so that the row of `index` is visible.
    void scrollToIndex(int index);

    void SetSelected(int index, bool selected) { m_selection.SetSelected(index, selected); }
    void DeselectAll() { m_selection.DeselectAll(); }
    int SelectedCount() const { return m_selection.SelectedCount(); }
    void SelectAll() { m_selection.SelectAll(); }
    void UnSelectAll() { m_selection.UnSelectAll(); }
    void InvertSelect() { m_selection.InvertSelect(); }
    // Sorts the list by path (Tri). Does nothing while the list is busy.
    void Tri();

signals:
    // The grid's click handler: after a click and after every keyboard move.
    void clicked();
    // A drag moved an entry or the list was sorted (the show and album become modified).
    void reordered();
    // LayoutGrid ran: the list has no current entry any more.
    void laidOut();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int scrollBarWidth() const;
    int contentOffset() const;
    void updateScrollRange();
    void repaintCell(int index);

    GridSelection m_selection;
    GridLook m_look;
    int m_columns = 1;
};

} // namespace editor
