#include "transitions/core/scaled_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <immintrin.h>
#include <vector>

namespace transitions {

namespace {

// For every destination coordinate in [from, to), the source coordinate whose pixel covers
// its centre when [dl, dr) is mapped onto [sl, sr), clamped to [0, limit).
void buildMap(std::vector<int> &map, int from, int to, int dl, int dr, int sl, int sr, int limit, bool flip)
{
    const std::int64_t dw = dr - dl, sw = sr - sl;
    map.resize(std::size_t(to - from));
    for (int x = from; x < to; ++x) {
        const std::int64_t u = flip ? std::int64_t(dr) - 1 - x : std::int64_t(x) - dl;
        const std::int64_t s = sl + (2 * u + 1) * sw / (2 * dw);
        map[std::size_t(x - from)] = int(std::clamp<std::int64_t>(s, 0, limit - 1));
    }
}

void gatherRowPlain(const std::uint32_t *in, int, const int *map, std::uint32_t *out, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = in[map[i]];
}

// Eight destination pixels at a time. The map only ever rises or only falls, so eight
// neighbouring entries usually lie within one or two loads of eight source pixels and a
// permutation picks them out; wider spreads fall back to a gather.
__attribute__((target("avx2")))
void gatherRowAvx2(const std::uint32_t *in, int inWidth, const int *map, std::uint32_t *out, std::size_t n)
{
    std::size_t i = 0;
    const __m256i seven = _mm256_set1_epi32(7), eight = _mm256_set1_epi32(8);
    for (; i + 8 <= n; i += 8) {
        const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(map + i));
        const int low = std::min(map[i], map[i + 7]), spread = std::max(map[i], map[i + 7]) - low;
        __m256i pixels;
        if (spread < 8 && low + 8 <= inWidth) {
            const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + low));
            pixels = _mm256_permutevar8x32_epi32(source, _mm256_sub_epi32(index, _mm256_set1_epi32(low)));
        } else if (spread < 16 && low + 16 <= inWidth) {
            const __m256i at = _mm256_sub_epi32(index, _mm256_set1_epi32(low));
            const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + low));
            const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + low + 8));
            const __m256i fromSecond = _mm256_cmpgt_epi32(at, seven);
            pixels = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(first, at),
                                        _mm256_permutevar8x32_epi32(second, _mm256_sub_epi32(at, eight)), fromSecond);
        } else {
            pixels = _mm256_i32gather_epi32(reinterpret_cast<const int *>(in), index, 4);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i), pixels);
    }
    gatherRowPlain(in, inWidth, map + i, out + i, n - i);
}

using GatherRow = void (*)(const std::uint32_t *, int, const int *, std::uint32_t *, std::size_t);

GatherRow gatherRow()
{
    static const GatherRow chosen = __builtin_cpu_supports("avx2") ? gatherRowAvx2 : gatherRowPlain;
    return chosen;
}

bool isContiguous(const std::vector<int> &map)
{
    for (std::size_t i = 1; i < map.size(); ++i)
        if (map[i] != map[0] + int(i))
            return false;
    return true;
}

} // namespace

void stretchCopy(const QImage &src, Box source, QImage &dst, Box dest, Mirror mirror)
{
    if (source.isEmpty() || dest.isEmpty() || src.isNull() || dst.isNull())
        return;
    const Box visible = dest.intersected({0, 0, dst.width(), dst.height()});
    if (visible.isEmpty())
        return;
    std::vector<int> xmap, ymap;
    buildMap(xmap, visible.left, visible.right, dest.left, dest.right, source.left, source.right,
             src.width(), mirror == Mirror::LeftRight);
    buildMap(ymap, visible.top, visible.bottom, dest.top, dest.bottom, source.top, source.bottom,
             src.height(), mirror == Mirror::TopBottom);
    const bool plainRows = isContiguous(xmap);
    const std::size_t n = xmap.size();
    const qsizetype dstStride = dst.bytesPerLine();
    uchar *dstBits = dst.bits() + qsizetype(visible.left) * 4;
    const uchar *srcBits = src.constBits();
    const qsizetype srcStride = src.bytesPerLine();
    const GatherRow gather = gatherRow();
    const std::uint32_t *lastRow = nullptr;
    int lastSy = -1;
    for (int y = visible.top; y < visible.bottom; ++y) {
        auto *out = reinterpret_cast<std::uint32_t *>(dstBits + qsizetype(y) * dstStride);
        const int sy = ymap[std::size_t(y - visible.top)];
        if (sy == lastSy) {
            std::memcpy(out, lastRow, n * 4); // rows repeat when stretching downwards
        } else {
            const auto *in = reinterpret_cast<const std::uint32_t *>(srcBits + qsizetype(sy) * srcStride);
            if (plainRows)
                std::memcpy(out, in + xmap[0], n * 4);
            else
                gather(in, src.width(), xmap.data(), out, n);
        }
        lastRow = out;
        lastSy = sy;
    }
}

void copyPicture(const QImage &src, QImage &dst)
{
    const int w = std::min(src.width(), dst.width()), h = std::min(src.height(), dst.height());
    if (w <= 0 || h <= 0)
        return;
    const std::size_t bytes = std::size_t(w) * 4;
    const qsizetype srcStride = src.bytesPerLine(), dstStride = dst.bytesPerLine();
    const uchar *in = src.constBits();
    uchar *out = dst.bits();
    if (srcStride == dstStride && bytes == std::size_t(srcStride)) {
        std::memcpy(out, in, bytes * std::size_t(h));
        return;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(out + qsizetype(y) * dstStride, in + qsizetype(y) * srcStride, bytes);
}

} // namespace transitions
