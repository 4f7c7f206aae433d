#include "editor/shell/thumbnail_grid_view.h"

namespace editor {

EmptyThumbnailGrid::EmptyThumbnailGrid(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void EmptyThumbnailGrid::setGridColour(Colour cologrid)
{
    QPalette grid = palette();
    grid.setColor(QPalette::Window, toQColor(cologrid));
    setPalette(grid);
    update();
}

} // namespace editor
