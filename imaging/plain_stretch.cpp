// The unfiltered stretch of the resize dialog's first entry and of thumbnails made
// without filtering: every target pixel copies the source pixel under its centre.
#include "imaging/resampler.h"

#include <cstring>
#include <vector>

namespace imaging {
namespace {

// Source index under the centre of target pixel i: floor((i + 0.5) * source / target).
std::vector<int> nearestIndices(int sourceLength, int targetLength)
{
    std::vector<int> indices(static_cast<std::size_t>(targetLength));
    for (int i = 0; i < targetLength; ++i)
        indices[std::size_t(i)] = int((2 * std::int64_t(i) + 1) * sourceLength / (2 * std::int64_t(targetLength)));
    return indices;
}

void stretchWholeBytes(const QImage &source, QImage &target, const std::vector<int> &xs,
                       const std::vector<int> &ys)
{
    const std::size_t bytes = std::size_t(source.depth() / 8);
    for (int y = 0; y < target.height(); ++y) {
        const uchar *from = source.constScanLine(ys[std::size_t(y)]);
        uchar *to = target.scanLine(y);
        for (int x = 0; x < target.width(); ++x)
            std::memcpy(to + std::size_t(x) * bytes, from + std::size_t(xs[std::size_t(x)]) * bytes, bytes);
    }
}

void stretchBits(const QImage &source, QImage &target, const std::vector<int> &xs,
                 const std::vector<int> &ys)
{
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x)
            target.setPixel(x, y, uint(source.pixelIndex(xs[std::size_t(x)], ys[std::size_t(y)])));
}

} // namespace

QImage plainStretch(const QImage &source, int newWidth, int newHeight)
{
    if (source.isNull() || newWidth < 1 || newHeight < 1)
        return {};
    QImage target(newWidth, newHeight, source.format());
    if (target.isNull())
        return {};
    target.setColorTable(source.colorTable());
    const std::vector<int> xs = nearestIndices(source.width(), newWidth);
    const std::vector<int> ys = nearestIndices(source.height(), newHeight);
    if (source.depth() % 8 == 0)
        stretchWholeBytes(source, target, xs, ys);
    else
        stretchBits(source, target, xs, ys);
    return target;
}

} // namespace imaging
