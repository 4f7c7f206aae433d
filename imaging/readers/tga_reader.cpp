// Truevision Targa (.tga, .win, .vst, .vda, .icb): an 18-byte header, an image ID, an
// optional colour map, then the pixels, raw (types 1, 2, 3) or run-length encoded (9, 10,
// 11). Colour-mapped 8- and 16-bit indices, true colour of 15, 16, 24 and 32 bits, grey
// of 8 bits and grey with alpha of 16 bits; rows bottom-up or top-down, left-to-right or
// right-to-left. Runs may continue across row ends (version 1 files do that).
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <cstring>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "TGA";
constexpr qsizetype kHeaderSize = 18;
constexpr QByteArrayView kFooterSignature = "TRUEVISION-XFILE.";

enum class Kind { ColourMapped, TrueColour, Grey };

struct TgaHeader {
    Kind kind = Kind::TrueColour;
    bool rle = false;
    int width = 0;
    int height = 0;
    int depth = 0;          // bits per pixel
    int bytesPerPixel = 0;
    int alphaBits = 0;
    bool topDown = false;
    bool rightToLeft = false;
    int mapFirst = 0;
    int mapLength = 0;
    int mapEntryBits = 0;
    qsizetype mapOffset = 0;
    qsizetype pixelOffset = 0;
};

bool validDepth(Kind kind, int depth)
{
    switch (kind) {
    case Kind::ColourMapped: return depth == 8 || depth == 16;
    case Kind::Grey: return depth == 8 || depth == 16;
    case Kind::TrueColour: return depth == 15 || depth == 16 || depth == 24 || depth == 32;
    }
    return false;
}

Result<TgaHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    TgaHeader h;
    const int type = v.u8(2);
    switch (type & ~8) {
    case 1: h.kind = Kind::ColourMapped; break;
    case 2: h.kind = Kind::TrueColour; break;
    case 3: h.kind = Kind::Grey; break;
    default: return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("type %1").arg(type)));
    }
    h.rle = (type & 8) != 0;
    h.mapFirst = v.le16(3), h.mapLength = v.le16(5), h.mapEntryBits = v.u8(7);
    h.width = v.le16(12), h.height = v.le16(14), h.depth = v.u8(16);
    const int descriptor = v.u8(17);
    h.alphaBits = descriptor & 15;
    h.rightToLeft = (descriptor & 0x10) != 0;
    h.topDown = (descriptor & 0x20) != 0;
    if (!validDepth(h.kind, h.depth) || v.u8(1) > 1 || (h.kind == Kind::ColourMapped && v.u8(1) != 1))
        return std::unexpected(invalidHeader(kFormat));
    h.bytesPerPixel = (h.depth + 7) / 8;
    h.mapOffset = kHeaderSize + v.u8(0);
    const qsizetype mapBytes = v.u8(1) == 1 ? qsizetype(h.mapLength) * ((h.mapEntryBits + 7) / 8) : 0;
    if (v.u8(1) == 1 && h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24 && h.mapEntryBits != 32)
        return std::unexpected(invalidHeader(kFormat));
    h.pixelOffset = h.mapOffset + mapBytes;
    if (!v.has(0, h.pixelOffset))
        return std::unexpected(truncatedFile(kFormat));
    return h;
}

// A1R5G5B5; the top bit is alpha only when the descriptor says the image has one bit of
// alpha (most writers leave it 0 or 1 at random otherwise).
QRgb colourOf16(quint32 v, bool alphaBit = false)
{
    return qRgba(expand5((v >> 10) & 31), expand5((v >> 5) & 31), expand5(v & 31), !alphaBit || (v & 0x8000) ? 255 : 0);
}

// Colour-map entries as colours; alpha from 32-bit entries when the image declares alpha.
std::vector<QRgb> readColourMap(const ByteView &v, const TgaHeader &h)
{
    std::vector<QRgb> map(size_t(h.mapLength), qRgb(0, 0, 0));
    const int entryBytes = (h.mapEntryBits + 7) / 8;
    for (int i = 0; i < h.mapLength; ++i) {
        const uchar *e = v.data() + h.mapOffset + qsizetype(i) * entryBytes;
        if (entryBytes == 2)
            map[i] = colourOf16(quint32(e[0]) | quint32(e[1]) << 8);
        else
            map[i] = qRgba(e[2], e[1], e[0], entryBytes == 4 && h.alphaBits > 0 ? e[3] : 255);
    }
    return map;
}

bool hasAlpha(const TgaHeader &h)
{
    if (h.kind == Kind::TrueColour)
        return h.depth == 32 || (h.depth == 16 && h.alphaBits == 1);
    if (h.kind == Kind::Grey)
        return h.depth == 16;
    return h.mapEntryBits == 32 && h.alphaBits > 0;
}

// Converts one row of file pixels to a picture row.
class RowWriter {
public:
    RowWriter(const TgaHeader &h, std::vector<QRgb> map, QImage &out) : m_h(h), m_map(std::move(map)), m_out(out) {}

