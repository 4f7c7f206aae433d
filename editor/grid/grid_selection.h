#pragma once
// How the user selects, moves through and reorders the entries of a thumbnail grid, kept
// apart from the widget: the grid turns mouse and key events into these calls and repaints
// what they report.
//
// Ctrl-click toggles one entry (Ctrl wins over Shift); Shift-click sets the range between
// the anchor and the clicked entry to the opposite of the clicked entry's state; a plain
// click selects only that entry and starts a drag. Releasing a drag on another entry
// moves the dragged entry there. Arrow keys move one entry back or on, Home/Page Up and
// End/Page Down go to the ends.
#include "editor/grid/grid_list.h"

#include <Qt>
#include <functional>

namespace editor {

class GridSelection {
public:
    using CellRepaint = std::function<void(int index)>;

    GridSelection() = default;
    explicit GridSelection(CellRepaint repaintCell) : m_repaintCell(std::move(repaintCell)) {}

    void setList(GridList *list) { m_list = list; }
    GridList *list() const { return m_list; }

    // Sets the entry's flag, makes it the anchor and repaints that cell only.
    void SetSelected(int index, bool selected);
    void DeselectAll();
    int SelectedCount() const;
    void SelectAll();
    void UnSelectAll();
    void InvertSelect();

    // A button other than the right one went down on the cell of `index` (-1 outside every
    // cell). Returns false when it was not on an entry: then nothing changed.
    bool press(int index, Qt::KeyboardModifiers modifiers);
    // The button came up over the cell of `index` (-1 outside every cell). Returns true when
    // a drag moved an entry; the caller repaints the whole grid.
    bool release(int index);
    // A navigation key; returns the new current index, or -1 when nothing moved.
    int key(int key);

private:
    bool hasList() const { return m_list != nullptr; }
    void makeCurrent(int index);

    GridList *m_list = nullptr;
    CellRepaint m_repaintCell;
};

} // namespace editor
