#include "imaging/readers/dib_decoder.h"

#include "imaging/readers/decode_support.h"
#include "imaging/readers/format_decoders.h"

#include <bit>
#include <cstring>
#include <algorithm>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "BMP";

enum Compression : quint32 { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kJpeg = 4, kPng = 5, kAlphaBitfields = 6 };

struct DibInfo {
    qint64 width = 0;
    qint64 height = 0;     // rows of colour, without an icon's mask
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = kRgb;
    bool os2Header = false;  // a 16- to 64-byte OS/2 2.x header: compression 4 is RLE24
    quint32 masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    qsizetype tableOffset = 0;
    int tableEntries = 0;
    int entrySize = 4;
    qsizetype headerAndTable = 0;
};

bool knownHeaderSize(quint32 size)
{
    return size == 12 || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

void setDefaultMasks(DibInfo &d)
{
    if (d.bitCount == 16) {
        d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
    } else if (d.bitCount == 32) {
        d.masks[0] = 0xFF0000, d.masks[1] = 0xFF00, d.masks[2] = 0xFF;
    }
}

// Reads the masks of a BITFIELDS bitmap: inside a header of 52 bytes or more, or after a
// 40-byte one. Returns the bytes they take after the header. Other bitmaps keep the
// default masks: Windows ignores a header's masks without BITFIELDS.
qsizetype readMasks(const ByteView &v, quint32 headerSize, DibInfo &d)
{
    if (d.compression != kBitfields && d.compression != kAlphaBitfields)
        return 0;
    if (headerSize >= 52) {
        for (int i = 0; i < 3; ++i)
            d.masks[i] = v.le32(40 + 4 * i);
        d.masks[3] = headerSize >= 56 ? v.le32(52) : 0;
        return 0;
    }
    const int count = d.compression == kAlphaBitfields ? 4 : 3;
    for (int i = 0; i < count; ++i)
        d.masks[i] = v.le32(headerSize + 4 * i);
    return 4 * count;
}

// OS/2 2.x bitmaps use compression 4 for 24-bit runs where Windows means JPEG pixels.
bool isRle24(const DibInfo &d)
{
    return d.compression == kJpeg && d.bitCount == 24 && d.os2Header;
}

Result<DibInfo> parseInfo(QByteArrayView info, bool iconMask)
{
    const ByteView v(info);
    const quint32 headerSize = v.le32(0);
    if (!knownHeaderSize(headerSize))
        return std::unexpected(invalidHeader(kFormat));
    if (!v.has(0, headerSize))
        return std::unexpected(truncatedFile(kFormat));
    DibInfo d;
    qint64 height = 0;
    quint32 colorsUsed = 0;
    qsizetype maskBytes = 0;
    if (headerSize == 12) {
        d.width = v.le16(4), height = v.le16(6), d.bitCount = v.le16(10), d.entrySize = 3;
    } else {
        d.width = v.le32s(4), height = v.le32s(8), d.bitCount = v.le16(14);
        d.compression = headerSize >= 20 ? v.le32(16) : kRgb;
        d.os2Header = headerSize != 40 && headerSize <= 64 && headerSize != 52 && headerSize != 56;
        colorsUsed = headerSize >= 36 ? v.le32(32) : 0;
        setDefaultMasks(d);
        maskBytes = readMasks(v, headerSize, d);
    }
    d.topDown = height < 0;
    d.height = height < 0 ? -height : height;
    if (iconMask)
        d.height /= 2;
    if (d.width < 1 || d.height < 1)
        return std::unexpected(invalidHeader(kFormat));
    if (isRle24(d)) {
        // Runs of blue, green, red triples.
    } else if (d.compression == kJpeg || d.compression == kPng) {
        // The pixels are a whole JPEG or PNG file; the bit count says nothing.
    } else if (d.bitCount <= 8) {
        if (d.bitCount != 1 && d.bitCount != 4 && d.bitCount != 8 && !(d.bitCount == 2 && headerSize > 12))
            return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits par pixel").arg(d.bitCount)));
        const quint32 full = 1u << d.bitCount;
        d.tableEntries = int(colorsUsed == 0 || colorsUsed > full ? full : colorsUsed);
    } else if (d.bitCount != 16 && d.bitCount != 24 && d.bitCount != 32) {
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits par pixel").arg(d.bitCount)));
    } else if (colorsUsed > 0 && colorsUsed <= 256) {
        d.tableEntries = int(colorsUsed); // an optimisation palette: skipped
    }
    d.tableOffset = headerSize + maskBytes;
    d.headerAndTable = d.tableOffset + qsizetype(d.tableEntries) * d.entrySize;
    return d;
}

Result<void> checkCompression(const DibInfo &d)
{
    const bool ok = (d.compression == kRgb) || isRle24(d)
        || (d.compression == kRle8 && d.bitCount == 8) || (d.compression == kRle4 && d.bitCount == 4)
        || ((d.compression == kBitfields || d.compression == kAlphaBitfields) && (d.bitCount == 16 || d.bitCount == 32));
    if (!ok)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("compression %1").arg(d.compression)));
    return {};
}

