// SGI images (.sgi, .rgb, .rgba, .bw): a 512-byte big-endian header, then one plane per
// channel, bottom row first, stored verbatim or with a table of run-length encoded rows.
// 1 (grey), 2 (grey + alpha), 3 (RGB) or 4 (RGBA) channels of 8 or 16 bits.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <array>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "SGI";
constexpr qsizetype kHeaderSize = 512;
constexpr quint16 kMagic = 474;

struct SgiHeader {
    bool rle = false;
    int bytesPerChannel = 1;
    int width = 0;
    int height = 0;
    int channels = 0; // in the file
};

Result<SgiHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    if (v.be16(0) != kMagic)
        return std::unexpected(invalidHeader(kFormat));
    SgiHeader h;
    h.rle = v.u8(2) == 1;
    h.bytesPerChannel = v.u8(3);
    const int dimension = v.be16(4);
    h.width = v.be16(6);
    h.height = dimension >= 2 ? v.be16(8) : 1;
    h.channels = dimension >= 3 ? v.be16(10) : 1;
    if (v.u8(2) > 1 || (h.bytesPerChannel != 1 && h.bytesPerChannel != 2) || dimension < 1 || dimension > 3 || h.channels < 1)
        return std::unexpected(invalidHeader(kFormat));
    if (v.be32(104) != 0)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("table de couleurs %1").arg(v.be32(104))));
    return h;
}

// The channels we use: grey (+ alpha) or red, green, blue (+ alpha); further ones are ignored.
int usedChannels(const SgiHeader &h)
{
    return std::min(h.channels, 4);
}

// Unpacks one run-length encoded row of `width` values (bytes or big-endian words): a count
// item whose top bit marks literal values, a count of 0 ends the row.
bool unpackRow(const ByteView &v, qint64 start, qint64 length, const SgiHeader &h, quint16 *values)
{
    const int size = h.bytesPerChannel;
    const qint64 end = start + length;
    if (start < kHeaderSize || !v.has(start, length))
        return false;
    auto item = [&](qint64 at) -> int { return size == 1 ? v.u8(at) : v.be16(at); };
    int x = 0;
    qint64 p = start;
    while (p + size <= end) {
        const int control = item(p) & 0xFF;
        p += size;
        const int count = control & 0x7F;
        if (count == 0)
            break;
        if (x + count > h.width)
            return false;
        if (control & 0x80) {
            if (p + qint64(count) * size > end)
                return false;
            for (int i = 0; i < count; ++i, p += size)
                values[x++] = quint16(item(p));
        } else {
            if (p + size > end)
                return false;
            const quint16 value = quint16(item(p));
            p += size;
            std::fill_n(values + x, count, value);
            x += count;
        }
    }
    return x == h.width;
}

void readVerbatimRow(const ByteView &v, qint64 offset, const SgiHeader &h, quint16 *values)
{
    const uchar *src = v.data() + offset;
    if (h.bytesPerChannel == 1) {
        for (int x = 0; x < h.width; ++x)
            values[x] = src[x];
    } else {
        for (int x = 0; x < h.width; ++x)
            values[x] = quint16(src[2 * x] << 8 | src[2 * x + 1]);
    }
}

void writeRow(const std::array<std::vector<quint16>, 4> &planes, const SgiHeader &h, uchar *dst, bool alpha)
{
    const int used = usedChannels(h);
    const bool wide = h.bytesPerChannel == 2;
    auto byte = [&](int channel, int x) { return wide ? scaleToByte(planes[channel][x], 65535) : int(planes[channel][x]); };
    for (int x = 0; x < h.width; ++x) {
        const int r = byte(0, x);
        const int g = used >= 3 ? byte(1, x) : r, b = used >= 3 ? byte(2, x) : r;
        if (alpha)
            reinterpret_cast<QRgb *>(dst)[x] = qRgba(r, g, b, byte(used == 2 ? 1 : 3, x));
        else
            dst[3 * x] = uchar(b), dst[3 * x + 1] = uchar(g), dst[3 * x + 2] = uchar(r);
    }
}

Result<void> decodeRows(const ByteView &v, const SgiHeader &h, QImage &out, bool alpha)
{
    const int used = usedChannels(h);
    const qint64 rowBytes = qint64(h.width) * h.bytesPerChannel;
    const qint64 tableEntries = qint64(h.height) * h.channels;
    if (h.rle ? !v.has(kHeaderSize, tableEntries * 8) : !v.has(kHeaderSize, tableEntries * rowBytes))
        return std::unexpected(truncatedFile(kFormat));
    std::array<std::vector<quint16>, 4> planes;
    for (int c = 0; c < used; ++c)
        planes[c].resize(size_t(h.width));
    for (int y = 0; y < h.height; ++y) {
        for (int c = 0; c < used; ++c) {
            const qint64 index = qint64(c) * h.height + y;
            if (!h.rle) {
                readVerbatimRow(v, kHeaderSize + index * rowBytes, h, planes[c].data());
                continue;
            }
            const qint64 start = v.be32(kHeaderSize + 4 * index);
            const qint64 length = v.be32(kHeaderSize + 4 * tableEntries + 4 * index);
            if (!unpackRow(v, start, length, h, planes[c].data()))
                return std::unexpected(corruptData(kFormat));
        }
        writeRow(planes, h, out.scanLine(h.height - 1 - y), alpha);
    }
    return {};
}

} // namespace

bool looksLikeSgi(QByteArrayView data)
{
    return parseHeader(ByteView(data)).has_value();
}

std::optional<QSize> sgiSize(QByteArrayView data)
{
    auto h = parseHeader(ByteView(data));
    if (!h || h->width == 0)
        return std::nullopt;
    return QSize(h->width, h->height);
}

Result<QImage> decodeSgi(QByteArrayView data)
{
    const ByteView v(data);
    auto h = parseHeader(v);
    if (!h)
        return std::unexpected(h.error());
    if (auto ok = checkDimensions(h->width, h->height, kFormat); !ok)
        return std::unexpected(ok.error());
    const bool alpha = usedChannels(*h) == 2 || usedChannels(*h) == 4;
    auto out = newPicture(h->width, h->height, alpha, kFormat);
    if (!out)
        return out;
    if (auto ok = decodeRows(v, *h, *out, alpha); !ok)
        return std::unexpected(ok.error());
    return alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
