// Kodak Photo-CD image packs (.pcd): we show the Base image, 768 x 512, stored at a fixed
// place (sector 96, byte 196608) as pairs of luma rows followed by one row of each chroma
// channel at half resolution (PhotoYCC). The pack's orientation byte turns portraits.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <QTransform>
#include <array>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PCD";
constexpr qsizetype kSignatureOffset = 0x800;
constexpr qsizetype kOrientationOffset = 0x0E02;
constexpr qsizetype kBaseOffset = 96 * 2048;
constexpr int kWidth = 768;
constexpr int kHeight = 512;
constexpr qsizetype kBaseBytes = qsizetype(kHeight / 2) * (2 * kWidth + kWidth);

// PhotoYCC to RGB, as Kodak publishes it: luma scaled by 1.3584, chroma centred on 156
// and 137 and scaled by 2.2179 and 1.8215.
struct YccTables {
    std::array<int, 256> luma, blueFromC1, greenFromC1, greenFromC2, redFromC2;
    YccTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double c1 = 2.2179 * (i - 156), c2 = 1.8215 * (i - 137);
            luma[i] = int(1.3584 * i * 1024);
            blueFromC1[i] = int(c1 * 1024);
            greenFromC1[i] = int(-0.194 * c1 * 1024);
            greenFromC2[i] = int(-0.509 * c2 * 1024);
            redFromC2[i] = int(c2 * 1024);
        }
    }
};

uchar clampByte(int fixed)
{
    return uchar(std::clamp((fixed + 512) >> 10, 0, 255));
}

void convertRowPair(const YccTables &t, const uchar *base, QImage &out, int pair)
{
    const uchar *c1 = base + 2 * kWidth, *c2 = c1 + kWidth / 2;
    for (int line = 0; line < 2; ++line) {
        const uchar *luma = base + line * kWidth;
        uchar *dst = out.scanLine(2 * pair + line);
        for (int x = 0; x < kWidth; ++x) {
            const int y = t.luma[luma[x]], u = c1[x / 2], v = c2[x / 2];
            dst[3 * x] = clampByte(y + t.blueFromC1[u]);
            dst[3 * x + 1] = clampByte(y + t.greenFromC1[u] + t.greenFromC2[v]);
            dst[3 * x + 2] = clampByte(y + t.redFromC2[v]);
        }
    }
}

} // namespace

bool looksLikePhotoCd(QByteArrayView data)
{
    return ByteView(data).startsWith(kSignatureOffset, "PCD_IPI");
}

std::optional<QSize> photoCdSize(QByteArrayView data)
{
    if (!looksLikePhotoCd(data))
        return std::nullopt;
    const bool portrait = ByteView(data).u8(kOrientationOffset) & 1;
    return portrait ? QSize(kHeight, kWidth) : QSize(kWidth, kHeight);
}

Result<QImage> decodePhotoCd(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikePhotoCd(data))
        return std::unexpected(invalidHeader(kFormat));
    if (!v.has(kBaseOffset, kBaseBytes))
        return std::unexpected(truncatedFile(kFormat));
    auto out = newPicture(kWidth, kHeight, false, kFormat);
    if (!out)
        return out;
    static const YccTables tables;
    for (int pair = 0; pair < kHeight / 2; ++pair)
        convertRowPair(tables, v.data() + kBaseOffset + qsizetype(pair) * 3 * kWidth, *out, pair);
    // Orientation: 0 as stored, 1 turned a quarter anticlockwise, 2 upside down, 3 a
    // quarter clockwise.
    static constexpr int kDegrees[4] = {0, 270, 180, 90};
    const int degrees = kDegrees[v.u8(kOrientationOffset) & 3];
    if (degrees != 0)
        return out->transformed(QTransform().rotate(degrees)).convertToFormat(QImage::Format_BGR888);
    return out;
}

} // namespace imaging::readers
