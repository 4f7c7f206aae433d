#pragma once
// Drawing a frame row by row through a span region.
#include "transitions/core/span_region.h"

#include <QImage>

namespace transitions {

// Copies `inside` onto the screen within the region and `outside` everywhere else; either
// may be null to leave those pixels alone. All pictures hold 32-bit pixels.
void drawThroughRegion(const QImage *inside, const QImage *outside, QImage &screen, const SpanRegion &region);

} // namespace transitions