Palette readTable(const ByteView &v, const DibInfo &d)
{
    Palette p;
    if (d.bitCount > 8)
        return p;
    for (int i = 0; i < d.tableEntries; ++i) {
        const qsizetype at = d.tableOffset + qsizetype(i) * d.entrySize;
        if (!v.has(at, 3))
            break; // a short table: the missing entries stay black
        p.colours[i] = qRgb(v.u8(at + 2), v.u8(at + 1), v.u8(at));
    }
    return p;
}

int pictureRow(const DibInfo &d, qint64 fileRow)
{
    return int(d.topDown ? fileRow : d.height - 1 - fileRow);
}

// One colour channel of a BITFIELDS pixel, as a lookup of the masked value.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    quint32 maxValue = 0;
    std::vector<uchar> table; // when the channel has at most 12 bits

    explicit Channel(quint32 m) : mask(m)
    {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        const int bits = std::min(32 - shift, std::countr_one(mask >> shift));
        maxValue = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        if (bits <= 12) {
            table.resize(maxValue + 1);
            for (quint32 i = 0; i <= maxValue; ++i)
                table[i] = uchar(scaleToByte(i, maxValue));
        }
    }
    int value(quint32 pixel) const
    {
        if (mask == 0)
            return 0;
        const quint32 raw = ((pixel & mask) >> shift) & maxValue;
        return table.empty() ? scaleToByte(raw, maxValue) : table[raw];
    }
};

// 16- and 32-bit pixels through their masks.
void decodeMaskedRows(const ByteView &bits, qsizetype stride, const DibInfo &d, QImage &out, bool alpha)
{
    const Channel r(d.masks[0]), g(d.masks[1]), b(d.masks[2]), a(d.masks[3]);
    const int bytes = d.bitCount / 8;
    for (qint64 row = 0; row < d.height; ++row) {
        const uchar *src = bits.data() + row * stride;
        uchar *dst = out.scanLine(pictureRow(d, row));
        for (qint64 x = 0; x < d.width; ++x) {
            const quint32 px = bytes == 2 ? qFromLittleEndian<quint16>(src + 2 * x) : qFromLittleEndian<quint32>(src + 4 * x);
            if (alpha)
                reinterpret_cast<QRgb *>(dst)[x] = qRgba(r.value(px), g.value(px), b.value(px), a.value(px));
            else
                dst[3 * x] = uchar(b.value(px)), dst[3 * x + 1] = uchar(g.value(px)), dst[3 * x + 2] = uchar(r.value(px));
        }
    }
}

void decode32BitRows(const ByteView &bits, qsizetype stride, const DibInfo &d, QImage &out, bool alpha)
{
    for (qint64 row = 0; row < d.height; ++row) {
        const uchar *src = bits.data() + row * stride;
        uchar *dst = out.scanLine(pictureRow(d, row));
        if (alpha) {
            std::memcpy(dst, src, size_t(d.width) * 4); // B, G, R, A is Format_ARGB32's byte order
            continue;
        }
        for (qint64 x = 0; x < d.width; ++x)
            dst[3 * x] = src[4 * x], dst[3 * x + 1] = src[4 * x + 1], dst[3 * x + 2] = src[4 * x + 2];
    }
}

bool standardMasks32(const DibInfo &d)
{
    return d.masks[0] == 0xFF0000 && d.masks[1] == 0xFF00 && d.masks[2] == 0xFF
        && (d.masks[3] == 0 || d.masks[3] == 0xFF000000u);
}

// Bytes the rows of an uncompressed bitmap take; the last row may lack its padding.
qint64 uncompressedBytes(const DibInfo &d)
{
    const qint64 stride = (d.width * d.bitCount + 31) / 32 * 4;
    return stride * (d.height - 1) + (d.width * d.bitCount + 7) / 8;
}

