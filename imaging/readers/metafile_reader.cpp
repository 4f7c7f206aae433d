// Windows metafiles (.wmf, with or without the 22-byte placeable header, and .emf) are
// played onto a white picture of their own size: the placeable header's box or the EMF
// frame at 96 dots per inch, the window extent for a bare WMF; the longest side is kept
// to 2000 pixels. The records must run up to the end-of-file record.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"
#include "imaging/readers/metafile_players.h"

#include <cmath>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "WMF";
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kEmfHeaderMinimum = 88;
constexpr double kDpi = 96;
constexpr double kLongestSide = 2000;

enum class Kind { None, Placeable, Bare, Enhanced };

bool standardWmfHeader(const ByteView &v, qsizetype at)
{
    const int type = v.le16(at), headerWords = v.le16(at + 2), version = v.le16(at + 4);
    return v.has(at, 18) && (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

Kind kindOf(const ByteView &v)
{
    if (v.le32(0) == kPlaceableKey && v.has(0, kPlaceableSize + 18))
        return Kind::Placeable;
    if (standardWmfHeader(v, 0))
        return Kind::Bare;
    if (v.le32(0) == 1 && v.le32(4) >= kEmfHeaderMinimum && v.has(0, v.le32(4)) && v.startsWith(40, " EMF"))
        return Kind::Enhanced;
    return Kind::None;
}

// The picture size for an extent in pixels: at least 1, the longest side at most 2000.
std::optional<QSize> fitted(double width, double height)
{
    width = std::abs(width), height = std::abs(height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0.5 || height < 0.5)
        return std::nullopt;
    const double scale = std::min(1.0, kLongestSide / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

// A bare WMF has no size of its own: we take its window, in logical units as pixels.
// `firstRecord` follows the standard header.
std::optional<QRectF> firstWindow(const ByteView &v, qsizetype firstRecord)
{
    QPointF origin;
    for (qsizetype p = firstRecord; v.has(p, 6);) {
        const qint64 words = v.le32(p);
        const int function = v.le16(p + 4);
        if (function == 0 || words < 3 || !v.has(p, 2 * words))
            break;
        if (function == 0x020B && words >= 5)
            origin = QPointF(v.le16s(p + 8), v.le16s(p + 6));
        if (function == 0x020C && words >= 5)
            return QRectF(origin, QSizeF(v.le16s(p + 8), v.le16s(p + 6)));
        p += 2 * words;
    }
    return std::nullopt;
}

QRectF placeableBox(const ByteView &v)
{
    return QRectF(QPointF(v.le16s(6), v.le16s(8)), QPointF(v.le16s(10), v.le16s(12)));
}

double placeableUnitsPerInch(const ByteView &v)
{
    return v.le16(14) == 0 ? 1440 : v.le16(14);
}

// Reference device pixels per millimetre: from the micrometre size when the header has
// it (it is exact), else from the millimetre size.
QPointF emfDevicePixelsPerMm(const ByteView &v)
{
    const double devW = v.le32s(72), devH = v.le32s(76);
    double mmW = v.le32s(80), mmH = v.le32s(84);
    if (v.le32(4) >= 108 && v.le32s(100) > 0 && v.le32s(104) > 0)
        mmW = v.le32s(100) / 1000.0, mmH = v.le32s(104) / 1000.0;
    if (devW <= 0 || devH <= 0 || mmW <= 0 || mmH <= 0)
        return QPointF(kDpi / 25.4, kDpi / 25.4);
    return QPointF(devW / mmW, devH / mmH);
}

// The EMF frame (hundredths of a millimetre) in reference device pixels; the bounds
// (device pixels, inclusive) when the frame is empty.
QRectF emfFrameInDevicePixels(const ByteView &v)
{
    const QPointF perMm = emfDevicePixelsPerMm(v);
    const QRectF frame(QPointF(v.le32s(24), v.le32s(28)), QPointF(v.le32s(32), v.le32s(36)));
    if (frame.width() > 0 && frame.height() > 0)
        return QRectF(frame.left() / 100 * perMm.x(), frame.top() / 100 * perMm.y(),
                      frame.width() / 100 * perMm.x(), frame.height() / 100 * perMm.y());
    return QRectF(QPointF(v.le32s(8), v.le32s(12)), QPointF(v.le32s(16) + 1.0, v.le32s(20) + 1.0));
}

std::optional<QSize> emfPictureSize(const ByteView &v)
{
    const QRectF frame(QPointF(v.le32s(24), v.le32s(28)), QPointF(v.le32s(32), v.le32s(36)));
    if (frame.width() > 0 && frame.height() > 0)
        return fitted(frame.width() * kDpi / 2540, frame.height() * kDpi / 2540);
    const QRectF device = emfFrameInDevicePixels(v);
    const QPointF perMm = emfDevicePixelsPerMm(v);
    return fitted(device.width() * kDpi / 25.4 / perMm.x(), device.height() * kDpi / 25.4 / perMm.y());
}

bool playOnto(const ByteView &v, Kind kind, QImage &canvasImage)
{
    QPainter painter(&canvasImage);
    MetafileCanvas canvas(painter);
    const QSizeF picture = canvasImage.size();
    if (kind == Kind::Enhanced) {
        const QRectF frame = emfFrameInDevicePixels(v);
        const QTransform toPicture = QTransform::fromTranslate(-frame.left(), -frame.top())
            * QTransform::fromScale(picture.width() / frame.width(), picture.height() / frame.height());
        canvas.useDeviceMapping(toPicture, emfDevicePixelsPerMm(v).y());
        return playEmfRecords(QByteArrayView(v.data(), v.size()), canvas);
    }
    const qsizetype header = kind == Kind::Placeable ? kPlaceableSize : 0;
    QRectF window = kind == Kind::Placeable ? placeableBox(v) : QRectF();
    if (window.width() == 0 || window.height() == 0)
        window = firstWindow(v, header + 18).value_or(QRectF(QPointF(), picture));
    canvas.useWindowMapping(window, picture);
    return playWmfRecords(QByteArrayView(v.data(), v.size()), header + 2 * v.le16(header + 2), canvas);
}

} // namespace

bool looksLikeMetafile(QByteArrayView data)
{
    return kindOf(ByteView(data)) != Kind::None;
}

std::optional<QSize> metafileSize(QByteArrayView data)
{
    const ByteView v(data);
    switch (kindOf(v)) {
    case Kind::Placeable: {
        const QRectF box = placeableBox(v);
        const double inch = placeableUnitsPerInch(v);
        if (box.width() != 0 && box.height() != 0)
            return fitted(box.width() * kDpi / inch, box.height() * kDpi / inch);
        if (auto window = firstWindow(v, kPlaceableSize + 18))
            return fitted(window->width(), window->height());
        return std::nullopt;
    }
    case Kind::Bare:
        if (auto window = firstWindow(v, 18))
            return fitted(window->width(), window->height());
        return std::nullopt;
    case Kind::Enhanced: return emfPictureSize(v);
    case Kind::None: return std::nullopt;
    }
    return std::nullopt;
}

Result<QImage> decodeMetafile(QByteArrayView data)
{
    const ByteView v(data);
    const Kind kind = kindOf(v);
    if (kind == Kind::None)
        return std::unexpected(invalidHeader(kFormat));
    if (kind == Kind::Placeable && !standardWmfHeader(v, kPlaceableSize))
        return std::unexpected(invalidHeader(kFormat));
    const auto size = metafileSize(data);
    if (!size)
        return fail(QStringLiteral("Métafichier sans dimensions."));
    QImage canvasImage(*size, QImage::Format_RGB32);
    if (canvasImage.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.").arg(size->width()).arg(size->height()));
    canvasImage.fill(Qt::white);
    if (!playOnto(v, kind, canvasImage))
        return std::unexpected(truncatedFile(kFormat)); // a part of the drawing would be missing
    return canvasImage.convertToFormat(QImage::Format_BGR888);
}

} // namespace imaging::readers
