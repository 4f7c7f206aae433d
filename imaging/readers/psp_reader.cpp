// Paint Shop Pro images (.psp), file format versions 3 (Paint Shop Pro 5) and later: a
// 32-byte signature, the format version, then blocks ("~BK\0", a block id, in version 3
// the length of the block's leading data, and the block's length). We show the first
// raster layer: the general image attributes give the canvas, the colour block the
// palette, the layer block its rectangle and channels; each channel is stored raw,
// run-length encoded or deflated ("LZ77"). 24-bit layers have red, green and blue
// channels and may have a transparency mask; 1-, 4- and 8-bit layers are paletted or grey.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <vector>
#include <zlib.h>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PSP";
constexpr QByteArrayView kSignature("Paint Shop Pro Image File\n\x1a", 27);
constexpr qsizetype kFirstBlock = 36;

enum BlockId { kImageBlock = 0, kColourBlock = 2, kLayerStartBlock = 3, kLayerBlock = 4, kChannelBlock = 5 };
enum Compression { kNone = 0, kRle = 1, kLz77 = 2 };

struct Block {
    int id = -1;
    qint64 data = 0;       // first byte after the block header
    qint64 leadLength = 0; // version 3: the leading data before sub-blocks
    qint64 end = 0;
};

// Reads the block header at `p`; nothing when it is not one or the block leaves `limit`.
std::optional<Block> blockAt(const ByteView &v, qint64 p, qint64 limit, bool version3)
{
    const int headerSize = version3 ? 14 : 10;
    if (p + headerSize > limit || !v.startsWith(p, QByteArrayView("~BK\0", 4)))
        return std::nullopt;
    Block b;
    b.id = v.le16(p + 4);
    b.leadLength = version3 ? v.le32(p + 6) : 0;
    const qint64 length = v.le32(p + (version3 ? 10 : 6));
    b.data = p + headerSize;
    b.end = b.data + length;
    if (b.end > limit || b.leadLength > length)
        return std::nullopt;
    return b;
}

// The blocks that follow one another from `from` up to `limit`.
std::vector<Block> blocksIn(const ByteView &v, qint64 from, qint64 limit, bool version3)
{
    std::vector<Block> blocks;
    for (qint64 p = from;;) {
        const auto b = blockAt(v, p, limit, version3);
        if (!b)
            break;
        blocks.push_back(*b);
        p = b->end;
    }
    return blocks;
}

struct Document {
    bool version3 = false;
    qint64 width = 0;
    qint64 height = 0;
    int compression = 0;
    int depth = 0;
    bool grey = false;
    Palette palette;
    std::optional<Block> layerStart;
};

Result<void> readAttributes(const ByteView &v, const Block &b, Document &doc)
{
    // Version 3 has no chunk length before the fields.
    const qint64 p = b.data + (doc.version3 ? 0 : 4);
    if (p + 34 > b.end)
        return std::unexpected(truncatedFile(kFormat));
    doc.width = v.le32s(p), doc.height = v.le32s(p + 4);
    doc.compression = v.le16(p + 17), doc.depth = v.le16(p + 19);
    doc.grey = v.u8(p + 27) != 0;
    if (doc.depth != 1 && doc.depth != 4 && doc.depth != 8 && doc.depth != 24)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits").arg(doc.depth)));
    if (doc.compression > kLz77)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("compression %1").arg(doc.compression)));
    return checkDimensions(doc.width, doc.height, kFormat);
}

// Palette entries are blue, green, red and a reserved byte.
void readColours(const ByteView &v, const Block &b, Document &doc)
{
    const qint64 p = b.data + (doc.version3 ? 0 : 4);
    const qint64 count = std::min<qint64>(v.le32(p), 256);
    for (qint64 i = 0; i < count && p + 4 + 4 * i + 4 <= b.end; ++i) {
        const qint64 e = p + 4 + 4 * i;
        doc.palette.colours[size_t(i)] = qRgb(v.u8(e + 2), v.u8(e + 1), v.u8(e));
    }
}

