#include "editor/grid/grid_selection.h"

#include <algorithm>

namespace editor {

void GridSelection::SetSelected(int index, bool selected)
{
    if (!hasList() || !m_list->contains(index))
        return;
    m_list->entry(index).selected = selected;
    m_list->state().anchorIndex = index;
    if (m_repaintCell)
        m_repaintCell(index);
}

void GridSelection::DeselectAll()
{
    if (!hasList())
        return;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->entry(i).selected)
            SetSelected(i, false);
}

int GridSelection::SelectedCount() const
{
    return hasList() ? m_list->selectedCount() : 0;
}

void GridSelection::SelectAll()
{
    for (int i = 0; hasList() && i < m_list->count(); ++i)
        SetSelected(i, true);
}

void GridSelection::UnSelectAll()
{
    for (int i = 0; hasList() && i < m_list->count(); ++i)
        SetSelected(i, false);
}

void GridSelection::InvertSelect()
{
    for (int i = 0; hasList() && i < m_list->count(); ++i)
        SetSelected(i, !m_list->entry(i).selected);
}

void GridSelection::makeCurrent(int index)
{
    GridListState &state = m_list->state();
    state.currentIndex = index;
    state.currentPath = m_list->path(index);
}

bool GridSelection::press(int index, Qt::KeyboardModifiers modifiers)
{
    if (!hasList() || !m_list->contains(index))
        return false;
    GridListState &state = m_list->state();
    makeCurrent(index);
    state.dragSourceIndex = index;
    if (modifiers & Qt::ControlModifier) {
        SetSelected(index, !m_list->entry(index).selected);
    } else if (modifiers & Qt::ShiftModifier) {
        const int anchor = std::clamp(state.anchorIndex, 0, m_list->count() - 1);
        const bool selected = !m_list->entry(index).selected;
        for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
            SetSelected(i, selected);
    } else {
        state.dragging = true;
        DeselectAll();
        SetSelected(index, true);
    }
    return true;
}

bool GridSelection::release(int index)
{
    if (!hasList() || !m_list->state().dragging)
        return false;
    GridListState &state = m_list->state();
    state.dragging = false;
    const int source = state.dragSourceIndex;
    if (index == source || !m_list->contains(index) || !m_list->contains(source))
        return false;
    m_list->move(source, index);
    // The current entry follows the moved file, so its index and path name the same file
    // and the arrow keys go on from where the file now is.
    state.currentIndex = index;
    DeselectAll();
    SetSelected(index, true);
    return true;
}

int GridSelection::key(int key)
{
    if (!hasList() || m_list->isEmpty())
        return -1;
    const int current = m_list->state().currentIndex;
    const int last = m_list->count() - 1;
    int target = -1;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_PageDown:
    case Qt::Key_End:
        target = last;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (current > 0 && current - 1 <= last)
            target = current - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (current + 1 <= last)
            target = std::max(current + 1, 0);
        break;
    default:
        break;
    }
    if (target < 0)
        return -1;
    makeCurrent(target);
    DeselectAll();
    SetSelected(target, true);
    return target;
}

} // namespace editor
