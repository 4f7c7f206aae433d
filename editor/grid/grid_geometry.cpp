#include "editor/grid/grid_geometry.h"

#include <QFileInfo>
#include <algorithm>

namespace editor {

int infoHeight(bool infoVignette)
{
    return infoVignette ? 35 : 6;
}

int cellHeight(bool infoVignette)
{
    return kThumbnailFrame + infoHeight(infoVignette);
}

int columnsForWidth(int gridWidth, int scrollBarWidth)
{
    return std::max(1, (gridWidth - scrollBarWidth) / kCellWidth);
}

int rowsForCount(int count, int columns)
{
    if (columns < 1 || count <= 0)
        return 1;
    return std::max(1, (count + columns - 1) / columns);
}

int cellIndexAt(QPoint point, int columns, int rows, int cellHeight)
{
    if (point.x() < 0 || point.y() < 0 || cellHeight <= 0)
        return -1;
    const int column = point.x() / kCellWidth;
    const int row = point.y() / cellHeight;
    if (column >= columns || row >= rows)
        return -1;
    return row * columns + column;
}

QRect cellRectForIndex(int index, int columns, int cellHeight)
{
    const int column = index % columns;
    const int row = index / columns;
    return QRect(column * kCellWidth, row * cellHeight, kCellWidth, cellHeight);
}

QPoint thumbnailOffset(QSize thumbnailSize)
{
    return QPoint((kCellWidth - thumbnailSize.width()) / 2,
                  kFrameMargin + (kThumbnailFrame - thumbnailSize.height()) / 2);
}

QString cellNameLine(const QString &path)
{
    return QFileInfo(path).fileName().toLower();
}

QString cellSizeLine(std::int32_t width, std::int32_t height, std::int32_t fileSize)
{
    return QStringLiteral("%1 x %2 - %3 Ko").arg(width).arg(height).arg(fileSize / 1000);
}

} // namespace editor
