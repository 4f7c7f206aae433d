// Animator Pro cels and flics: a 128-byte header (file size, 0xAF12 or 0xAF11 for the
// original flics, frame count, width, height, 8 bits per pixel), then chunks of a 32-bit
// size and a 16-bit type. A frame chunk (0xF1FA) has a 16-byte header and holds
// sub-chunks: palettes (4: 8-bit values, 11: 6-bit values), a black screen (13), byte
// runs (15), a raw copy (16) and changes to the previous frame (12: line compression,
// 7: word-oriented). The picture is the first frame, drawn on a black screen.
#include "imaging/readers/autodesk_flic.h"

#include "imaging/readers/decode_support.h"

#include <cstring>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "CEL";
constexpr qsizetype kHeaderSize = 128;
constexpr qsizetype kChunkHeaderSize = 6;
constexpr qsizetype kFrameHeaderSize = 16;
constexpr quint16 kFrameChunk = 0xF1FA;

enum SubChunk : quint16 { kWordDelta = 7, kPalette256 = 4, kPalette64 = 11, kLineDelta = 12, kBlack = 13, kByteRun = 15, kCopy = 16 };

// The frame being drawn: one palette index per pixel, top row first.
struct Screen {
    int width = 0;
    int height = 0;
    std::vector<uchar> pixels;
    Palette palette;
    uchar *row(int y) { return pixels.data() + qsizetype(y) * width; }
};

// Packets of (entries to skip, entries to set: 0 means 256, then red, green, blue).
Result<void> readPalette(const ByteView &c, Screen &s, quint32 maxValue)
{
    qsizetype p = 2;
    int index = 0;
    for (int packet = 0, packets = c.le16(0); packet < packets && index < 256; ++packet) {
        if (!c.has(p, 2))
            return std::unexpected(truncatedFile(kFormat));
        index += c.u8(p);
        if (index >= 256)
            break;
        const int count = c.u8(p + 1) == 0 ? 256 : c.u8(p + 1);
        p += 2;
        if (!c.has(p, 3 * qsizetype(std::min(count, 256 - index))))
            return std::unexpected(truncatedFile(kFormat));
        for (int i = 0; i < count && index < 256; ++i, ++index, p += 3)
            s.palette.colours[index] = qRgb(scaleToByte(c.u8(p), maxValue), scaleToByte(c.u8(p + 1), maxValue),
                                            scaleToByte(c.u8(p + 2), maxValue));
    }
    return {};
}

// Copies `count` bytes (or repeats one byte `count` times) into a row at `x`, clipped.
void putBytes(uchar *row, int width, int x, const uchar *bytes, int count, bool repeat)
{
    const int n = std::clamp(width - x, 0, count);
    if (repeat)
        std::memset(row + x, *bytes, size_t(n));
    else if (n > 0)
        std::memcpy(row + x, bytes, size_t(n));
}

// Each row: an unused packet count, then signed counts: positive, one byte repeated;
// negative, that many bytes copied; until the row is full.
Result<void> readByteRuns(const ByteView &c, Screen &s)
{
    qsizetype p = 0;
    for (int y = 0; y < s.height; ++y) {
        ++p;
        for (int x = 0; x < s.width;) {
            if (!c.has(p, 1))
                return std::unexpected(truncatedFile(kFormat));
            const int count = qint8(c.u8(p++));
            const int n = std::abs(count);
            if (!c.has(p, count > 0 ? 1 : n))
                return std::unexpected(truncatedFile(kFormat));
            putBytes(s.row(y), s.width, x, c.data() + p, n, count > 0);
            p += count > 0 ? 1 : n, x += n;
            if (n == 0)
                return std::unexpected(corruptData(kFormat));
        }
    }
    return {};
}

// First row, row count, then per row: a packet count and packets of (columns to skip,
// signed count: positive, that many bytes copied; negative, one byte repeated).
Result<void> readLineDelta(const ByteView &c, Screen &s)
{
    qsizetype p = 4;
    const int first = c.le16(0), rows = c.le16(2);
    for (int y = first; y < first + rows && y < s.height; ++y) {
        int x = 0;
        for (int packet = 0, packets = c.u8(p++); packet < packets; ++packet) {
            if (!c.has(p, 2))
                return std::unexpected(truncatedFile(kFormat));
            x += c.u8(p);
            const int count = qint8(c.u8(p + 1));
            p += 2;
            const int n = std::abs(count);
            if (!c.has(p, count > 0 ? n : 1))
                return std::unexpected(truncatedFile(kFormat));
            putBytes(s.row(y), s.width, x, c.data() + p, n, count < 0);
            p += count > 0 ? n : 1, x += n;
        }
    }
    return {};
}

// One row of word packets: (columns to skip, signed count: positive, that many pixel
// pairs copied; negative, one pair repeated).
Result<qsizetype> readWordPackets(const ByteView &c, qsizetype p, int packets, uchar *row, int width)
{
    int x = 0;
    for (int packet = 0; packet < packets; ++packet) {
        if (!c.has(p, 2))
            return std::unexpected(truncatedFile(kFormat));
        x += c.u8(p);
        const int count = qint8(c.u8(p + 1));
        p += 2;
        const int pairs = std::abs(count);
        if (!c.has(p, count > 0 ? 2 * qsizetype(pairs) : 2))
            return std::unexpected(truncatedFile(kFormat));
        for (int i = 0; i < pairs; ++i, x += 2)
            putBytes(row, width, x, c.data() + p + (count > 0 ? 2 * i : 0), 2, false);
        p += count > 0 ? 2 * qsizetype(pairs) : 2;
    }
    return p;
}

