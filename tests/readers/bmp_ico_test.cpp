// Windows bitmaps and icons written by hand: the variants the fixtures lack, damaged files.
#include "imaging/readers/dib_decoder.h"
#include "imaging/readers/format_decoders.h"
#include "test_bytes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

// BITMAPINFOHEADER: size 40, width, height, planes 1, bit count, compression, image size,
// resolutions, colours used, colours important.
Bytes infoHeader(int width, int height, int bits, int compression = 0, int coloursUsed = 0)
{
    Bytes b;
    b.le32(40).le32(width).le32(height).le16(1).le16(bits).le32(compression).le32(0).le32(2835).le32(2835)
        .le32(coloursUsed).le32(0);
    return b;
}

// "BM", file size, reserved, pixel offset, then the DIB.
QByteArray bmpFile(const QByteArray &dib, qint64 pixelOffset)
{
    Bytes b;
    b.text("BM").le32(14 + dib.size()).le32(0).le32(pixelOffset).raw(dib);
    return b;
}

QByteArray greyPalette(int entries)
{
    Bytes b;
    for (int i = 0; i < entries; ++i)
        b.u8s({i * 10, i * 10, i * 10, 0});
    return b;
}

TEST(Bmp, SixteenBitsWithoutMasksAreFiveFiveFive)
{
    // 2 x 1: pure red (0x7C00) and pure blue (0x001F), row padded to 4 bytes.
    const QByteArray dib = Bytes(infoHeader(2, 1, 16)).le16(0x7C00).le16(0x001F);
    auto picture = decodeBmp(bmpFile(dib, 54));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), QImage::Format_BGR888);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(0, 0, 255));
}

TEST(Bmp, ThirtyTwoBitsWithoutMasksIgnoreTheFourthByte)
{
    const QByteArray dib = Bytes(infoHeader(1, 2, 32)).u8s({10, 20, 30, 0x55}).u8s({1, 2, 3, 0});
    auto picture = decodeBmp(bmpFile(dib, 54));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), QImage::Format_BGR888);
    EXPECT_EQ(picture->pixel(0, 1), qRgb(30, 20, 10)); // first row in the file is the bottom one
    EXPECT_EQ(picture->pixel(0, 0), qRgb(3, 2, 1));
}

TEST(Bmp, AlphaMasksGiveAlphaUnlessNobodyFilledThem)
{
    // BITMAPV4-style masks inside a 56-byte header; 2 x 1 pixels.
    auto header = [](void) {
        Bytes b;
        b.le32(56).le32(2).le32(-1).le16(1).le16(32).le32(3).le32(8).le32(0).le32(0).le32(0).le32(0)
            .le32(0x00FF0000).le32(0x0000FF00).le32(0x000000FF).le32(0xFF000000);
        return b;
    };
    auto translucent = decodeBmp(bmpFile(Bytes(header()).u8s({0, 0, 255, 128}).u8s({255, 0, 0, 255}), 70));
    auto unfilled = decodeBmp(bmpFile(Bytes(header()).u8s({0, 0, 255, 0}).u8s({255, 0, 0, 0}), 70));
    ASSERT_TRUE(translucent && unfilled);
    EXPECT_EQ(translucent->format(), QImage::Format_ARGB32);
    EXPECT_EQ(translucent->pixel(0, 0), qRgba(255, 0, 0, 128));
    EXPECT_EQ(unfilled->format(), QImage::Format_BGR888);
    EXPECT_EQ(unfilled->pixel(1, 0), qRgb(0, 0, 255));
}

TEST(Bmp, Rle8DeltasAbsoluteRunsAndMissingEnd)
{
    // 4 x 3, bottom-up. File row 0: a run of 2 x index 1, an absolute run of 3 (padded to
    // a word) clipped at the row end; end of line; a delta of (1, 1) to file row 2, column
    // 1; one pixel of index 2, a run of 2 x index 1 that ends the last row; no
    // end-of-bitmap code.
    const QByteArray codes = Bytes().u8s({2, 1, 0, 3, 2, 2, 2, 0, 0, 0, 0, 2, 1, 1, 1, 2, 2, 1});
    const QByteArray dib = Bytes(infoHeader(4, 3, 8, 1, 3)).raw(greyPalette(3)).raw(codes);
    auto picture = decodeBmp(bmpFile(dib, 54 + 12));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(0, 2), qRgb(10, 10, 10));
    EXPECT_EQ(picture->pixel(2, 2), qRgb(20, 20, 20));
    EXPECT_EQ(picture->pixel(3, 2), qRgb(20, 20, 20));
    EXPECT_EQ(picture->pixel(0, 1), qRgb(0, 0, 0));   // skipped: colour 0
    EXPECT_EQ(picture->pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(20, 20, 20)); // after the delta, on the top row
    EXPECT_EQ(picture->pixel(3, 0), qRgb(10, 10, 10));

    // Data that stop before the last row is full are a file cut short, not a picture
    // whose missing pixels are colour 0.
    for (int cut : {2, 4, 6})
        EXPECT_FALSE(decodeBmp(bmpFile(dib.first(dib.size() - cut), 54 + 12))) << cut;
}