void decodeUncompressed(const ByteView &bits, const DibInfo &d, const Palette &palette, QImage &out, bool alpha)
{
    const qsizetype stride = qsizetype((d.width * d.bitCount + 31) / 32) * 4;
    const qsizetype rowBytes = qsizetype((d.width * d.bitCount + 7) / 8);
    if (d.bitCount <= 8) {
        for (qint64 row = 0; row < d.height; ++row)
            expandIndexedRow(bits.data() + row * stride, d.bitCount, int(d.width), palette, out.scanLine(pictureRow(d, row)), alpha);
    } else if (d.bitCount == 24) {
        for (qint64 row = 0; row < d.height; ++row) {
            const uchar *src = bits.data() + row * stride;
            uchar *dst = out.scanLine(pictureRow(d, row));
            if (alpha) {
                for (qint64 x = 0; x < d.width; ++x)
                    reinterpret_cast<QRgb *>(dst)[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else {
                std::memcpy(dst, src, size_t(rowBytes));
            }
        }
    } else if (d.bitCount == 32 && standardMasks32(d)) {
        decode32BitRows(bits, stride, d, out, alpha);
    } else {
        decodeMaskedRows(bits, stride, d, out, alpha);
    }
}

// Writes the pixels of run-length encoded bitmaps, left to right, row by row; pixels
// outside the picture are dropped.
class RlePen {
public:
    RlePen(const DibInfo &d, QImage &out, bool alpha) : m_d(d), m_out(out), m_alpha(alpha) {}
    qint64 x = 0, y = 0;

    bool rowFull() const { return x >= m_d.width; }
    void put(QRgb colour)
    {
        if (x < m_d.width && y < m_d.height) {
            uchar *row = m_out.scanLine(pictureRow(m_d, y));
            if (m_alpha)
                reinterpret_cast<QRgb *>(row)[x] = colour;
            else
                putBgr(row + 3 * x, colour);
        }
        ++x;
    }

private:
    const DibInfo &m_d;
    QImage &m_out;
    bool m_alpha;
};

// The colour of pixel `i` of a run (`repeat`: one stored pixel, or for 4 bits two
// alternating nibbles) or of an absolute block, whose data start at `at`.
QRgb rleColour(const ByteView &bits, qsizetype at, int i, int bitCount, const Palette &palette, bool repeat)
{
    const qsizetype offset = repeat ? 0 : bitCount == 4 ? i / 2 : bitCount == 24 ? 3 * qsizetype(i) : i;
    if (bitCount == 24)
        return qRgb(bits.u8(at + offset + 2), bits.u8(at + offset + 1), bits.u8(at + offset));
    const int b = bits.u8(at + offset);
    return palette[bitCount == 4 ? (i % 2 == 0 ? b >> 4 : b & 15) : b];
}

// Run-length encoded 4-, 8- and (OS/2) 24-bit bitmaps, straight into the picture. Pixels
// the runs skip (a move, a line ended early) keep colour 0. The data must reach its
// end-of-bitmap code, or end the last row: data that stop before are a file cut short,
// whose missing rows would show colour 0 where the picture has something else.
bool decodeRle(const ByteView &bits, const DibInfo &d, const Palette &palette, QImage &out, bool alpha)
{
    fillPicture(out, d.bitCount == 24 ? qRgb(0, 0, 0) : palette[0]);
    const int pixelBytes = d.bitCount == 24 ? 3 : 1;
    RlePen pen(d, out, alpha);
    qsizetype p = 0;
    while (pen.y < d.height) {
        if (!bits.has(p, 2))
            return pen.y == d.height - 1 && pen.rowFull(); // the last row ended without its codes
        const int count = bits.u8(p), value = bits.u8(p + 1);
        if (count > 0) {           // `count` pixels of one colour (4 bits: two alternating)
            if (!bits.has(p + 1, pixelBytes))
                return false;
            for (int i = 0; i < count && !pen.rowFull(); ++i)
                pen.put(rleColour(bits, p + 1, i, d.bitCount, palette, true));
            p += 1 + pixelBytes;
            continue;
        }
        p += 2;
        if (value == 0) {          // end of line
            pen.x = 0, ++pen.y;
        } else if (value == 1) {   // end of bitmap
            return true;
        } else if (value == 2) {   // move right and up (down in file rows)
            if (!bits.has(p, 2))
                return false;
            pen.x += bits.u8(p), pen.y += bits.u8(p + 1);
            p += 2;
        } else {                   // `value` pixels given one by one, padded to a 16-bit word
            const qsizetype bytes = d.bitCount == 4 ? (value + 1) / 2 : qsizetype(value) * pixelBytes;
            if (!bits.has(p, bytes))
                return false;
            for (int i = 0; i < value; ++i)
                pen.put(rleColour(bits, p, i, d.bitCount, palette, false));
            p += bytes + (bytes & 1);
        }
    }
    return true;
}

// The AND mask of an icon: a set bit makes the pixel transparent.
void applyIconMask(const ByteView &bits, qsizetype maskOffset, const DibInfo &d, QImage &out)
{
    const qsizetype stride = qsizetype((d.width + 31) / 32) * 4;
    if (!bits.has(maskOffset, stride * d.height))
        return; // no mask: the icon stays opaque
    for (qint64 row = 0; row < d.height; ++row) {
        const uchar *mask = bits.data() + maskOffset + row * stride;
        QRgb *dst = reinterpret_cast<QRgb *>(out.scanLine(pictureRow(d, row)));
        for (qint64 x = 0; x < d.width; ++x)
            if (mask[x / 8] & (0x80 >> (x % 8)))
                dst[x] &= 0x00FFFFFF;
    }
}

void forceOpaque(QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] |= 0xFF000000u;
    }
}

