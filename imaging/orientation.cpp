#include "imaging/orientation.h"

#include "imaging/picture_buffer.h"

#include <cstring>

namespace imaging {
namespace {

// Reverses the pixels of one row of `width` pixels of `Bytes` bytes each.
template <int Bytes>
void copyReversed(const uchar *from, uchar *to, int width)
{
    to += std::size_t(width - 1) * Bytes;
    for (int x = 0; x < width; ++x, from += Bytes, to -= Bytes)
        std::memcpy(to, from, Bytes);
}

// Orientations 5 to 8: a stored row becomes an upright column. The stored x runs in the
// outer loop, so each upright row receives the pixels of all the band's rows side by side.
template <int Bytes>
void placeAcross(const uchar *rows, qsizetype rowBytes, int firstRow, int count, QSize stored,
                 Orientation orientation, QImage &upright)
{
    const bool fromBottom = orientation == Orientation::Rotate90 || orientation == Orientation::Transverse;
    const bool fromRight = orientation == Orientation::Transverse || orientation == Orientation::Rotate270;
    const int w = stored.width(), h = stored.height();
    for (int x = 0; x < w; ++x) {
        uchar *line = upright.scanLine(fromRight ? w - 1 - x : x);
        const uchar *from = rows + std::size_t(x) * Bytes;
        for (int i = 0; i < count; ++i, from += rowBytes) {
            const int y = firstRow + i;
            std::memcpy(line + std::size_t(fromBottom ? h - 1 - y : y) * Bytes, from, Bytes);
        }
    }
}

template <int Bytes>
void placeRows(const uchar *rows, qsizetype rowBytes, int firstRow, int count, QSize stored,
               Orientation orientation, QImage &upright)
{
    const int w = stored.width(), h = stored.height();
    switch (orientation) {
    case Orientation::Normal:
    case Orientation::MirrorX:
    case Orientation::Rotate180:
    case Orientation::MirrorY:
        for (int i = 0; i < count; ++i) {
            const int y = firstRow + i;
            const bool upsideDown = orientation == Orientation::Rotate180 || orientation == Orientation::MirrorY;
            const bool reversed = orientation == Orientation::MirrorX || orientation == Orientation::Rotate180;
            uchar *to = upright.scanLine(upsideDown ? h - 1 - y : y);
            const uchar *from = rows + i * rowBytes;
            if (reversed)
                copyReversed<Bytes>(from, to, w);
            else
                std::memcpy(to, from, std::size_t(w) * Bytes);
        }
        return;
    default:
        placeAcross<Bytes>(rows, rowBytes, firstRow, count, stored, orientation, upright);
    }
}

} // namespace

Orientation orientationFromTag(int value)
{
    return value >= 1 && value <= 8 ? Orientation(value) : Orientation::Normal;
}

bool swapsSides(Orientation orientation)
{
    return int(orientation) >= int(Orientation::Transpose);
}

QSize uprightSize(QSize stored, Orientation orientation)
{
    return swapsSides(orientation) ? stored.transposed() : stored;
}

QPoint uprightPosition(QPoint p, QSize stored, Orientation orientation)
{
    const int w = stored.width(), h = stored.height(), x = p.x(), y = p.y();
    switch (orientation) {
    case Orientation::Normal: return {x, y};
    case Orientation::MirrorX: return {w - 1 - x, y};
    case Orientation::Rotate180: return {w - 1 - x, h - 1 - y};
    case Orientation::MirrorY: return {x, h - 1 - y};
    case Orientation::Transpose: return {y, x};
    case Orientation::Rotate90: return {h - 1 - y, x};
    case Orientation::Transverse: return {h - 1 - y, w - 1 - x};
    case Orientation::Rotate270: return {y, w - 1 - x};
    }
    return {x, y};
}

void placeStoredRows(const uchar *rows, qsizetype rowBytes, int firstRow, int count, QSize stored,
                     Orientation orientation, QImage &upright)
{
    switch (upright.depth()) {
    case 8: placeRows<1>(rows, rowBytes, firstRow, count, stored, orientation, upright); break;
    case 16: placeRows<2>(rows, rowBytes, firstRow, count, stored, orientation, upright); break;
    case 24: placeRows<3>(rows, rowBytes, firstRow, count, stored, orientation, upright); break;
    case 32: placeRows<4>(rows, rowBytes, firstRow, count, stored, orientation, upright); break;
    case 64: placeRows<8>(rows, rowBytes, firstRow, count, stored, orientation, upright); break;
    default: break;
    }
}

QImage turnUpright(const QImage &stored, Orientation orientation)
{
    if (orientation == Orientation::Normal || stored.isNull())
        return stored;
    QImage source = stored;
    if (source.depth() % 8 != 0 || source.depth() > 64)
        source = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const QSize size = uprightSize(source.size(), orientation);
    QImage upright = newLargePicture(size.width(), size.height(), source.format());
    if (upright.isNull())
        return {};
    upright.setColorTable(source.colorTable());
    upright.setDotsPerMeterX(swapsSides(orientation) ? source.dotsPerMeterY() : source.dotsPerMeterX());
    upright.setDotsPerMeterY(swapsSides(orientation) ? source.dotsPerMeterX() : source.dotsPerMeterY());
    placeStoredRows(source.constBits(), source.bytesPerLine(), 0, source.height(), source.size(), orientation, upright);
    return upright;
}

} // namespace imaging
