#include "transitions/core/pixel_styles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <immintrin.h>
#include <numbers>
#include <utility>

namespace transitions {

namespace {

// One row of the cross-fade over n 32-bit pixels, as 4n bytes.
void fadeRowPlain(const std::uint8_t *oldRow, const std::uint8_t *newRow, std::uint8_t *out, int bytes, int p)
{
    const unsigned keep = unsigned(100 - p), take = unsigned(p);
    for (int i = 0; i < bytes; i += 4) {
        for (int c = 0; c < 3; ++c)
            out[i + c] = std::uint8_t((oldRow[i + c] * keep + newRow[i + c] * take) / 100);
        out[i + 3] = oldRow[i + 3];
    }
}

// The same, 8 pixels at a time: byte pairs (old, new) are multiplied by (100 - p, p) and
// summed in one step; a sum m <= 25500 divided by 100 is exactly (m * 5243) >> 19.
__attribute__((target("avx2")))
void fadeRowAvx2(const std::uint8_t *oldRow, const std::uint8_t *newRow, std::uint8_t *out, int bytes, int p)
{
    const __m256i weights = _mm256_set1_epi16(std::int16_t((p << 8) | (100 - p)));
    const __m256i magic = _mm256_set1_epi16(5243);
    const __m256i fourthByte = _mm256_set1_epi32(std::int32_t(0xFF000000u));
    int i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i o = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(oldRow + i));
        const __m256i n = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(newRow + i));
        __m256i lo = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(o, n), weights);
        __m256i hi = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(o, n), weights);
        lo = _mm256_srli_epi16(_mm256_mulhi_epu16(lo, magic), 3);
        hi = _mm256_srli_epi16(_mm256_mulhi_epu16(hi, magic), 3);
        const __m256i mixed = _mm256_blendv_epi8(_mm256_packus_epi16(lo, hi), o, fourthByte);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i), mixed);
    }
    fadeRowPlain(oldRow + i, newRow + i, out + i, bytes - i, p);
}

using FadeRow = void (*)(const std::uint8_t *, const std::uint8_t *, std::uint8_t *, int, int);

FadeRow fadeRow()
{
    static const FadeRow chosen = __builtin_cpu_supports("avx2") ? fadeRowAvx2 : fadeRowPlain;
    return chosen;
}

// Pixels of one row of a pivot: u and v are the 16.16 source column and row (relative to
// the pivot) of the first pixel and grow by c and s per pixel. Every position lies inside
// the picture, and picture sizes up to 16384 keep all values within 32 bits.
void pivotRunPlain(const std::uint32_t *src, int stride, std::uint32_t *out, int n, int u, int v, int c, int s,
                   int cx, int cy)
{
    for (int i = 0; i < n; ++i) {
        const int sx = ((u + i * c) >> 16) + cx, sy = ((v + i * s) >> 16) + cy;
        out[i] = src[sy * stride + sx];
    }
}

__attribute__((target("avx2")))
void pivotRunAvx2(const std::uint32_t *src, int stride, std::uint32_t *out, int n, int u, int v, int c, int s,
                  int cx, int cy)
{
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256i uu = _mm256_add_epi32(_mm256_set1_epi32(u), _mm256_mullo_epi32(lane, _mm256_set1_epi32(c)));
    __m256i vv = _mm256_add_epi32(_mm256_set1_epi32(v), _mm256_mullo_epi32(lane, _mm256_set1_epi32(s)));
    const __m256i du = _mm256_set1_epi32(8 * c), dv = _mm256_set1_epi32(8 * s);
    const __m256i vcx = _mm256_set1_epi32(cx), vcy = _mm256_set1_epi32(cy), vstride = _mm256_set1_epi32(stride);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i sx = _mm256_add_epi32(_mm256_srai_epi32(uu, 16), vcx);
        const __m256i sy = _mm256_add_epi32(_mm256_srai_epi32(vv, 16), vcy);
        const __m256i index = _mm256_add_epi32(_mm256_mullo_epi32(sy, vstride), sx);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i),
                            _mm256_i32gather_epi32(reinterpret_cast<const int *>(src), index, 4));
        uu = _mm256_add_epi32(uu, du);
        vv = _mm256_add_epi32(vv, dv);
    }
    pivotRunPlain(src, stride, out + i, n - i, u + i * c, v + i * s, c, s, cx, cy);
}