// Rows to change; each starts with words whose top bits say: 00, the packet count that
// ends the row's words; 11, rows to skip; 10, the row's last pixel (odd widths).
Result<void> readWordDelta(const ByteView &c, Screen &s)
{
    qsizetype p = 2;
    int y = 0;
    for (int changed = 0, rows = c.le16(0); changed < rows && y < s.height; ++changed, ++y) {
        quint16 word = 0;
        for (;;) {
            if (!c.has(p, 2))
                return std::unexpected(truncatedFile(kFormat));
            word = c.le16(p), p += 2;
            if ((word & 0xC000) == 0xC000)
                y += 0x10000 - word;
            else if ((word & 0xC000) == 0x8000 && y < s.height)
                s.row(y)[s.width - 1] = uchar(word);
            else if ((word & 0xC000) == 0)
                break;
        }
        if (y >= s.height)
            break;
        auto next = readWordPackets(c, p, word, s.row(y), s.width);
        if (!next)
            return std::unexpected(next.error());
        p = *next;
    }
    return {};
}

Result<void> readSubChunk(quint16 type, const ByteView &c, Screen &s)
{
    switch (type) {
    case kPalette256: return readPalette(c, s, 255);
    case kPalette64: return readPalette(c, s, 63);
    case kBlack: std::fill(s.pixels.begin(), s.pixels.end(), 0); return {};
    case kByteRun: return readByteRuns(c, s);
    case kLineDelta: return readLineDelta(c, s);
    case kWordDelta: return readWordDelta(c, s);
    case kCopy:
        if (!c.has(0, qsizetype(s.pixels.size())))
            return std::unexpected(truncatedFile(kFormat));
        std::memcpy(s.pixels.data(), c.data(), s.pixels.size());
        return {};
    default: return {}; // postage stamps and the like
    }
}

// The first frame chunk after the header, skipping prefix and segment chunks.
Result<ByteView> firstFrame(const ByteView &v)
{
    for (qsizetype p = kHeaderSize; v.has(p, kChunkHeaderSize);) {
        const qint64 size = v.le32(p);
        if (size < kChunkHeaderSize || !v.has(p, size))
            return std::unexpected(truncatedFile(kFormat));
        if (v.le16(p + 4) == kFrameChunk)
            return ByteView(v.slice(p, size));
        p += size;
    }
    return std::unexpected(truncatedFile(kFormat));
}

Result<void> drawFrame(const ByteView &frame, Screen &s)
{
    qsizetype p = kFrameHeaderSize;
    for (int i = 0, count = frame.le16(6); i < count; ++i) {
        const qint64 size = frame.le32(p);
        if (size < kChunkHeaderSize || !frame.has(p, size))
            return std::unexpected(truncatedFile(kFormat));
        if (auto ok = readSubChunk(frame.le16(p + 4), ByteView(frame.slice(p + kChunkHeaderSize, size - kChunkHeaderSize)), s); !ok)
            return ok;
        p += size;
    }
    return {};
}

} // namespace

bool looksLikeFlic(QByteArrayView data)
{
    const ByteView v(data);
    const quint16 magic = v.le16(4);
    return v.has(0, kHeaderSize + kChunkHeaderSize) && (magic == 0xAF12 || magic == 0xAF11)
        && (v.le16(12) == 8 || v.le16(12) == 0) && v.le16(8) > 0 && v.le16(10) > 0
        && (v.le16(kHeaderSize + 4) == kFrameChunk || v.le16(kHeaderSize + 4) == 0xF100);
}

std::optional<QSize> flicSize(QByteArrayView data)
{
    if (!looksLikeFlic(data))
        return std::nullopt;
    const ByteView v(data);
    if (!checkDimensions(v.le16(8), v.le16(10), kFormat))
        return std::nullopt;
    return QSize(v.le16(8), v.le16(10));
}

Result<QImage> decodeFlic(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.has(0, kHeaderSize))
        return std::unexpected(truncatedFile(kFormat));
    if (v.le16(12) != 8 && v.le16(12) != 0)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 bits par pixel").arg(v.le16(12))));
    Screen s;
    s.width = v.le16(8), s.height = v.le16(10);
    if (auto ok = checkDimensions(s.width, s.height, kFormat); !ok)
        return std::unexpected(ok.error());
    auto frame = firstFrame(v);
    if (!frame)
        return std::unexpected(frame.error());
    s.pixels.assign(size_t(s.width) * size_t(s.height), 0);
    if (auto ok = drawFrame(*frame, s); !ok)
        return std::unexpected(ok.error());
    auto out = newPicture(s.width, s.height, false, kFormat);
    if (!out)
        return out;
    for (int y = 0; y < s.height; ++y)
        expandIndexedRow(s.row(y), 8, s.width, s.palette, out->scanLine(y), false);
    return out;
}

} // namespace imaging::readers
