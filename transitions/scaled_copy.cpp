#include "transitions/scaled_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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
                for (std::size_t i = 0; i < n; ++i)
                    out[i] = in[xmap[i]];
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
