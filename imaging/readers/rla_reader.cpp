// Alias/Wavefront run-length images (.rla, .rpf): a 740-byte big-endian header (window and
// active window, channel counts, descriptive texts, bits per channel), a table of
// scanline offsets (bottom row first), and per scanline each colour, matte and auxiliary
// channel as a 16-bit length and run-length encoded bytes: a count c >= 0 repeats the next
// byte c + 1 times, c < 0 copies -c bytes. 8-bit channels; 1 (grey) or 3 colour channels,
// the first matte channel as alpha; auxiliary channels (depth...) are not shown.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "RLA";
constexpr qsizetype kHeaderSize = 740;
constexpr quint16 kRevision = 0xFFFE;

struct RlaHeader {
    int width = 0;
    int height = 0;
    int colourChannels = 0;
    int matteChannels = 0;
    int auxChannels = 0;
};

Result<RlaHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    RlaHeader h;
    h.width = int(v.be16s(10)) - int(v.be16s(8)) + 1;
    h.height = int(v.be16s(14)) - int(v.be16s(12)) + 1;
    h.colourChannels = v.be16s(20), h.matteChannels = v.be16s(22), h.auxChannels = v.be16s(24);
    if (h.colourChannels != 1 && h.colourChannels != 3)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 canaux de couleur").arg(h.colourChannels)));
    if (h.matteChannels < 0 || h.auxChannels < 0 || h.width < 1 || h.height < 1)
        return std::unexpected(invalidHeader(kFormat));
    const int colourBits = v.be16s(658), matteBits = v.be16s(662);
    if ((colourBits != 8 && colourBits != 0) || (h.matteChannels > 0 && matteBits != 8 && matteBits != 0))
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits par canal").arg(colourBits)));
    return h;
}

// Unpacks one channel of a scanline; false when the runs overflow the row or the data.
bool unpackChannel(const ByteView &v, qsizetype p, qsizetype length, uchar *values, int width)
{
    if (!v.has(p, length))
        return false;
    const qsizetype end = p + length;
    int x = 0;
    while (p < end && x < width) {
        const int count = qint8(v.u8(p++));
        if (count >= 0) {
            if (p >= end || x + count + 1 > width)
                return false;
            std::fill_n(values + x, count + 1, v.u8(p++));
            x += count + 1;
        } else {
            if (p - count > end || x - count > width)
                return false;
            std::copy_n(v.data() + p, -count, values + x);
            p -= count, x -= count;
        }
    }
    return x == width;
}

Result<void> decodeScanline(const ByteView &v, qsizetype p, const RlaHeader &h, std::vector<std::vector<uchar>> &channels)
{
    const int wanted = int(channels.size());
    for (int c = 0; c < wanted; ++c) {
        if (!v.has(p, 2))
            return std::unexpected(truncatedFile(kFormat));
        const qsizetype length = v.be16(p);
        if (!unpackChannel(v, p + 2, length, channels[size_t(c)].data(), h.width))
            return std::unexpected(corruptData(kFormat));
        p += 2 + length;
    }
    return {};
}

void writeRow(const std::vector<std::vector<uchar>> &channels, const RlaHeader &h, uchar *dst, bool alpha)
{
    const auto &r = channels[0];
    const auto &g = h.colourChannels == 3 ? channels[1] : r, &b = h.colourChannels == 3 ? channels[2] : r;
    for (int x = 0; x < h.width; ++x) {
        if (alpha)
            reinterpret_cast<QRgb *>(dst)[x] = qRgba(r[x], g[x], b[x], channels.back()[x]);
        else
            dst[3 * x] = b[x], dst[3 * x + 1] = g[x], dst[3 * x + 2] = r[x];
    }
}

} // namespace

bool looksLikeRla(QByteArrayView data)
{
    const ByteView v(data);
    return v.has(0, kHeaderSize) && v.be16(26) == kRevision && parseHeader(v).has_value();
}

std::optional<QSize> rlaSize(QByteArrayView data)
{
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodeRla(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    if (!v.has(kHeaderSize, 4 * qint64(h->height)))
        return std::unexpected(truncatedFile(kFormat));
    const bool alpha = h->matteChannels > 0;
    auto out = newPicture(h->width, h->height, alpha, kFormat);
    if (!out)
        return out;
    std::vector<std::vector<uchar>> channels(size_t(h->colourChannels + (alpha ? 1 : 0)), std::vector<uchar>(size_t(h->width)));
    for (int row = 0; row < h->height; ++row) {
        const qint64 offset = v.be32s(kHeaderSize + 4 * qsizetype(row));
        if (auto ok = decodeScanline(v, offset, *h, channels); !ok)
            return std::unexpected(ok.error());
        writeRow(channels, *h, out->scanLine(h->height - 1 - row), alpha);
    }
    return alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
