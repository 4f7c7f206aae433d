#pragma once
// The measures of a thumbnail grid and the two text lines under each thumbnail.
//
// A cell is 106 pixels wide: a 100-pixel thumbnail frame with 3 pixels on each side. It
// is 100 pixels high plus the information height: 35 when the name and size lines are
// shown, 6 when they are not. The grid never scrolls sideways, so the number of columns
// comes from the width left beside the vertical scroll bar.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

namespace editor {

inline constexpr int kCellWidth = 106;
inline constexpr int kThumbnailFrame = 100;
inline constexpr int kFrameMargin = 3;
inline constexpr int kNameLineOffset = 106;
inline constexpr int kSizeLineOffset = 122;

int infoHeight(bool infoVignette);
int cellHeight(bool infoVignette);

// (grid width - scroll bar width) div 106, at least 1.
int columnsForWidth(int gridWidth, int scrollBarWidth);
// Rows the entries need (rounded up), at least 1.
int rowsForCount(int count, int columns);

// Entry index shown by the cell at `point` (grid content coordinates), or -1 when the
// point lies outside every cell. The index may be past the last entry.
int cellIndexAt(QPoint point, int columns, int rows, int cellHeight);
// Rectangle of the cell of entry `index` in grid content coordinates.
QRect cellRectForIndex(int index, int columns, int cellHeight);

// Top-left corner of a thumbnail of `thumbnailSize` inside its cell, relative to the
// cell: centred in the 100-pixel frame that starts 3 pixels in.
QPoint thumbnailOffset(QSize thumbnailSize);

// The name line: file name and extension only, in lower case.
QString cellNameLine(const QString &path);
// The size line: "640 x 480 - 1536 Ko", the file size divided by 1000 without rounding.
QString cellSizeLine(std::int32_t width, std::int32_t height, std::int32_t fileSize);

} // namespace editor
