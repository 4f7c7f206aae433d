#include "imaging/thumbnail.h"

#include "base/rounding.h"
#include "imaging/resampler.h"

#include <algorithm>
#include <cstdint>

namespace imaging {
namespace {

// numerator / denominator (both positive) rounded to the nearest integer, halves to even,
// computed exactly so that 1000 x 25 -> 2.5 -> 2 does not depend on floating point.
int roundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t q = numerator / denominator;
    const std::int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && q % 2 != 0))
        ++q;
    return int(q);
}

// A side that rounds to 0 (a 1000 x 4 picture in the 100 box) is kept at 1 pixel: an
// empty thumbnail would be no picture at all.
QSize atLeastOnePixel(int width, int height)
{
    return {std::max(width, 1), std::max(height, 1)};
}

} // namespace

QSize thumbnailSize(QSize picture)
{
    const int w = picture.width(), h = picture.height();
    if (w <= kThumbnailBox && h <= kThumbnailBox)
        return picture;
    if (w > h)
        return atLeastOnePixel(kThumbnailBox, roundedQuotient(std::int64_t(kThumbnailBox) * h, w));
    return atLeastOnePixel(roundedQuotient(std::int64_t(kThumbnailBox) * w, h), kThumbnailBox);
}

// The ratio r is a double and the sides are rounded from it (maxWidth x r, maxHeight / r),
// halves to even. Where the exact quotient is a half, the double's own rounding decides:
// 1258 x 1024 on 1024 x 768 gives 943 x 768 (768 / r = 943.4999...), not 944.
QSize fitToBoxSize(QSize picture, int maxWidth, int maxHeight)
{
    int w = picture.width(), h = picture.height();
    if (w <= maxWidth && h <= maxHeight)
        return picture;
    if (h < w) { // landscape
        const double r = double(h) / double(w);
        if (w > maxWidth) {
            w = maxWidth;
            h = roundHalfEven(maxWidth * r);
        }
        if (h > maxHeight) {
            h = maxHeight;
            w = roundHalfEven(maxHeight / r);
        }
    } else if (w < h) { // portrait
        const double r = double(w) / double(h);
        if (h > maxHeight) {
            h = maxHeight;
            w = roundHalfEven(maxHeight * r);
        }
        if (w > maxWidth) {
            w = maxWidth;
            h = roundHalfEven(maxWidth / r);
        }
    } else {
        w = h = std::min(maxWidth, maxHeight);
    }
    return atLeastOnePixel(w, h);
}

QImage scaleByRule(const QImage &picture, QSize size, bool filterOk)
{
    if (picture.isNull())
        return {};
    if (size == picture.size())
        return picture;
    if (!filterOk)
        return plainStretch(picture, size.width(), size.height());
    QImage source = picture; // StretchBitmap converts its source in place
    QImage target;
    if (!StretchBitmap(size.width(), size.height(), ResampleKernel::Triangle, 0.0f, source, target))
        return {};
    return target;
}

QImage MakeThumbnail(const QImage &picture, bool filterOk)
{
    return scaleByRule(picture, thumbnailSize(picture.size()), filterOk);
}

QImage FitToBox(const QImage &picture, int maxWidth, int maxHeight, bool filterOk)
{
    return scaleByRule(picture, fitToBoxSize(picture.size(), maxWidth, maxHeight), filterOk);
}

} // namespace imaging
