#pragma once
// A ThumbnailGrid as the main window sees its grids: the window sets the grid colour and
// the information height from the settings and asks for layouts. The selected and normal
// cell colours and the information lines are read from the same settings.
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/core/editor_settings.h"
#include "editor/shell/thumbnail_grid_view.h"

#include <QObject>

namespace editor {

class GridSlotView : public QObject, public ThumbnailGridView {
    Q_OBJECT

public:
    // Lives as long as `grid`. With keepCurrentPath, a layout the window asks for (window
    // resize, options) keeps the list's current path, as the explorer grid does.
    GridSlotView(ThumbnailGrid *grid, const EditorSettings &settings, bool keepCurrentPath);

    ThumbnailGrid *grid() const { return m_grid; }
    QWidget *widget() override { return m_grid; }
    bool hasEntries() const override;
    void setGridColour(Colour cologrid) override;
    void setExtraCellHeight(int height) override;
    void layoutGrid() override;

private:
    ThumbnailGrid *m_grid;
    const EditorSettings &m_settings;
    bool m_keepCurrentPath;
};

} // namespace editor
