// Photoshop documents (.psd, .pdd, and the large-document variant): we show the merged
// composite that follows the layers. A 26-byte header, then the colour mode data (the
// palette of indexed documents), image resources and layers, which are skipped, then the
// composite: planar channels, raw, PackBits-compressed (a table of row byte counts first)
// or deflated (with or without row prediction). Bitmap, grey, duotone, indexed, RGB, CMYK
// and multichannel documents of 1, 8 and 16 bits.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <vector>
#include <zlib.h>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PSD";
constexpr qsizetype kHeaderSize = 26;

enum Mode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kDuotone = 8 };

struct PsdHeader {
    bool large = false; // version 2
    int channels = 0;
    qint64 width = 0;
    qint64 height = 0;
    int depth = 0;
    int mode = 0;
    Palette palette;
    qint64 imageData = 0; // offset of the composite's compression word
};

Result<void> skipSection(const ByteView &v, qint64 &p, bool wideLength)
{
    const int lengthSize = wideLength ? 8 : 4;
    if (!v.has(p, lengthSize))
        return std::unexpected(truncatedFile(kFormat));
    const quint64 length = wideLength ? (quint64(v.be32(p)) << 32 | v.be32(p + 4)) : v.be32(p);
    p += lengthSize;
    if (length > quint64(v.size()) || !v.has(p, qint64(length)))
        return std::unexpected(truncatedFile(kFormat));
    p += qint64(length);
    return {};
}

Result<PsdHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    const int version = v.be16(4);
    if (!v.startsWith(0, "8BPS") || (version != 1 && version != 2))
        return std::unexpected(invalidHeader(kFormat));
    PsdHeader h;
    h.large = version == 2;
    h.channels = v.be16(12), h.height = v.be32(14), h.width = v.be32(18);
    h.depth = v.be16(22), h.mode = v.be16(24);
    if (h.channels < 1 || h.channels > 56)
        return std::unexpected(invalidHeader(kFormat));
    if (h.depth != 1 && h.depth != 8 && h.depth != 16)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits par canal").arg(h.depth)));
    const bool known = h.mode == kGrey || h.mode == kIndexed || h.mode == kRgb || h.mode == kCmyk
        || h.mode == kMultichannel || h.mode == kDuotone || (h.mode == kBitmap && h.depth == 1);
    if (!known || (h.depth == 1 && h.mode != kBitmap) || (h.mode == kRgb && h.channels < 3) || (h.mode == kCmyk && h.channels < 4))
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("mode %1").arg(h.mode)));
    return h;
}

// The colour mode data of an indexed document: 256 reds, then 256 greens, then 256 blues.
Result<void> readSections(const ByteView &v, PsdHeader &h)
{
    qint64 p = kHeaderSize;
    const qint64 modeData = p + 4;
    if (auto ok = skipSection(v, p, false); !ok)
        return ok;
    if (h.mode == kIndexed) {
        if (p - modeData < 768)
            return std::unexpected(invalidHeader(kFormat));
        for (int i = 0; i < 256; ++i)
            h.palette.colours[i] = qRgb(v.u8(modeData + i), v.u8(modeData + 256 + i), v.u8(modeData + 512 + i));
    }
    if (auto ok = skipSection(v, p, false); !ok) // image resources
        return ok;
    if (auto ok = skipSection(v, p, h.large); !ok) // layers and masks
        return ok;
    h.imageData = p;
    return {};
}

// How many channels of the composite we draw, and whether the last of them is alpha.
struct Layout {
    int used = 0;
    bool alpha = false;
};

Layout layoutOf(const PsdHeader &h)
{
    switch (h.mode) {
    case kRgb: return {std::min(h.channels, 4), h.channels >= 4};
    case kCmyk: return {std::min(h.channels, 5), h.channels >= 5};
    case kGrey: case kDuotone: return {std::min(h.channels, 2), h.channels >= 2};
    default: return {1, false};
    }
}

qint64 rowBytesOf(const PsdHeader &h)
{
    return (h.width * h.depth + 7) / 8;
}

// Receives the composite row by row, channel by channel, as 8-bit values (bits for bitmap
// documents), and builds the picture.
class CompositeWriter {
public:
    CompositeWriter(const PsdHeader &h, Layout layout, QImage &out) : m_h(h), m_layout(layout), m_out(out)
    {
        if (h.mode == kCmyk)
            m_inks.resize(size_t(4 * h.width * h.height));
    }

