// Autodesk Animator pictures and cels (.pic, .cel): a 32-byte header (0x9119, width,
// height, x and y offset, 8 bits per pixel, compression 0, data size), a 768-byte VGA
// palette of 6-bit values, then one byte per pixel, top row first. A cel is shown at its
// own size; its offset places it on the animation's screen and does not matter here.
// Animator Pro wrote its cels as one-frame flics instead (autodesk_flic.cpp).
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/autodesk_flic.h"
#include "imaging/readers/decode_support.h"

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "CEL";
constexpr qsizetype kHeaderSize = 32;
constexpr qsizetype kPaletteSize = 768;
constexpr quint16 kMagic = 0x9119;

Palette readPalette(const ByteView &v)
{
    // The palette is 6-bit VGA values; a file with larger values was written with 8-bit ones.
    int largest = 0;
    for (qsizetype i = 0; i < kPaletteSize; ++i)
        largest = std::max<int>(largest, v.u8(kHeaderSize + i));
    const quint32 maxValue = largest > 63 ? 255 : 63;
    Palette p;
    for (int i = 0; i < 256; ++i) {
        const qsizetype at = kHeaderSize + 3 * i;
        p.colours[i] = qRgb(scaleToByte(v.u8(at), maxValue), scaleToByte(v.u8(at + 1), maxValue),
                            scaleToByte(v.u8(at + 2), maxValue));
    }
    return p;
}

} // namespace

bool looksLikeAutodeskCel(QByteArrayView data)
{
    const ByteView v(data);
    return (v.has(0, kHeaderSize) && v.le16(0) == kMagic && v.u8(10) == 8 && v.u8(11) == 0) || looksLikeFlic(data);
}

std::optional<QSize> autodeskCelSize(QByteArrayView data)
{
    if (looksLikeFlic(data))
        return flicSize(data);
    if (!looksLikeAutodeskCel(data))
        return std::nullopt;
    const ByteView v(data);
    return QSize(v.le16(2), v.le16(4));
}

Result<QImage> decodeAutodeskCel(QByteArrayView data)
{
    const ByteView v(data);
    if (v.le16(0) != kMagic && (v.le16(4) == 0xAF12 || v.le16(4) == 0xAF11))
        return decodeFlic(data);
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    if (v.le16(0) != kMagic)
        return std::unexpected(invalidHeader(kFormat));
    if (v.u8(10) != 8 || v.u8(11) != 0)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits, compression %2").arg(v.u8(10)).arg(v.u8(11))));
    const int width = v.le16(2), height = v.le16(4);
    if (auto ok = checkDimensions(width, height, kFormat); !ok)
        return std::unexpected(ok.error());
    const qsizetype pixels = kHeaderSize + kPaletteSize;
    if (!v.has(pixels, qint64(width) * height))
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(width, height, false, kFormat);
    if (!out)
        return out;
    const Palette palette = readPalette(v);
    for (int y = 0; y < height; ++y)
        expandIndexedRow(v.data() + pixels + qsizetype(y) * width, 8, width, palette, out->scanLine(y), false);
    return out;
}

} // namespace imaging::readers
