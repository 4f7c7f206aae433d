#pragma once
// Device-independent bitmaps: the pixel part of BMP files, icons and metafile bitmaps.
// Info headers of 12 (OS/2 1.x), 16 to 64 (OS/2 2.x), 40, 52, 56, 108 and 124 bytes;
// 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS and
// BI_ALPHABITFIELDS; bottom-up and top-down rows.
#include "base/result.h"

#include <QByteArrayView>
#include <QImage>

namespace imaging::readers {

struct DibOptions {
    // Icon images: the header's height counts the colour rows and the AND mask rows that
    // follow them; the result always has alpha.
    bool iconMask = false;
    // A 32-bit BI_RGB bitmap carries alpha in its fourth byte (icons, alpha-blended
    // metafile bitmaps); a fourth byte that is 0 everywhere still means opaque.
    bool alphaFromRgb32 = false;
};

// `info` holds the info header, its colour masks and colour table; `bits` the pixels.
// The result is Format_BGR888, or Format_ARGB32 when the bitmap has alpha.
Result<QImage> decodeDib(QByteArrayView info, QByteArrayView bits, const DibOptions &options = {});

// A DIB whose pixels follow its header and colour table (clipboard and icon layout).
Result<QImage> decodePackedDib(QByteArrayView packed, const DibOptions &options = {});

// Bytes taken by the info header, masks and colour table, or -1 when the header is not one
// we know.
qsizetype dibHeaderAndTableSize(QByteArrayView info);

// Width and height from an info header.
std::optional<QSize> dibSize(QByteArrayView info);

} // namespace imaging::readers
