#include "transitions/pixel_styles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace transitions {

namespace {

// One row of the cross-fade over n 32-bit pixels, as 4n bytes.
__attribute__((target_clones("avx2", "default")))
void fadeRow(const std::uint8_t *newRow, std::uint8_t *screenRow, int bytes, int p)
{
    const std::uint16_t keep = std::uint16_t(100 - p), take = std::uint16_t(p);
    for (int i = 0; i < bytes; ++i) {
        const std::uint16_t mixed = std::uint16_t(screenRow[i] * keep + newRow[i] * take) / 100;
        screenRow[i] = (i & 3) == 3 ? screenRow[i] : std::uint8_t(mixed);
    }
}

// Smallest x >= 0 with base + x * slope >= bound, for slope > 0.
std::int64_t firstReaching(std::int64_t base, std::int64_t slope, std::int64_t bound)
{
    if (base >= bound)
        return 0;
    return (bound - base + slope - 1) / slope;
}

// The columns [from, to) of a row whose fixed-point coordinate base + x * slope, shifted
// down by 16 bits, lies in [lo, hi).
void narrowColumns(std::int64_t base, std::int64_t slope, std::int64_t lo, std::int64_t hi,
                   std::int64_t &from, std::int64_t &to)
{
    const std::int64_t low = lo * 65536, high = hi * 65536;
    if (slope == 0) {
        if (base < low || base >= high)
            to = from; // the whole row is outside
        return;
    }
    from = std::max(from, firstReaching(base, slope, low));
    to = std::min(to, firstReaching(base, slope, high));
}

} // namespace

void Fade(const QImage &newPicture, QImage &screen, int progress)
{
    const int w = std::min(newPicture.width(), screen.width());
    const int h = std::min(newPicture.height(), screen.height());
    for (int y = 0; y < h; ++y)
        fadeRow(newPicture.constScanLine(y), screen.scanLine(y), w * 4, progress);
}

void Pivot(const QImage &newPicture, QImage &screen, int style, int progress)
{
    const int W = newPicture.width(), H = newPicture.height();
    const int cx = (style == 119 || style == 120) ? -1 : W;
    const int cy = (style == 119 || style == 121) ? -1 : H;
    const double theta = (100 - progress) * std::numbers::pi / 200;
    const std::int64_t S = std::int64_t(std::sin(theta) * 65536); // truncated towards zero
    const std::int64_t C = std::int64_t(std::cos(theta) * 65536);
    const int sw = screen.width(), sh = screen.height();
    const qsizetype srcStride = newPicture.bytesPerLine() / 4;
    const auto *src = reinterpret_cast<const std::uint32_t *>(newPicture.constBits());
    for (int y = 0; y < sh; ++y) {
        const std::int64_t dy = y - cy;
        // sx = ((dx*C - dy*S) >> 16) + cx and sy = ((dx*S + dy*C) >> 16) + cy, dx = x - cx:
        // both grow with x, so the pixels that reach the picture form one run of columns.
        const std::int64_t u0 = -std::int64_t(cx) * C - dy * S, v0 = -std::int64_t(cx) * S + dy * C;
        std::int64_t from = 0, to = sw;
        narrowColumns(u0, C, -cx, W - cx, from, to);
        narrowColumns(v0, S, -cy, H - cy, from, to);
        auto *out = reinterpret_cast<std::uint32_t *>(screen.scanLine(y));
        for (std::int64_t x = from; x < to; ++x) {
            const std::int64_t sx = ((u0 + x * C) >> 16) + cx, sy = ((v0 + x * S) >> 16) + cy;
            out[x] = src[sy * srcStride + sx];
        }
    }
}

} // namespace transitions