Result<Document> readDocument(const ByteView &v)
{
    Document doc;
    const int major = v.le16(32);
    doc.version3 = major <= 3;
    bool haveAttributes = false, havePalette = false;
    for (const Block &b : blocksIn(v, kFirstBlock, v.size(), doc.version3)) {
        if (b.id == kImageBlock && !haveAttributes) {
            if (auto ok = readAttributes(v, b, doc); !ok)
                return std::unexpected(ok.error());
            haveAttributes = true;
        } else if (b.id == kColourBlock) {
            readColours(v, b, doc);
            havePalette = true;
        } else if (b.id == kLayerStartBlock && !doc.layerStart) {
            doc.layerStart = b;
        }
    }
    if (!haveAttributes || !doc.layerStart)
        return std::unexpected(truncatedFile(kFormat));
    if (!havePalette || doc.grey)
        doc.palette = Palette::grey(doc.depth == 24 ? 256 : 1 << doc.depth);
    return doc;
}

struct Layer {
    QRect rect;            // where the stored bitmap goes on the canvas
    qint64 channels = 0;   // first byte after the layer's own data: its channel blocks
    qint64 end = 0;
};

// Layer types: version 3 calls a raster layer 0 ("normal"), later versions 1 (and 2 for
// a floating selection).
std::optional<Layer> readLayer(const ByteView &v, const Block &b, const Document &doc)
{
    qint64 p = b.data;
    int type = 0;
    if (doc.version3) {
        p += 256; // fixed-size name
        type = v.u8(p) == 0 ? 1 : -1;
    } else {
        p += 4;
        p += 2 + v.le16(p);
        type = v.u8(p);
    }
    if (type != 1 && type != 2)
        return std::nullopt;
    const qint64 image = p + 1, saved = p + 17;
    const qint64 left = qint64(v.le32s(image)) + v.le32s(saved), top = qint64(v.le32s(image + 4)) + v.le32s(saved + 4);
    const qint64 width = qint64(v.le32s(saved + 8)) - v.le32s(saved), height = qint64(v.le32s(saved + 12)) - v.le32s(saved + 4);
    // The stored bitmap must be a sane size placed near the canvas.
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || std::abs(left) > kMaxSide || std::abs(top) > kMaxSide)
        return std::nullopt;
    Layer layer;
    layer.rect = QRect(int(left), int(top), int(width), int(height));
    if (doc.version3) {
        layer.channels = b.data + b.leadLength;
    } else { // the layer information chunk, then the bitmap information chunk
        const qint64 bitmapInfo = b.data + v.le32(b.data);
        layer.channels = bitmapInfo + v.le32(bitmapInfo);
    }
    layer.end = b.end;
    if (layer.channels > b.end || layer.channels < b.data)
        return std::nullopt;
    return layer;
}

// Run-length encoding: a count above 128 repeats the next byte (count - 128) times, any
// other count copies that many bytes.
bool unpackRle(QByteArrayView packed, std::vector<uchar> &plain)
{
    const ByteView v(packed);
    size_t x = 0;
    qsizetype p = 0;
    while (x < plain.size() && p < v.size()) {
        const int count = v.u8(p++);
        if (count > 128) {
            const size_t n = size_t(count - 128);
            if (x + n > plain.size() || p >= v.size())
                return false;
            std::fill_n(plain.data() + x, n, v.u8(p++));
            x += n;
        } else {
            if (x + size_t(count) > plain.size() || p + count > v.size())
                return false;
            std::copy_n(v.data() + p, count, plain.data() + x);
            x += size_t(count), p += count;
        }
    }
    return x == plain.size();
}

bool inflateChannel(QByteArrayView packed, std::vector<uchar> &plain)
{
    uLongf size = uLongf(plain.size());
    const int status = uncompress(plain.data(), &size, reinterpret_cast<const Bytef *>(packed.data()), uLong(packed.size()));
    return (status == Z_OK || status == Z_BUF_ERROR) && size == plain.size();
}

bool unpackChannel(int compression, QByteArrayView packed, std::vector<uchar> &plain)
{
    switch (compression) {
    case kNone:
        if (packed.size() < qsizetype(plain.size()))
            return false;
        std::copy_n(packed.data(), plain.size(), plain.data());
        return true;
    case kRle:
        return unpackRle(packed, plain);
    default:
        return inflateChannel(packed, plain);
    }
}

struct Channel {
    int bitmapType = 0;  // 0 image, 1 transparency mask, others not shown
    int channelType = 0; // 0 single channel, 1 red, 2 green, 3 blue
    std::vector<uchar> plain;
};

