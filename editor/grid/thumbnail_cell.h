#pragma once
// Painting one cell of a thumbnail grid.
#include "base/colour.h"
#include "imaging/scan/list_entry.h"

#include <QRect>
#include <QString>

class QPainter;

namespace editor {

// The colours and the information lines of the three grids (the editor's settings).
struct GridLook {
    Colour colosel = 0x800000;   // selected cell
    Colour colonorm = 14597308;  // unselected cell
    Colour cologrid = 15918822;  // background of the grid and outline of every cell
    bool infoVignette = true;    // name and size lines under the thumbnail
};

// Paints the cell `cell` for `entry` (null: the cell stays the grid background): the fill
// with its outline, the white thumbnail frame, the thumbnail centred in it, the two
// information lines, and a grey frame one pixel inside the cell.
void DrawThumbnailCell(QPainter &painter, const QRect &cell, const TEnrData *entry, const QString &path,
                       const GridLook &look);

// One text line of a cell: "Arial" at `pointSize`, centred in a box running from 3 pixels
// inside either side of the cell, `offset` pixels below its top and as high as the text;
// cut with an ellipsis when too wide.
void CellTextLine(QPainter &painter, const QRect &cell, const QString &text, int offset, int pointSize);

} // namespace editor
