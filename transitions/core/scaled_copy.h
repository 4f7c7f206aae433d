#pragma once
// Unfiltered scaled copies between 32-bit pictures, on scan lines.
#include "transitions/core/box.h"

#include <QImage>

namespace transitions {

enum class Mirror { None, LeftRight, TopBottom };

// Copies the source box of src onto the destination box of dst, scaled to its size by
// taking the nearest source pixel to each destination pixel's centre. Destination pixels
// outside dst are skipped; source positions outside src take the nearest edge pixel.
// A mirrored copy reads src flipped along the given axis. Both pictures hold 32-bit pixels.
void stretchCopy(const QImage &src, Box source, QImage &dst, Box dest, Mirror mirror = Mirror::None);

// Copies the part of src that lies inside dst's area to the same place in dst.
void copyPicture(const QImage &src, QImage &dst);

} // namespace transitions