using PivotRun = void (*)(const std::uint32_t *, int, std::uint32_t *, int, int, int, int, int, int, int);

PivotRun pivotRun()
{
    static const PivotRun chosen = __builtin_cpu_supports("avx2") ? pivotRunAvx2 : pivotRunPlain;
    return chosen;
}

void pivotRunWide(const std::uint32_t *src, qsizetype stride, std::uint32_t *out, std::int64_t n, std::int64_t u,
                  std::int64_t v, std::int64_t c, std::int64_t s, int cx, int cy)
{
    for (std::int64_t i = 0; i < n; ++i)
        out[i] = src[(((v + i * s) >> 16) + cy) * stride + ((u + i * c) >> 16) + cx];
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

void copyColumns(const QImage &oldPicture, int y, std::uint32_t *out, std::int64_t from, std::int64_t to)
{
    if (from < to)
        std::memcpy(out + from, oldPicture.constScanLine(y) + from * 4, std::size_t(to - from) * 4);
}

} // namespace

void Fade(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int progress)
{
    const int w = std::min({oldPicture.width(), newPicture.width(), screen.width()});
    const int h = std::min({oldPicture.height(), newPicture.height(), screen.height()});
    const FadeRow row = fadeRow();
    for (int y = 0; y < h; ++y)
        row(oldPicture.constScanLine(y), newPicture.constScanLine(y), screen.scanLine(y), w * 4, progress);
}

namespace {

// The turn of one pivot frame. For a screen pixel (x, y), with dx = x - cx and dy = y - cy,
// the new picture's pixel is sx = ((dx*C - dy*S) >> 16) + cx, sy = ((dx*S + dy*C) >> 16) + cy.
// Both grow with x, so the pixels of a row that reach the picture form one run of columns.
struct PivotTurn {
    PivotTurn(int width, int height, int style, int progress) : W(width), H(height)
    {
        cx = (style == 119 || style == 120) ? -1 : W;
        cy = (style == 119 || style == 121) ? -1 : H;
        const double theta = (100 - progress) * std::numbers::pi / 200;
        S = std::int64_t(std::sin(theta) * 65536); // truncated towards zero
        C = std::int64_t(std::cos(theta) * 65536);
    }
    // 16.16 source column and row of the row's pixel x = 0, relative to the pivot.
    std::int64_t u0(int y) const { return -std::int64_t(cx) * C - std::int64_t(y - cy) * S; }
    std::int64_t v0(int y) const { return -std::int64_t(cx) * S + std::int64_t(y - cy) * C; }
    std::pair<int, int> columns(int y, int screenWidth) const
    {
        std::int64_t from = 0, to = screenWidth;
        narrowColumns(u0(y), C, -cx, W - cx, from, to);
        narrowColumns(v0(y), S, -cy, H - cy, from, to);
        if (from >= to)
            return {screenWidth, screenWidth}; // none: the whole row keeps the old picture
        return {int(from), int(to)};
    }
    int W, H, cx = 0, cy = 0;
    std::int64_t S = 0, C = 0;
};

} // namespace

void Pivot(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int style, int progress)
{
    const PivotTurn turn(newPicture.width(), newPicture.height(), style, progress);
    const bool separateOld = &oldPicture != &screen;
    const int sw = std::min(screen.width(), oldPicture.width()), sh = std::min(screen.height(), oldPicture.height());
    const qsizetype stride = newPicture.bytesPerLine() / 4;
    const bool narrow = turn.W <= 16384 && turn.H <= 16384 && sw <= 16384;
    const auto *src = reinterpret_cast<const std::uint32_t *>(newPicture.constBits());
    const PivotRun run = pivotRun();
    for (int y = 0; y < sh; ++y) {
        const auto [from, to] = turn.columns(y, sw);
        auto *out = reinterpret_cast<std::uint32_t *>(screen.scanLine(y));
        if (separateOld) {
            copyColumns(oldPicture, y, out, 0, from);
            copyColumns(oldPicture, y, out, to, sw);
        }
        if (from >= to)
            continue;
        const std::int64_t u = turn.u0(y) + from * turn.C, v = turn.v0(y) + from * turn.S;
        if (narrow)
            run(src, int(stride), out + from, to - from, int(u), int(v), int(turn.C), int(turn.S), turn.cx, turn.cy);
        else
            pivotRunWide(src, stride, out + from, to - from, u, v, turn.C, turn.S, turn.cx, turn.cy);
    }
}

} // namespace transitions
