// Dr. Halo pictures (.cut): a 6-byte header (width, height, a reserved word), then per row
// a byte count and run-length encoded colour indices (a count byte: top bit set repeats
// the next byte, clear copies that many bytes, 0 ends the row). The colours are in a
// palette file of the same name with the extension .pal: a 40-byte header ("AH", ...,
// largest index, largest red, green and blue values) and 16-bit red, green, blue entries
// that never straddle its 512-byte blocks. Without a palette the indices are grey levels.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "CUT";
constexpr qsizetype kHeaderSize = 6;
constexpr qsizetype kPaletteHeaderSize = 40;
constexpr qsizetype kPaletteBlock = 512;
constexpr qsizetype kPaletteEntry = 6;

std::optional<Palette> readHaloPalette(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.startsWith(0, "AH") || !v.has(0, kPaletteHeaderSize))
        return std::nullopt;
    const int largestIndex = std::min<int>(v.le16(12), 255);
    const quint32 maxRed = v.le16(14), maxGreen = v.le16(16), maxBlue = v.le16(18);
    if (maxRed == 0 || maxGreen == 0 || maxBlue == 0)
        return std::nullopt;
    Palette p;
    qsizetype at = kPaletteHeaderSize;
    for (int i = 0; i <= largestIndex; ++i) {
        if (at % kPaletteBlock + kPaletteEntry > kPaletteBlock)
            at += kPaletteBlock - at % kPaletteBlock;
        if (!v.has(at, kPaletteEntry))
            break;
        p.colours[i] = qRgb(scaleToByte(std::min<quint32>(v.le16(at), maxRed), maxRed),
                            scaleToByte(std::min<quint32>(v.le16(at + 2), maxGreen), maxGreen),
                            scaleToByte(std::min<quint32>(v.le16(at + 4), maxBlue), maxBlue));
        at += kPaletteEntry;
    }
    return p;
}

// Unpacks one row's runs (the bytes after its count) into indices; the rest stays 0.
void unpackRow(const ByteView &v, qsizetype p, qsizetype end, uchar *indices, int width)
{
    int x = 0;
    while (p < end && x < width) {
        const int control = v.u8(p++);
        const int count = control & 0x7F;
        if (control == 0)
            break;
        if (control & 0x80) {
            const uchar value = v.u8(p++);
            const int n = std::min(count, width - x);
            std::fill_n(indices + x, n, value);
            x += n;
        } else {
            const int n = int(std::min<qsizetype>({qsizetype(count), qsizetype(width - x), end - p}));
            std::copy_n(v.data() + p, n, indices + x);
            x += n, p += count;
        }
    }
}

} // namespace

std::optional<QSize> cutSize(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.has(0, kHeaderSize) || v.le16(0) == 0 || v.le16(2) == 0)
        return std::nullopt;
    return QSize(v.le16(0), v.le16(2));
}

Result<QImage> decodeCut(QByteArrayView data, QByteArrayView paletteFile)
{
    const ByteView v(data);
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    const int width = v.le16(0), height = v.le16(2);
    if (auto ok = checkDimensions(width, height, kFormat); !ok)
        return std::unexpected(ok.error());
    // Every row starts with its two-byte count.
    if (!v.has(kHeaderSize, 2 * qint64(height)))
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(width, height, false, kFormat);
    if (!out)
        return out;
    const Palette palette = readHaloPalette(paletteFile).value_or(Palette::grey());
    std::vector<uchar> indices(static_cast<size_t>(width));
    qsizetype p = kHeaderSize;
    for (int y = 0; y < height; ++y) {
        if (!v.has(p, 2))
            return std::unexpected(truncatedFile(kFormat));
        const qsizetype end = std::min<qsizetype>(p + 2 + v.le16(p), v.size());
        std::fill(indices.begin(), indices.end(), 0);
        unpackRow(v, p + 2, end, indices.data(), width);
        expandIndexedRow(indices.data(), 8, width, palette, out->scanLine(y), false);
        p = end;
    }
    return out;
}

} // namespace imaging::readers
