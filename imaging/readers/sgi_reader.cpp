// SGI images (.sgi, .rgb, .rgba, .bw): a 512-byte big-endian header, then one plane per
// channel, bottom row first, stored verbatim or with a table of run-length encoded rows.
// 1 (grey), 2 (grey + alpha), 3 (RGB) or 4 (RGBA) channels of 8 or 16 bits.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <array>
#include <cstring>
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

template <class Sample>
Sample sampleAt(const uchar *p)
{
    if constexpr (sizeof(Sample) == 1)
        return *p;
    else
        return Sample(p[0] << 8 | p[1]);
}

// Unpacks one run-length encoded row of `width` samples (bytes or big-endian words): a
// control item whose top bit marks literal samples and whose low 7 bits count them; a
// count of 0 ends the row.
template <class Sample>
bool unpackRow(const ByteView &v, qint64 start, qint64 length, int width, Sample *values)
{
    constexpr int size = sizeof(Sample);
    if (start < kHeaderSize || !v.has(start, length))
        return false;
    const uchar *p = v.data() + start, *const end = p + length;
    int x = 0;
    while (end - p >= size) {
        const int control = sampleAt<Sample>(p) & 0xFF;
        p += size;
        const int count = control & 0x7F;
        if (count == 0)
            break;
        if (x + count > width)
            return false;
        if (control & 0x80) {
            if (end - p < qsizetype(count) * size)
                return false;
            if constexpr (size == 1)
                std::memcpy(values + x, p, size_t(count));
            else
                for (int i = 0; i < count; ++i)
                    values[x + i] = sampleAt<Sample>(p + 2 * i);
            p += qsizetype(count) * size;
        } else {
            if (end - p < size)
                return false;
            std::fill_n(values + x, count, sampleAt<Sample>(p));
            p += size;
        }
        x += count;
    }
    return x == width;
}

template <class Sample>
void readVerbatimRow(const ByteView &v, qint64 offset, int width, Sample *values)
{
    const uchar *src = v.data() + offset;
    for (int x = 0; x < width; ++x)
        values[x] = sampleAt<Sample>(src + x * qsizetype(sizeof(Sample)));
}

template <class Sample>
uchar toByte(Sample s)
{
    if constexpr (sizeof(Sample) == 1)
        return s;
    else
        return uchar((quint32(s) * 255 + 32767) / 65535);
}

template <class Sample>
void writeRow(const std::array<std::vector<Sample>, 4> &planes, int used, int width, uchar *dst, bool alpha)
{
    const Sample *r = planes[0].data();
    const Sample *g = used >= 3 ? planes[1].data() : r, *b = used >= 3 ? planes[2].data() : r;
    const Sample *a = alpha ? planes[used == 2 ? 1 : 3].data() : nullptr;
    for (int x = 0; x < width; ++x) {
        if (alpha)
            reinterpret_cast<QRgb *>(dst)[x] = qRgba(toByte(r[x]), toByte(g[x]), toByte(b[x]), toByte(a[x]));
        else
            dst[3 * x] = toByte(b[x]), dst[3 * x + 1] = toByte(g[x]), dst[3 * x + 2] = toByte(r[x]);
    }
}

template <class Sample>
Result<void> decodeRows(const ByteView &v, const SgiHeader &h, QImage &out, bool alpha)
{
    const int used = usedChannels(h);
    const qint64 rowBytes = qint64(h.width) * h.bytesPerChannel;
    const qint64 tableEntries = qint64(h.height) * h.channels;
    std::array<std::vector<Sample>, 4> planes;
    for (int c = 0; c < used; ++c)
        planes[c].resize(size_t(h.width));
    for (int y = 0; y < h.height; ++y) {
        for (int c = 0; c < used; ++c) {
            const qint64 index = qint64(c) * h.height + y;
            if (!h.rle) {
                readVerbatimRow(v, kHeaderSize + index * rowBytes, h.width, planes[c].data());
                continue;
            }
            const qint64 start = v.be32(kHeaderSize + 4 * index);
            const qint64 length = v.be32(kHeaderSize + 4 * tableEntries + 4 * index);
            if (!unpackRow(v, start, length, h.width, planes[c].data()))
                return std::unexpected(corruptData(kFormat));
        }
        writeRow(planes, used, h.width, out.scanLine(h.height - 1 - y), alpha);
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
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodeSgi(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    // The row tables (run-length) or all planes (verbatim) must be there before the
    // picture is allocated.
    const qint64 tableEntries = qint64(h->height) * h->channels;
    const qint64 needed = h->rle ? tableEntries * 8 : tableEntries * h->width * h->bytesPerChannel;
    if (!v.has(kHeaderSize, needed))
        return std::unexpected(truncatedFile(kFormat));
    const bool alpha = usedChannels(*h) == 2 || usedChannels(*h) == 4;
    auto out = newPicture(h->width, h->height, alpha, kFormat);
    if (!out)
        return out;
    const auto ok = h->bytesPerChannel == 1 ? decodeRows<quint8>(v, *h, *out, alpha) : decodeRows<quint16>(v, *h, *out, alpha);
    if (!ok)
        return std::unexpected(ok.error());
    return alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
