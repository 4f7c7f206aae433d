#include "editor/grid/grid_slot_view.h"

#include "editor/grid/grid_geometry.h"

namespace editor {

GridSlotView::GridSlotView(ThumbnailGrid *grid, const EditorSettings &settings, bool keepCurrentPath)
    : QObject(grid), m_grid(grid), m_settings(settings), m_keepCurrentPath(keepCurrentPath)
{
}

bool GridSlotView::hasEntries() const
{
    return m_grid->list() && !m_grid->list()->isEmpty();
}

void GridSlotView::setGridColour(Colour cologrid)
{
    GridLook look = m_grid->look();
    look.colosel = m_settings.colosel;
    look.colonorm = m_settings.colonorm;
    look.cologrid = cologrid;
    m_grid->setLook(look);
}

void GridSlotView::setExtraCellHeight(int height)
{
    GridLook look = m_grid->look();
    look.infoVignette = height == cellHeight(true) - kThumbnailFrame;
    m_grid->setLook(look);
}

void GridSlotView::layoutGrid()
{
    if (m_keepCurrentPath)
        m_grid->layoutKeepingCurrentPath();
    else
        m_grid->LayoutGrid();
}

} // namespace editor