    void write(int fileRow, const uchar *src)
    {
        uchar *dst = m_out.scanLine(m_h.topDown ? fileRow : m_h.height - 1 - fileRow);
        const bool alpha = m_out.format() == QImage::Format_ARGB32;
        if (!m_h.rightToLeft && m_h.kind == Kind::TrueColour && (m_h.depth == 24 || m_h.depth == 32)) {
            std::memcpy(dst, src, size_t(m_h.width) * m_h.bytesPerPixel); // file order is the picture's
            return;
        }
        for (int x = 0; x < m_h.width; ++x) {
            const int to = m_h.rightToLeft ? m_h.width - 1 - x : x;
            const QRgb c = colourAt(src + qsizetype(x) * m_h.bytesPerPixel);
            if (alpha)
                reinterpret_cast<QRgb *>(dst)[to] = c;
            else
                putBgr(dst + 3 * to, c);
        }
    }

private:
    QRgb colourAt(const uchar *p) const
    {
        switch (m_h.kind) {
        case Kind::ColourMapped: {
            const int index = (m_h.depth == 16 ? p[0] | p[1] << 8 : p[0]) - m_h.mapFirst;
            return index >= 0 && index < int(m_map.size()) ? m_map[size_t(index)] : qRgb(0, 0, 0);
        }
        case Kind::Grey:
            return qRgba(p[0], p[0], p[0], m_h.depth == 16 ? p[1] : 255);
        case Kind::TrueColour:
            if (m_h.bytesPerPixel == 2)
                return colourOf16(quint32(p[0]) | quint32(p[1]) << 8, m_h.alphaBits == 1);
            return qRgba(p[2], p[1], p[0], m_h.bytesPerPixel == 4 ? p[3] : 255);
        }
        return 0;
    }

    const TgaHeader &m_h;
    std::vector<QRgb> m_map;
    QImage &m_out;
};

Result<void> decodeRaw(const ByteView &v, const TgaHeader &h, RowWriter &writer)
{
    const qsizetype rowBytes = qsizetype(h.width) * h.bytesPerPixel;
    if (!v.has(h.pixelOffset, rowBytes * h.height))
        return std::unexpected(truncatedFile(kFormat));
    for (int row = 0; row < h.height; ++row)
        writer.write(row, v.data() + h.pixelOffset + row * rowBytes);
    return {};
}

// Packets: a header byte (top bit: run; low 7 bits: count - 1), then one pixel for a run
// or `count` pixels. A packet may run on into the next row.
Result<void> decodeRle(const ByteView &v, const TgaHeader &h, RowWriter &writer)
{
    const int bpp = h.bytesPerPixel;
    const qsizetype rowBytes = qsizetype(h.width) * bpp;
    std::vector<uchar> row(static_cast<size_t>(rowBytes));
    const uchar *p = v.data() + h.pixelOffset, *const end = v.data() + v.size();
    int pending = 0; // pixels still owed by the current packet
    bool run = false;
    uchar runPixel[4] = {};
    for (int y = 0; y < h.height; ++y) {
        for (qsizetype filled = 0; filled < rowBytes;) {
            if (pending == 0) {
                if (p >= end)
                    return std::unexpected(truncatedFile(kFormat));
                const int header = *p++;
                pending = (header & 0x7F) + 1, run = (header & 0x80) != 0;
                if (run) {
                    if (end - p < bpp)
                        return std::unexpected(truncatedFile(kFormat));
                    std::memcpy(runPixel, p, size_t(bpp));
                    p += bpp;
                }
            }
            const int n = int(std::min<qsizetype>(pending, (rowBytes - filled) / bpp));
            if (run) {
                for (int i = 0; i < n; ++i)
                    std::memcpy(row.data() + filled + i * bpp, runPixel, size_t(bpp));
            } else {
                if (end - p < qsizetype(n) * bpp)
                    return std::unexpected(truncatedFile(kFormat));
                std::memcpy(row.data() + filled, p, size_t(n) * bpp);
                p += qsizetype(n) * bpp;
            }
            filled += qsizetype(n) * bpp, pending -= n;
        }
        writer.write(y, row.data());
    }
    return {};
}

// A run packet of 1 + bpp bytes gives at most 128 pixels: a file too short for its
// declared size is refused before the picture is allocated.
bool dataCanHoldPixels(const ByteView &v, const TgaHeader &h)
{
    const qint64 available = v.size() - h.pixelOffset;
    const qint64 pixels = qint64(h.width) * h.height;
    if (!h.rle)
        return available >= pixels * h.bytesPerPixel;
    return available / (1 + h.bytesPerPixel) * 128 + 128 >= pixels;
}

} // namespace

bool looksLikeTga(QByteArrayView data)
{
    // Only version 2 files say what they are, in their 26-byte footer.
    const ByteView v(data);
    return v.size() >= kHeaderSize + 26 && v.startsWith(v.size() - 18, kFooterSignature) && parseHeader(v).has_value();
}

std::optional<QSize> tgaSize(QByteArrayView data)
{
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodeTga(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    if (!dataCanHoldPixels(v, *h))
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(h->width, h->height, hasAlpha(*h), kFormat);
    if (!out)
        return out;
    RowWriter writer(*h, h->kind == Kind::ColourMapped ? readColourMap(v, *h) : std::vector<QRgb>{}, *out);
    if (auto ok = h->rle ? decodeRle(v, *h, writer) : decodeRaw(v, *h, writer); !ok)
        return std::unexpected(ok.error());
    return settleAlpha(std::move(*out));
}

} // namespace imaging::readers
