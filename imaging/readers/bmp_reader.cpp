// Windows bitmaps (.bmp, .rle, .dib): a 14-byte file header ("BM", file size, two reserved
// words, offset of the pixels) before a DIB. A .dib file may also be a bare packed DIB.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"
#include "imaging/readers/dib_decoder.h"

namespace imaging::readers {
namespace {

constexpr qsizetype kFileHeaderSize = 14;

bool isPackedDib(const ByteView &v)
{
    const quint32 size = v.le32(0);
    return v.size() >= 16 && (size == 12 || size == 40 || size == 52 || size == 56 || size == 64
                              || size == 108 || size == 124);
}

} // namespace

bool looksLikeBmp(QByteArrayView data)
{
    const ByteView v(data);
    return v.startsWith(0, "BM") && v.size() >= kFileHeaderSize + 12 && v.le32(14) >= 12 && v.le32(14) <= 124;
}

std::optional<QSize> bmpSize(QByteArrayView data)
{
    const ByteView v(data);
    if (looksLikeBmp(data))
        return dibSize(v.from(kFileHeaderSize));
    if (isPackedDib(v))
        return dibSize(data);
    return std::nullopt;
}

Result<QImage> decodeBmp(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.startsWith(0, "BM")) {
        if (isPackedDib(v))
            return decodePackedDib(data);
        return std::unexpected(invalidHeader("BMP"));
    }
    if (!v.has(0, kFileHeaderSize + 4))
        return std::unexpected(truncatedFile("BMP"));
    const QByteArrayView dib = v.from(kFileHeaderSize);
    const qsizetype headerAndTable = dibHeaderAndTableSize(dib);
    if (headerAndTable < 0)
        return std::unexpected(invalidHeader("BMP"));
    if (headerAndTable > dib.size())
        return std::unexpected(truncatedFile("BMP"));
    // The pixel offset of the file header wins when it is plausible; some writers leave it
    // 0, and then the pixels follow the colour table.
    qint64 pixels = v.le32(10);
    if (pixels < kFileHeaderSize + headerAndTable || pixels >= v.size())
        pixels = kFileHeaderSize + headerAndTable;
    return decodeDib(dib.first(headerAndTable), v.from(pixels));
}

} // namespace imaging::readers
