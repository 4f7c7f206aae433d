// ZSoft Paintbrush (.pcx, .pcc, .scr): a 128-byte header, then run-length encoded scan
// lines of `planes` x `bytesPerLine` bytes (runs may continue into the next line).
// Monochrome, 2 to 4 bit-planes of 1 bit (EGA), packed 2- and 4-bit pixels with the
// header's 16-colour palette, 8 bits with the 256-colour palette at the end of the file,
// and 3 or 4 planes of 8 bits (true colour, with alpha). An 8-bit file without its palette
// is refused: a file cut short loses its palette first, and grey levels in its place
// would be a wrong picture.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <bit>
#include <cstring>
#include <emmintrin.h>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PCX";
constexpr qsizetype kHeaderSize = 128;
constexpr qsizetype kVgaPaletteSize = 769; // 0x0C then 256 RGB triples
constexpr qsizetype kLineSlack = 16;

struct PcxHeader {
    int width = 0;
    int height = 0;
    int bits = 0;     // per pixel and plane
    int planes = 0;
    int bytesPerLine = 0;
    bool rle = true;
};

Result<PcxHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    if (v.u8(0) != 0x0A || v.u8(2) > 1)
        return std::unexpected(invalidHeader(kFormat));
    PcxHeader h;
    h.rle = v.u8(2) == 1;
    h.bits = v.u8(3);
    h.planes = v.u8(65);
    h.bytesPerLine = v.le16(66);
    h.width = int(v.le16(8)) - int(v.le16(4)) + 1;
    h.height = int(v.le16(10)) - int(v.le16(6)) + 1;
    const bool indexed = (h.bits == 1 && h.planes >= 1 && h.planes <= 4) || ((h.bits == 2 || h.bits == 4) && h.planes == 1);
    const bool byteChannels = h.bits == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4);
    if (!indexed && !byteChannels)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 plan(s) de %2 bits").arg(h.planes).arg(h.bits)));
    if (h.width < 1 || h.height < 1 || qint64(h.bytesPerLine) * 8 < qint64(h.width) * h.bits)
        return std::unexpected(invalidHeader(kFormat));
    return h;
}

bool hasVgaPalette(const PcxHeader &h)
{
    return h.bits == 8 && h.planes == 1;
}

// The 256-colour palette: 0x0C, then 256 RGB triples, ending the file.
std::optional<qsizetype> vgaPaletteOffset(const ByteView &v)
{
    const qsizetype at = v.size() - kVgaPaletteSize;
    if (at < kHeaderSize || v.u8(at) != 0x0C)
        return std::nullopt;
    return at;
}

Palette readPalette(const ByteView &v, const PcxHeader &h)
{
    if (h.bits == 1 && h.planes == 1) {
        Palette p;
        p.colours[1] = qRgb(255, 255, 255);
        return p;
    }
    Palette p;
    if (hasVgaPalette(h)) {
        const qsizetype at = *vgaPaletteOffset(v);
        for (int i = 0; i < 256; ++i)
            p.colours[i] = qRgb(v.u8(at + 1 + 3 * i), v.u8(at + 2 + 3 * i), v.u8(at + 3 + 3 * i));
        return p;
    }
    // Version 3 files carry no palette: the standard EGA colours.
    static constexpr QRgb kEga[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                                      0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    for (int i = 0; i < 16; ++i)
        p.colours[i] = v.u8(1) == 3 ? (kEga[i] | 0xFF000000u) : qRgb(v.u8(16 + 3 * i), v.u8(17 + 3 * i), v.u8(18 + 3 * i));
    return p;
}

// The run-length stream: a byte of 0xC0 or more repeats the next byte (its low 6 bits
// times); runs may continue into the next line.
struct PcxStream {
    const uchar *p;
    const uchar *end;
    bool rle;
    int pendingRun = 0;
    uchar runValue = 0;

    // Decodes the next scan line (all planes) into `length` bytes of `line`, which has
    // kLineSlack more bytes of room; false when the data ends first.
    bool readLine(std::vector<uchar> &line, qsizetype length)
    {
        uchar *out = line.data(), *const outEnd = out + length;
        if (pendingRun > 0) {
            const int n = int(std::min<qsizetype>(pendingRun, outEnd - out));
            std::fill_n(out, n, runValue);
            out += n, pendingRun -= n;
        }
        if (!rle) { // uncompressed lines
            if (end - p < outEnd - out)
                return false;
            std::memcpy(out, p, size_t(outEnd - out));
            p += outEnd - out;
            return true;
        }
        while (out < outEnd) {
            if (end - p >= 16) {
                // Sixteen bytes at a time: the literals before the first run code are kept
                // (the rest of the store lands in the slack and is written over).
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                const unsigned literal = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(char(0xBF))), bytes)));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out), bytes);
                const qsizetype count = std::min<qsizetype>(std::countr_one(literal), outEnd - out);
                out += count, p += count;
                if (count == 16 || out >= outEnd)
                    continue;
            } else if (p >= end) {
                return false;
            } else if (*p < 0xC0) {
                *out++ = *p++;
                continue;
            }
            const uchar b = *p++;
            if (p >= end)
                return false;
            const uchar value = *p++;
            int n = b & 0x3F;
            const int here = int(std::min<qsizetype>(n, outEnd - out));
            for (int i = 0; i < here; ++i)
                out[i] = value;
            out += here, n -= here;
            if (n > 0) // the run goes on into the next line
                pendingRun = n, runValue = value;
        }
        return true;
    }
};