    void write(int channel, qint64 y, const uchar *values)
    {
        uchar *dst = m_out.scanLine(int(y));
        const qint64 w = m_h.width;
        if (m_layout.alpha && channel == m_layout.used - 1) {
            for (qint64 x = 0; x < w; ++x)
                dst[4 * x + 3] = values[x];
            return;
        }
        const int step = m_layout.alpha ? 4 : 3;
        switch (m_h.mode) {
        case kRgb:
            for (qint64 x = 0; x < w; ++x)
                dst[step * x + 2 - channel] = values[x];
            break;
        case kCmyk:
            std::copy_n(values, w, m_inks.data() + (channel * m_h.height + y) * w);
            break;
        case kIndexed:
            for (qint64 x = 0; x < w; ++x)
                putBgr(dst + step * x, m_h.palette[values[x]]);
            break;
        case kBitmap:
            for (qint64 x = 0; x < w; ++x) {
                const uchar v = (values[x / 8] & (0x80 >> (x % 8))) ? 0 : 255; // a set bit is black
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = v;
            }
            break;
        default:
            for (qint64 x = 0; x < w; ++x)
                dst[step * x] = dst[step * x + 1] = dst[step * x + 2] = values[x];
        }
    }

    // CMYK values are stored inverted: 255 is no ink.
    void finish()
    {
        if (m_h.mode != kCmyk)
            return;
        const qint64 plane = m_h.width * m_h.height;
        const int step = m_layout.alpha ? 4 : 3;
        for (qint64 y = 0; y < m_h.height; ++y) {
            uchar *dst = m_out.scanLine(int(y));
            for (qint64 x = 0; x < m_h.width; ++x) {
                const qint64 i = y * m_h.width + x;
                const int k = m_inks[size_t(3 * plane + i)];
                dst[step * x + 2] = uchar(m_inks[size_t(i)] * k / 255);
                dst[step * x + 1] = uchar(m_inks[size_t(plane + i)] * k / 255);
                dst[step * x] = uchar(m_inks[size_t(2 * plane + i)] * k / 255);
            }
        }
    }

private:
    const PsdHeader &m_h;
    Layout m_layout;
    QImage &m_out;
    std::vector<uchar> m_inks;
};

// PackBits: n in 0..127 copies n + 1 bytes, n in -127..-1 repeats the next byte 1 - n
// times, -128 does nothing.
bool unpackBits(const ByteView &v, qint64 p, qint64 length, uchar *row, qint64 rowBytes)
{
    if (!v.has(p, length))
        return false;
    const qint64 end = p + length;
    qint64 x = 0;
    while (x < rowBytes && p < end) {
        const int n = qint8(v.u8(p++));
        if (n >= 0) {
            if (x + n + 1 > rowBytes || p + n + 1 > end)
                return false;
            std::copy_n(v.data() + p, n + 1, row + x);
            p += n + 1, x += n + 1;
        } else if (n != -128) {
            if (x + 1 - n > rowBytes || p >= end)
                return false;
            std::fill_n(row + x, 1 - n, v.u8(p++));
            x += 1 - n;
        }
    }
    return x == rowBytes;
}

// 16-bit rows (big-endian) become 8-bit values; 1- and 8-bit rows pass unchanged.
const uchar *toBytes(const PsdHeader &h, const uchar *row, std::vector<uchar> &buffer)
{
    if (h.depth != 16)
        return row;
    for (qint64 x = 0; x < h.width; ++x)
        buffer[size_t(x)] = uchar(scaleToByte(quint32(row[2 * x] << 8 | row[2 * x + 1]), 65535));
    return buffer.data();
}

Result<void> decodeRaw(const ByteView &v, const PsdHeader &h, Layout layout, CompositeWriter &writer)
{
    const qint64 rowBytes = rowBytesOf(h);
    const qint64 start = h.imageData + 2;
    if (!v.has(start, rowBytes * h.height * layout.used))
        return std::unexpected(truncatedFile(kFormat));
    std::vector<uchar> buffer(size_t(h.width));
    for (int c = 0; c < layout.used; ++c)
        for (qint64 y = 0; y < h.height; ++y)
            writer.write(c, y, toBytes(h, v.data() + start + (c * h.height + y) * rowBytes, buffer));
    return {};
}