TEST(Bmp, Rle4AlternatesNibbles)
{
    // 6 x 1: a run of 3 alternating indices 1 and 2, an absolute run of 3 (1, 0, 2) in two
    // bytes, then end of bitmap.
    const QByteArray codes = Bytes().u8s({3, 0x12, 0, 3, 0x10, 0x20, 0, 1});
    const QByteArray dib = Bytes(infoHeader(6, 1, 4, 2, 3)).raw(greyPalette(3)).raw(codes);
    auto picture = decodeBmp(bmpFile(dib, 54 + 12));
    ASSERT_TRUE(picture);
    const int expected[] = {10, 20, 10, 10, 0, 20};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(qRed(picture->pixel(x, 0)), expected[x]) << x;
}

TEST(Bmp, Os2Rle24RunsOfTriples)
{
    // OS/2 2.x header of 64 bytes (compression 4 there means 24-bit runs), 5 x 2, top-down.
    // File row 0: a run of 2 red pixels (count, blue, green, red), an absolute block of 3
    // triples (9 bytes and a pad byte); end of line. Row 1: a delta of (1, 0), one green
    // pixel, an absolute block of 3 triples, end of bitmap.
    Bytes header;
    header.le32(64).le32(5).le32(-2).le16(1).le16(24).le32(4).padTo(64);
    const QByteArray codes = Bytes().u8s({2, 0, 0, 255, 0, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0})
                                 .u8s({0, 2, 1, 0, 1, 0, 255, 0, 0, 3, 9, 9, 9, 8, 8, 8, 7, 7, 7, 0, 0, 1});
    auto picture = decodeBmp(bmpFile(Bytes(header).raw(codes), 14 + 64));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), QImage::Format_BGR888);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(2, 0), qRgb(3, 2, 1));
    EXPECT_EQ(picture->pixel(4, 0), qRgb(9, 8, 7));
    EXPECT_EQ(picture->pixel(0, 1), qRgb(0, 0, 0)); // skipped by the delta
    EXPECT_EQ(picture->pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(picture->pixel(2, 1), qRgb(9, 9, 9));
    EXPECT_EQ(picture->pixel(4, 1), qRgb(7, 7, 7));
    // An absolute block cut short by the end of the data: the file is cut short.
    EXPECT_FALSE(decodeBmp(bmpFile(Bytes(header).raw(codes.first(codes.size() - 6)), 14 + 64)));
    // The same compression after a Windows 40-byte header still means JPEG pixels.
    EXPECT_FALSE(decodeBmp(bmpFile(Bytes(infoHeader(4, 2, 24, 4)).raw(codes), 54)));
}

TEST(Bmp, PackedDibsAndBadPixelOffsets)
{
    const QByteArray dib = Bytes(infoHeader(1, 1, 24)).u8s({1, 2, 3, 0});
    auto packed = decodeBmp(dib);                 // a .dib without its file header
    auto zeroOffset = decodeBmp(bmpFile(dib, 0)); // pixels right after the header
    ASSERT_TRUE(packed && zeroOffset);
    EXPECT_EQ(packed->pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(zeroOffset->pixel(0, 0), qRgb(3, 2, 1));
}

TEST(Bmp, EmbeddedPngPixels)
{
    QFile png(QStringLiteral(LUMIVELLE_FIXTURES "/images/png/png_rgb8_64x48.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    const QByteArray dib = Bytes(infoHeader(64, 48, 0, 5)).raw(png.readAll());
    auto picture = decodeBmp(bmpFile(dib, 54));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(64, 48));
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 0, 0));
}

