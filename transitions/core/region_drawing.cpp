#include "transitions/core/region_drawing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace transitions {

namespace {

// Bars and speckle make rows of many spans a few pixels long, where a call to memcpy
// costs more than the copy.
inline void copyPixels(std::uint32_t *out, const std::uint32_t *in, int n)
{
    if (n <= 8) {
        for (int i = 0; i < n; ++i)
            out[i] = in[i];
        return;
    }
    std::memcpy(out, in, std::size_t(n) * 4);
}

const std::uint32_t *rowOf(const QImage *picture, int y)
{
    return picture ? reinterpret_cast<const std::uint32_t *>(picture->constScanLine(y)) : nullptr;
}

} // namespace

void drawThroughRegion(const QImage *inside, const QImage *outside, QImage &screen, const SpanRegion &region)
{
    int w = std::min(screen.width(), region.width());
    int h = std::min(screen.height(), region.height());
    for (const QImage *p : {inside, outside})
        if (p) {
            w = std::min(w, p->width());
            h = std::min(h, p->height());
        }
    for (int y = 0; y < h; ++y) {
        const std::uint32_t *in = rowOf(inside, y), *out = rowOf(outside, y);
        auto *row = reinterpret_cast<std::uint32_t *>(screen.scanLine(y));
        int x = 0;
        for (const Span &s : region.row(y)) {
            const int left = std::min(s.left, w), right = std::min(s.right, w);
            if (out && x < left)
                copyPixels(row + x, out + x, left - x);
            if (in && left < right)
                copyPixels(row + left, in + left, right - left);
            x = right;
        }
        if (out && x < w)
            copyPixels(row + x, out + x, w - x);
    }
}

} // namespace transitions