Result<void> decodePackBits(const ByteView &v, const PsdHeader &h, Layout layout, CompositeWriter &writer)
{
    const int countSize = h.large ? 4 : 2;
    const qint64 rows = h.height * h.channels;
    const qint64 table = h.imageData + 2;
    if (!v.has(table, rows * countSize))
        return std::unexpected(truncatedFile(kFormat));
    const qint64 rowBytes = rowBytesOf(h);
    std::vector<uchar> row(static_cast<size_t>(rowBytes)), buffer(static_cast<size_t>(h.width));
    qint64 p = table + rows * countSize;
    for (int c = 0; c < layout.used; ++c) {
        for (qint64 y = 0; y < h.height; ++y) {
            const qint64 at = table + (c * h.height + y) * countSize;
            const qint64 length = h.large ? v.be32(at) : v.be16(at);
            if (!unpackBits(v, p, length, row.data(), rowBytes))
                return std::unexpected(corruptData(kFormat));
            writer.write(c, y, toBytes(h, row.data(), buffer));
            p += length;
        }
    }
    return {};
}

// Deflated channels; with prediction each row holds differences from the value to its left.
Result<void> decodeZip(const ByteView &v, const PsdHeader &h, Layout layout, CompositeWriter &writer, bool predicted)
{
    const qint64 rowBytes = rowBytesOf(h);
    const qint64 total = rowBytes * h.height * layout.used;
    const QByteArrayView packed = v.from(h.imageData + 2);
    if (packed.size() < 8 || total / 1032 > packed.size()) // deflate cannot expand more than 1032:1
        return std::unexpected(truncatedFile(kFormat));
    std::vector<uchar> plain(static_cast<size_t>(total));
    uLongf size = uLongf(total);
    const int status = uncompress(plain.data(), &size, reinterpret_cast<const Bytef *>(packed.data()), uLong(packed.size()));
    if ((status != Z_OK && status != Z_BUF_ERROR) || qint64(size) != total)
        return std::unexpected(corruptData(kFormat));
    std::vector<uchar> buffer(size_t(h.width));
    for (int c = 0; c < layout.used; ++c) {
        for (qint64 y = 0; y < h.height; ++y) {
            uchar *row = plain.data() + (c * h.height + y) * rowBytes;
            if (predicted && h.depth == 8) {
                for (qint64 x = 1; x < rowBytes; ++x)
                    row[x] = uchar(row[x] + row[x - 1]);
            } else if (predicted && h.depth == 16) {
                for (qint64 x = 1; x < h.width; ++x) {
                    const int value = (row[2 * x] << 8 | row[2 * x + 1]) + (row[2 * x - 2] << 8 | row[2 * x - 1]);
                    row[2 * x] = uchar(value >> 8), row[2 * x + 1] = uchar(value);
                }
            }
            writer.write(c, y, toBytes(h, row, buffer));
        }
    }
    return {};
}

} // namespace

bool looksLikePsd(QByteArrayView data)
{
    const ByteView v(data);
    return v.startsWith(0, "8BPS") && (v.be16(4) == 1 || v.be16(4) == 2);
}

std::optional<QSize> psdSize(QByteArrayView data)
{
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodePsd(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    if (auto ok = readSections(v, *h); !ok)
        return std::unexpected(ok.error());
    if (!v.has(h->imageData, 2))
        return std::unexpected(truncatedFile(kFormat));
    const int compression = v.be16(h->imageData);
    if (compression > 3)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("compression %1").arg(compression)));
    const Layout layout = layoutOf(*h);
    // Raw rows must all be there; a PackBits row of 2 bytes gives at most 128 bytes.
    const qint64 bytes = rowBytesOf(*h) * h->height * layout.used;
    // Deflate expands at most 1032 times.
    const qint64 packed = v.size() - h->imageData - 2;
    if ((compression == 0 && !v.has(h->imageData + 2, bytes)) || (compression == 1 && (v.size() / 2 + 1) * 128 < bytes)
        || (compression >= 2 && packed * 1032 < bytes))
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(h->width, h->height, layout.alpha, kFormat);
    if (!out)
        return out;
    CompositeWriter writer(*h, layout, *out);
    Result<void> ok = compression == 0 ? decodeRaw(v, *h, layout, writer)
        : compression == 1             ? decodePackBits(v, *h, layout, writer)
                                       : decodeZip(v, *h, layout, writer, compression == 3);
    if (!ok)
        return std::unexpected(ok.error());
    writer.finish();
    return layout.alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