void writeRow(const std::vector<uchar> &line, const PcxHeader &h, const Palette &palette, uchar *dst, bool alpha)
{
    const uchar *planes = line.data();
    const int bpl = h.bytesPerLine;
    if (h.bits == 8 && h.planes >= 3) {
        const uchar *r = planes, *g = planes + bpl, *b = planes + 2 * bpl, *a = planes + 3 * bpl;
        if (alpha) {
            for (int x = 0; x < h.width; ++x)
                reinterpret_cast<QRgb *>(dst)[x] = qRgba(r[x], g[x], b[x], a[x]);
            return;
        }
        for (int x = 0; x < h.width; ++x, dst += 3)
            dst[0] = b[x], dst[1] = g[x], dst[2] = r[x];
    } else if (h.planes == 1) {
        expandIndexedRow(planes, h.bits, h.width, palette, dst, false);
    } else { // bit planes: plane k gives bit k of the index
        for (int x = 0; x < h.width; ++x) {
            int index = 0;
            for (int k = 0; k < h.planes; ++k)
                index |= ((planes[k * bpl + x / 8] >> (7 - x % 8)) & 1) << k;
            putBgr(dst + 3 * x, palette[index]);
        }
    }
}

} // namespace

bool looksLikePcx(QByteArrayView data)
{
    const ByteView v(data);
    const int version = v.u8(1);
    return v.has(0, kHeaderSize) && v.u8(0) == 0x0A && (version <= 5 && version != 1) && v.u8(2) <= 1
        && parseHeader(v).has_value() && v.u8(64) == 0;
}

std::optional<QSize> pcxSize(QByteArrayView data)
{
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodePcx(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    qsizetype dataEnd = v.size();
    if (hasVgaPalette(*h)) {
        const auto palette = vgaPaletteOffset(v);
        if (!palette)
            return fail(QStringLiteral("Fichier PCX illisible : la palette manque."));
        dataEnd = *palette;
    }
    // A two-byte run gives at most 63 bytes.
    const qint64 lineBytes = qint64(h->planes) * h->bytesPerLine;
    if ((dataEnd - kHeaderSize) / 2 * 63 + 63 < lineBytes * h->height)
        return std::unexpected(truncatedFile(kFormat));
    const bool alpha = h->bits == 8 && h->planes == 4;
    auto out = newPicture(h->width, h->height, alpha, kFormat);
    if (!out)
        return out;
    const Palette palette = readPalette(v, *h);
    std::vector<uchar> line(static_cast<size_t>(lineBytes + kLineSlack));
    PcxStream stream{v.data() + kHeaderSize, v.data() + dataEnd, h->rle};
    for (int y = 0; y < h->height; ++y) {
        if (!stream.readLine(line, lineBytes))
            return std::unexpected(truncatedFile(kFormat));
        writeRow(line, *h, palette, out->scanLine(y), alpha);
    }
    return alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