bool alphaAllZero(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return false;
    }
    return true;
}

// Alpha that nobody filled in (a fourth byte or mask left at 0) means opaque; an icon
// without real alpha takes its AND mask; other bitmaps drop alpha that says nothing.
QImage settleDibAlpha(QImage out, const DibInfo &d, const ByteView &bits, bool pixelAlpha, bool iconMask)
{
    if (out.format() != QImage::Format_ARGB32)
        return out;
    if (!pixelAlpha || alphaAllZero(out))
        forceOpaque(out);
    if (!iconMask)
        return settleAlpha(std::move(out));
    if (isOpaque(out)) {
        const qsizetype stride = qsizetype((d.width * d.bitCount + 31) / 32) * 4;
        applyIconMask(bits, stride * d.height, d, out);
    }
    return out;
}

bool carriesAlpha(const DibInfo &d, const DibOptions &options)
{
    if (d.bitCount == 32 && d.compression == kRgb)
        return options.alphaFromRgb32;
    return (d.bitCount == 16 || d.bitCount == 32) && d.masks[3] != 0;
}

} // namespace

qsizetype dibHeaderAndTableSize(QByteArrayView info)
{
    auto d = parseInfo(info, false);
    return d ? d->headerAndTable : -1;
}

std::optional<QSize> dibSize(QByteArrayView info)
{
    auto d = parseInfo(info, false);
    if (!d || d->width > kMaxSide || d->height > kMaxSide)
        return std::nullopt;
    return QSize(int(d->width), int(d->height));
}

Result<QImage> decodeDib(QByteArrayView info, QByteArrayView bitsData, const DibOptions &options)
{
    auto d = parseInfo(info, options.iconMask);
    if (!d)
        return std::unexpected(d.error());
    if (d->compression == kJpeg && !isRle24(*d))
        return decodeJpegPicture(bitsData);
    if (d->compression == kPng)
        return decodePng(bitsData);
    if (auto ok = checkCompression(*d); !ok)
        return std::unexpected(ok.error());
    const bool pixelAlpha = carriesAlpha(*d, options);
    const bool alpha = pixelAlpha || options.iconMask;
    const ByteView bits(bitsData);
    const bool rle = d->compression == kRle8 || d->compression == kRle4 || isRle24(*d);
    if (auto ok = checkDimensions(d->width, d->height, kFormat); !ok)
        return std::unexpected(ok.error());
    if (!rle && !bits.has(0, uncompressedBytes(*d)))
        return std::unexpected(truncatedFile(kFormat)); // before allocating what the header claims
    auto out = newPicture(d->width, d->height, alpha, kFormat);
    if (!out)
        return out;
    const Palette palette = readTable(ByteView(info), *d);
    if (rle) {
        if (!decodeRle(bits, *d, palette, *out, alpha))
            return std::unexpected(truncatedFile(kFormat));
    } else {
        decodeUncompressed(bits, *d, palette, *out, alpha);
    }
    return settleDibAlpha(std::move(*out), *d, bits, pixelAlpha, options.iconMask);
}

Result<QImage> decodePackedDib(QByteArrayView packed, const DibOptions &options)
{
    const qsizetype headerAndTable = dibHeaderAndTableSize(packed);
    if (headerAndTable < 0)
        return std::unexpected(invalidHeader(kFormat));
    if (headerAndTable > packed.size())
        return std::unexpected(truncatedFile(kFormat));
    return decodeDib(packed.first(headerAndTable), packed.sliced(headerAndTable), options);
}

} // namespace imaging::readers