Result<std::optional<Channel>> readChannel(const ByteView &v, const Block &b, const Document &doc)
{
    const qint64 p = b.data + (doc.version3 ? 0 : 4);
    const qint64 dataStart = doc.version3 ? b.data + b.leadLength : b.data + v.le32(b.data);
    const qint64 packedLength = v.le32(p), plainLength = v.le32(p + 4);
    Channel c;
    c.bitmapType = v.le16(p + 8), c.channelType = v.le16(p + 10);
    if (c.bitmapType > 1 || c.channelType > 3)
        return std::optional<Channel>(); // masks, selections, thumbnails: not shown
    if (dataStart < b.data || !v.has(dataStart, packedLength) || dataStart + packedLength > b.end)
        return std::unexpected(truncatedFile(kFormat));
    // Neither run-length encoding (128 bytes from 2) nor deflate (1032 from 1) expands more.
    if (plainLength > packedLength * 1032 + 1024 || plainLength > kMaxPixels)
        return std::unexpected(corruptData(kFormat));
    c.plain.resize(size_t(plainLength));
    if (!unpackChannel(doc.compression, v.slice(dataStart, packedLength), c.plain))
        return std::unexpected(corruptData(kFormat));
    return std::optional<Channel>(std::move(c));
}

// Places one channel's rows on the canvas.
Result<void> drawChannel(const Channel &c, const Layer &layer, const Document &doc, QImage &out)
{
    const qint64 w = layer.rect.width(), h = layer.rect.height();
    const int bits = doc.depth == 24 || c.bitmapType == 1 ? 8 : doc.depth;
    const qint64 stride = qint64(c.plain.size()) / h;
    if (stride < (w * bits + 7) / 8)
        return std::unexpected(corruptData(kFormat));
    const QRect visible = layer.rect.intersected(out.rect());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const uchar *src = c.plain.data() + (y - layer.rect.top()) * stride;
        QRgb *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const int lx = x - layer.rect.left();
            const int value = bits == 8 ? src[lx] : (src[lx * bits / 8] >> (8 - bits - (lx * bits) % 8)) & ((1 << bits) - 1);
            if (c.bitmapType == 1)
                dst[x] = (dst[x] & 0x00FFFFFF) | QRgb(value) << 24;
            else if (c.channelType == 0)
                dst[x] = (dst[x] & 0xFF000000u) | (doc.palette[value] & 0x00FFFFFF);
            else
                dst[x] = (dst[x] & ~(0xFFu << (8 * (3 - c.channelType)))) | QRgb(value) << (8 * (3 - c.channelType));
        }
    }
    return {};
}

Result<QImage> drawLayer(const ByteView &v, const Layer &layer, const Document &doc)
{
    auto out = newPicture(doc.width, doc.height, true, kFormat);
    if (!out)
        return out;
    out->fill(Qt::white);
    bool drawn = false;
    for (const Block &b : blocksIn(v, layer.channels, layer.end, doc.version3)) {
        if (b.id != kChannelBlock)
            continue;
        auto channel = readChannel(v, b, doc);
        if (!channel)
            return std::unexpected(channel.error());
        if (!*channel)
            continue;
        if (auto ok = drawChannel(**channel, layer, doc, *out); !ok)
            return std::unexpected(ok.error());
        drawn = true;
    }
    if (!drawn)
        return std::unexpected(truncatedFile(kFormat));
    return settleAlpha(std::move(*out));
}

} // namespace

bool looksLikePsp(QByteArrayView data)
{
    return ByteView(data).startsWith(0, kSignature);
}

std::optional<QSize> pspSize(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikePsp(data))
        return std::nullopt;
    const bool version3 = v.le16(32) <= 3;
    auto b = blockAt(v, kFirstBlock, v.size(), version3);
    if (!b || b->id != kImageBlock)
        return std::nullopt;
    const qint64 p = b->data + (version3 ? 0 : 4);
    const qint64 w = v.le32s(p), h = v.le32s(p + 4);
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        return std::nullopt;
    return QSize(int(w), int(h));
}

Result<QImage> decodePsp(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.has(0, kFirstBlock))
        return std::unexpected(truncatedFile(kFormat));
    if (!looksLikePsp(data))
        return std::unexpected(invalidHeader(kFormat));
    auto doc = readDocument(v);
    if (!doc)
        return std::unexpected(doc.error());
    const Block &start = *doc->layerStart;
    for (const Block &b : blocksIn(v, start.data + start.leadLength, start.end, doc->version3)) {
        if (b.id != kLayerBlock)
            continue;
        if (auto layer = readLayer(v, b, *doc))
            return drawLayer(v, *layer, *doc);
    }
    return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("aucun calque matriciel")));
}

} // namespace imaging::readers
