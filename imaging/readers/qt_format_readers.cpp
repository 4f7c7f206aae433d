// GIF through Qt's own reader, with the format forced: it handles every variant we need
// (87a and 89a, global and local colour tables, interlacing, the transparent index, the
// first frame of an animation). Qt's reader gives whatever rows it decoded when the data
// ends early, so the first frame's blocks are walked first: a frame whose data is cut
// short, or a picture without any colour table, is refused.
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

// Skips a chain of data sub-blocks (a length byte, then that many bytes) up to its empty
// terminator; -1 when the data ends first.
qsizetype skipSubBlocks(const ByteView &v, qsizetype at)
{
    while (v.has(at, 1)) {
        const int length = v.u8(at);
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return -1;
}

qsizetype colourTableBytes(int packed)
{
    return (packed & 0x80) ? 3 * (qsizetype(2) << (packed & 7)) : 0;
}

// The first frame (its descriptor, colour table and image data) is all there, and some
// colour table gives its colours.
Result<void> checkFirstFrame(const ByteView &v)
{
    const qsizetype globalTable = colourTableBytes(v.u8(10));
    qsizetype at = 13 + globalTable;
    while (v.has(at, 1)) {
        const int introducer = v.u8(at);
        if (introducer == 0x21) { // extension: a label, then sub-blocks
            at = skipSubBlocks(v, at + 2);
            if (at < 0)
                break;
        } else if (introducer == 0x2C) {
            if (!v.has(at, 10))
                break;
            const qsizetype localTable = colourTableBytes(v.u8(at + 9));
            if (globalTable == 0 && localTable == 0)
                return fail(QStringLiteral("Fichier GIF illisible : aucune palette."));
            // The LZW code size, then the image data.
            if (!v.has(at + 10 + localTable, 1) || skipSubBlocks(v, at + 11 + localTable) < 0)
                break;
            return {};
        } else {
            return std::unexpected(corruptData("GIF")); // the trailer, or garbage, before any frame
        }
    }
    return std::unexpected(truncatedFile("GIF"));
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
    if (auto complete = checkFirstFrame(v); !complete)
        return std::unexpected(complete.error());
    return readWithQt(data, "gif", "GIF");
}

} // namespace imaging::readers