TEST(Bmp, DamagedFilesFail)
{
    const QByteArray good = bmpFile(Bytes(infoHeader(4, 4, 24)).zeros(48), 54);
    EXPECT_FALSE(decodeBmp(good.first(60)));                           // pixels cut short
    EXPECT_FALSE(decodeBmp(good.first(20)));                           // header cut short
    EXPECT_FALSE(decodeBmp(bmpFile(Bytes(infoHeader(4, 4, 7)).zeros(64), 54)));  // 7 bits
    EXPECT_FALSE(decodeBmp(bmpFile(Bytes(infoHeader(4, 4, 24, 9)).zeros(64), 54))); // compression 9
    EXPECT_FALSE(decodeBmp(bmpFile(Bytes(infoHeader(0, 4, 24)).zeros(64), 54)));
    Bytes oddHeader;
    oddHeader.le32(33).zeros(60);
    EXPECT_FALSE(decodeBmp(bmpFile(oddHeader, 54)));
    const auto huge = decodeBmp(bmpFile(Bytes(infoHeader(40000, 2, 24)).zeros(64), 54));
    ASSERT_FALSE(huge);
    EXPECT_TRUE(huge.error().message.contains(QStringLiteral("trop grande")));
    const auto tooManyPixels = decodeBmp(bmpFile(Bytes(infoHeader(20001, -20001, 8, 1, 2)).zeros(64), 54));
    ASSERT_FALSE(tooManyPixels);
    EXPECT_TRUE(tooManyPixels.error().message.contains(QStringLiteral("trop grande")));
}

// An icon directory of `entries` (width, height, bit count, data), data placed in order.
QByteArray iconFile(const std::vector<std::tuple<int, int, int, QByteArray>> &entries)
{
    Bytes b;
    b.le16(0).le16(1).le16(int(entries.size()));
    qint64 offset = 6 + 16 * qint64(entries.size());
    for (const auto &[w, h, bits, data] : entries) {
        b.u8(w & 0xFF).u8(h & 0xFF).u8(0).u8(0).le16(1).le16(bits).le32(data.size()).le32(offset);
        offset += data.size();
    }
    for (const auto &e : entries)
        b.raw(std::get<3>(e));
    return b;
}

// A 24-bit icon image of one colour with its AND mask (`maskRow` for every row).
QByteArray iconImage(int size, QRgb colour, quint32 maskRow)
{
    Bytes b(infoHeader(size, 2 * size, 24));
    const int stride = (size * 3 + 3) / 4 * 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            b.u8s({qBlue(colour), qGreen(colour), qRed(colour)});
        b.zeros(stride - size * 3);
    }
    for (int y = 0; y < size; ++y)
        b.be32(maskRow);
    return b;
}

TEST(Ico, ShowsTheLargestImageWithItsMask)
{
    const QByteArray file = iconFile({{2, 2, 24, iconImage(2, qRgb(255, 0, 0), 0)},
                                      {4, 4, 24, iconImage(4, qRgb(0, 0, 255), 0x40000000)},
                                      {3, 3, 24, iconImage(3, qRgb(0, 255, 0), 0)}});
    auto picture = decodeIco(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(4, 4));
    EXPECT_EQ(picture->format(), QImage::Format_ARGB32);
    EXPECT_EQ(picture->pixel(0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(qAlpha(picture->pixel(1, 0)), 0); // second mask bit set
    EXPECT_EQ(icoSize(file), QSize(4, 4));
}

TEST(Ico, ADamagedLargestImageGivesWayToTheNext)
{
    const QByteArray broken = Bytes(infoHeader(8, 16, 5)).zeros(16);
    const QByteArray file = iconFile({{2, 2, 24, iconImage(2, qRgb(255, 0, 0), 0)}, {8, 8, 24, broken}});
    auto picture = decodeIco(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(2, 2));
}

TEST(Ico, EntriesOutsideTheFileAreIgnored)
{
    Bytes b;
    b.le16(0).le16(1).le16(1).u8s({16, 16, 0, 0}).le16(1).le16(32).le32(1000).le32(5000);
    EXPECT_FALSE(decodeIco(b));
    EXPECT_FALSE(decodeIco(Bytes().le16(0).le16(1)));
    EXPECT_FALSE(decodeIco(Bytes().le16(0).le16(7).le16(1).zeros(16)));
}

} // namespace
