// Portable bit, grey and pixel maps (.pbm, .pgm, .ppm): "P1" to "P6", a text header of
// width, height and (except for bit maps) the largest sample value up to 65535, with
// "#" comments, then the samples as text (P1-P3) or binary (P4-P6; two bytes, most
// significant first, when the largest value exceeds 255). In bit maps 1 is black.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PNM";

struct PnmHeader {
    int kind = 0;        // the digit after "P"
    qint64 width = 0;
    qint64 height = 0;
    quint32 maxValue = 1;
    qsizetype dataOffset = 0;
    int channels() const { return kind == 3 || kind == 6 ? 3 : 1; }
    bool bitMap() const { return kind == 1 || kind == 4; }
    bool text() const { return kind <= 3; }
};

bool isSpace(uchar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a decimal number after blanks and comments; fails on anything else.
class TextCursor {
public:
    TextCursor(const ByteView &v, qsizetype p) : m_v(v), m_p(p) {}
    qsizetype position() const { return m_p; }

    std::optional<quint32> number()
    {
        skipBlanks();
        if (m_p >= m_v.size() || m_v.u8(m_p) < '0' || m_v.u8(m_p) > '9')
            return std::nullopt;
        quint64 value = 0;
        while (m_p < m_v.size() && m_v.u8(m_p) >= '0' && m_v.u8(m_p) <= '9') {
            value = std::min<quint64>(value * 10 + (m_v.u8(m_p) - '0'), 0xFFFFFFFFu);
            ++m_p;
        }
        return quint32(value);
    }
    // One digit 0 or 1 of a text bit map (they need no blanks between them).
    std::optional<int> bit()
    {
        skipBlanks();
        if (m_p >= m_v.size() || (m_v.u8(m_p) != '0' && m_v.u8(m_p) != '1'))
            return std::nullopt;
        return m_v.u8(m_p++) - '0';
    }

private:
    void skipBlanks()
    {
        while (m_p < m_v.size()) {
            const uchar c = m_v.u8(m_p);
            if (c == '#') {
                while (m_p < m_v.size() && m_v.u8(m_p) != '\n' && m_v.u8(m_p) != '\r')
                    ++m_p;
            } else if (isSpace(c)) {
                ++m_p;
            } else {
                break;
            }
        }
    }
    const ByteView &m_v;
    qsizetype m_p;
};

Result<PnmHeader> parseHeader(const ByteView &v)
{
    if (!v.has(0, 3) || v.u8(0) != 'P' || v.u8(1) < '1' || v.u8(1) > '6' || !(isSpace(v.u8(2)) || v.u8(2) == '#'))
        return std::unexpected(invalidHeader(kFormat));
    PnmHeader h;
    h.kind = v.u8(1) - '0';
    TextCursor cursor(v, 2);
    const auto width = cursor.number(), height = cursor.number();
    const auto maxValue = h.bitMap() ? std::optional<quint32>(1) : cursor.number();
    if (!width || !height || !maxValue)
        return std::unexpected(truncatedFile(kFormat));
    if (*maxValue < 1 || *maxValue > 65535)
        return std::unexpected(invalidHeader(kFormat));
    h.width = *width, h.height = *height, h.maxValue = *maxValue;
    // Binary samples start after exactly one blank.
    h.dataOffset = cursor.position() + (h.text() ? 0 : 1);
    return h;
}

// A lookup from sample value to byte, for the largest value given.
std::vector<uchar> scaleTable(quint32 maxValue)
{
    std::vector<uchar> table(size_t(maxValue) + 1);
    for (quint32 i = 0; i <= maxValue; ++i)
        table[i] = uchar(scaleToByte(i, maxValue));
    return table;
}

void putSample(QImage &out, const PnmHeader &h, qint64 index, uchar value)
{
    const qint64 pixel = index / h.channels();
    uchar *dst = out.scanLine(int(pixel / h.width)) + 3 * (pixel % h.width);
    if (h.channels() == 1)
        dst[0] = dst[1] = dst[2] = value;
    else
        dst[2 - index % 3] = value;
}

Result<void> decodeText(const ByteView &v, const PnmHeader &h, QImage &out)
{
    TextCursor cursor(v, h.dataOffset);
    const qint64 samples = h.width * h.height * h.channels();
    const std::vector<uchar> table = scaleTable(h.maxValue);
    for (qint64 i = 0; i < samples; ++i) {
        if (h.bitMap()) {
            const auto b = cursor.bit();
            if (!b)
                return std::unexpected(truncatedFile(kFormat));
            putSample(out, h, i, *b ? 0 : 255);
            continue;
        }
        const auto value = cursor.number();
        if (!value)
            return std::unexpected(truncatedFile(kFormat));
        putSample(out, h, i, table[std::min(*value, h.maxValue)]);
    }
    return {};
}

Result<void> decodeBinary(const ByteView &v, const PnmHeader &h, QImage &out)
{
    const int sampleBytes = h.maxValue > 255 ? 2 : 1;
    const qint64 rowBytes = h.bitMap() ? (h.width + 7) / 8 : h.width * h.channels() * sampleBytes;
    if (!v.has(h.dataOffset, rowBytes * h.height))
        return std::unexpected(truncatedFile(kFormat));
    const std::vector<uchar> table = scaleTable(h.maxValue);
    for (qint64 y = 0; y < h.height; ++y) {
        const uchar *src = v.data() + h.dataOffset + y * rowBytes;
        uchar *dst = out.scanLine(int(y));
        if (h.bitMap()) {
            for (qint64 x = 0; x < h.width; ++x)
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = (src[x / 8] & (0x80 >> (x % 8))) ? 0 : 255;
            continue;
        }
        const int channels = h.channels();
        for (qint64 x = 0; x < h.width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const qint64 s = x * channels + c;
                const quint32 raw = sampleBytes == 1 ? src[s] : quint32(src[2 * s] << 8 | src[2 * s + 1]);
                const uchar value = table[std::min(raw, h.maxValue)];
                if (channels == 1)
                    dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = value;
                else
                    dst[3 * x + 2 - c] = value;
            }
        }
    }
    return {};
}

} // namespace

bool looksLikePnm(QByteArrayView data)
{
    return parseHeader(ByteView(data)).has_value();
}

std::optional<QSize> pnmSize(QByteArrayView data)
{
    return headerSize(parseHeader(ByteView(data)));
}

Result<QImage> decodePnm(QByteArrayView data)
{
    const ByteView v(data);
    auto h = withinLimits(parseHeader(v), kFormat);
    if (!h)
        return std::unexpected(h.error());
    // Every text sample takes at least one character, every binary pixel at least one bit.
    const qint64 remaining = v.size() - h->dataOffset;
    const qint64 least = h->text() ? h->width * h->height * h->channels() : (h->width + 7) / 8 * h->height;
    if (remaining < least)
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(h->width, h->height, false, kFormat);
    if (!out)
        return out;
    if (auto ok = h->text() ? decodeText(v, *h, *out) : decodeBinary(v, *h, *out); !ok)
        return std::unexpected(ok.error());
    return out;
}

} // namespace imaging::readers
