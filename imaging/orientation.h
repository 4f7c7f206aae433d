#pragma once
// The orientation a camera records with a photo (the EXIF tag 0x0112, value 1 to 8): how
// the stored rows and columns lie on the picture as the photographer saw it. Turning a
// picture upright maps each stored pixel (x, y) of a w x h picture to:
//
//   1 Normal       (x, y)                  5 Transpose   (y, x)
//   2 MirrorX      (w - 1 - x, y)          6 Rotate90    (h - 1 - y, x)       (a quarter turn clockwise)
//   3 Rotate180    (w - 1 - x, h - 1 - y)  7 Transverse  (h - 1 - y, w - 1 - x)
//   4 MirrorY      (x, h - 1 - y)          8 Rotate270   (y, w - 1 - x)       (a quarter turn anticlockwise)
//
// Values 5 to 8 exchange width and height.
#include <QImage>
#include <QPoint>
#include <QSize>

namespace imaging {

enum class Orientation : int {
    Normal = 1, MirrorX = 2, Rotate180 = 3, MirrorY = 4,
    Transpose = 5, Rotate90 = 6, Transverse = 7, Rotate270 = 8,
};

// The value of an orientation tag; anything outside 1 to 8 counts as Normal.
Orientation orientationFromTag(int value);

bool swapsSides(Orientation orientation);
// The upright size of a picture stored with `stored` size (or the stored size of an
// upright one: the exchange is its own inverse).
QSize uprightSize(QSize stored, Orientation orientation);
// Where stored pixel `p` of a picture of `stored` size lands in the upright picture.
QPoint uprightPosition(QPoint p, QSize stored, Orientation orientation);

// Writes `count` stored rows, the first being row `firstRow` of a picture of `stored`
// size, into `upright` (of the upright size and the same whole-byte pixel depth) at their
// upright places. `rows` holds them `rowBytes` apart. Decoders call it band by band, so a
// picture is turned as it is decoded, without a second full copy.
void placeStoredRows(const uchar *rows, qsizetype rowBytes, int firstRow, int count, QSize stored,
                     Orientation orientation, QImage &upright);

// The upright picture. Normal gives `stored` itself; otherwise a new picture of the same
// format (and colour table), null when memory runs out. Pictures whose pixels are not a
// whole number of bytes are converted to 32 bits first.
QImage turnUpright(const QImage &stored, Orientation orientation);

} // namespace imaging
