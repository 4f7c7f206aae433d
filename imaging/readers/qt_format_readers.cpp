// GIF through Qt's own reader, with the format forced: it handles every variant we need
// (87a and 89a, global and local colour tables, interlacing, the transparent index, the
// first frame of an animation).
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <QBuffer>
#include <QImageReader>

namespace imaging::readers {
namespace {

Result<QImage> readWithQt(QByteArrayView data, const char *qtFormat, const char *format)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormat);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid())
        if (auto ok = checkDimensions(size.width(), size.height(), format); !ok)
            return std::unexpected(ok.error());
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return std::unexpected(corruptData(format));
    if (auto ok = checkDimensions(picture.width(), picture.height(), format); !ok)
        return std::unexpected(ok.error());
    const QImage converted = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    if (converted.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.").arg(picture.width()).arg(picture.height()));
    return converted;
}

} // namespace

bool looksLikeGif(QByteArrayView data)
{
    const ByteView v(data);
    return v.startsWith(0, "GIF87a") || v.startsWith(0, "GIF89a");
}

// The logical screen size follows the signature.
std::optional<QSize> gifSize(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikeGif(data) || !v.has(0, 10) || v.le16(6) == 0 || v.le16(8) == 0)
        return std::nullopt;
    return QSize(v.le16(6), v.le16(8));
}

Result<QImage> decodeGif(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikeGif(data) || !v.has(0, 10))
        return std::unexpected(invalidHeader("GIF"));
    if (auto ok = checkDimensions(std::max<int>(v.le16(6), 1), std::max<int>(v.le16(8), 1), "GIF"); !ok)
        return std::unexpected(ok.error());
    return readWithQt(data, "gif", "GIF");
}

} // namespace imaging::readers
