// Photoshop documents and portable maps written by hand.
#include "imaging/readers/format_decoders.h"
#include "test_bytes.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

// Header ("8BPS", version, 6 reserved bytes, channels, height, width, depth, mode) and
// empty colour-mode, resource and layer sections.
Bytes psdHeader(int channels, int width, int height, int depth, int mode, int version = 1)
{
    Bytes b;
    b.text("8BPS").be16(version).zeros(6).be16(channels).be32(height).be32(width).be16(depth).be16(mode);
    b.be32(0).be32(0);
    if (version == 2)
        b.be32(0).be32(0);
    else
        b.be32(0);
    return b;
}

TEST(Psd, SixteenBitRawRgb)
{
    Bytes b = psdHeader(3, 2, 1, 16, 3);
    b.be16(0).be16(0xFFFF).be16(0).be16(0x8080).be16(0x0101).be16(0).be16(0x4040);
    auto picture = decodePsd(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 128, 0));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(0, 1, 64));
}

TEST(Psd, CmykIsStoredInvertedAndBitmapsAreBlackOnWhite)
{
    Bytes cmyk = psdHeader(4, 1, 1, 8, 4);
    cmyk.be16(0).u8s({255, 0, 255, 255}); // no cyan, full magenta, no yellow, no black
    Bytes bitmap = psdHeader(1, 9, 1, 1, 0);
    bitmap.be16(0).u8s({0x80, 0x80});      // pixels 0 and 8 black
    auto a = decodePsd(cmyk), b = decodePsd(bitmap);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(b->pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(b->pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(b->pixel(8, 0), qRgb(0, 0, 0));
}

TEST(Psd, GreyWithTransparencyAndLargeDocuments)
{
    Bytes grey = psdHeader(2, 1, 1, 8, 1);
    grey.be16(0).u8s({90, 30});
    Bytes large = psdHeader(3, 1, 1, 8, 3, 2);
    large.be16(1).be32(2).be32(2).be32(2).u8s({0, 1, 0, 2, 0, 3}); // PackBits with 32-bit counts
    auto a = decodePsd(grey), b = decodePsd(large);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixel(0, 0), qRgba(90, 90, 90, 30));
    EXPECT_EQ(b->pixel(0, 0), qRgb(1, 2, 3));
}

TEST(Psd, DeflatedChannelsWithPrediction)
{
    // 3 x 1 grey: values 10, 15, 5 stored as differences 10, +5, -10.
    const QByteArray plain("\x0a\x05\xf6", 3);
    QByteArray packed(64, '\0');
    uLongf size = uLongf(packed.size());
    compress(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(plain.data()), plain.size());
    packed.resize(qsizetype(size));
    Bytes b = psdHeader(1, 3, 1, 8, 1);
    b.be16(3).raw(packed);
    auto picture = decodePsd(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(1, 0), qRgb(15, 15, 15));
    EXPECT_EQ(picture->pixel(2, 0), qRgb(5, 5, 5));
}

TEST(Psd, DamagedFilesFail)
{
    Bytes longRow = psdHeader(1, 2, 1, 8, 1);
    longRow.be16(1).be16(3).u8s({0xFD, 7}); // a run of 4 into a row of 2
    EXPECT_FALSE(decodePsd(longRow));
    Bytes shortRaw = psdHeader(3, 4, 4, 8, 3);
    shortRaw.be16(0).zeros(40);
    EXPECT_FALSE(decodePsd(shortRaw));
    Bytes badSection = psdHeader(3, 4, 4, 8, 3);
    badSection.patchLe32(26, 0x7FFFFFFF); // colour mode section longer than the file
    EXPECT_FALSE(decodePsd(badSection));
    EXPECT_FALSE(decodePsd(psdHeader(3, 4, 4, 32, 3).be16(0).zeros(200)));  // 32-bit float
    EXPECT_FALSE(decodePsd(psdHeader(3, 4, 4, 8, 9).be16(0).zeros(200)));   // Lab
    EXPECT_FALSE(decodePsd(psdHeader(3, 4, 4, 8, 3).be16(7)));              // compression 7
    EXPECT_FALSE(decodePsd(psdHeader(3, 30000, 30000, 8, 3).be16(1).zeros(100)));
}

TEST(Pnm, TextFormsCommentsAndScaling)
{
    auto bits = decodePnm(QByteArray("P1\n# two pixels\n2 1\n01"));
    auto grey = decodePnm(QByteArray("P2 2 1 1000 500 2000"));
    auto colour = decodePnm(QByteArray("P3\n1 1\n# max\n15\n15 0 7\n"));
    ASSERT_TRUE(bits && grey && colour);
    EXPECT_EQ(bits->pixel(0, 0), qRgb(255, 255, 255)); // 0 is white
    EXPECT_EQ(bits->pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(grey->pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(grey->pixel(1, 0), qRgb(255, 255, 255));  // above the largest value: clamped
    EXPECT_EQ(colour->pixel(0, 0), qRgb(255, 0, 119));
}

TEST(Pnm, BinaryFormsWithWideSamples)
{
    auto wide = decodePnm(QByteArray("P5 1 1 65535\n\x80\x00", 15));
    auto bits = decodePnm(QByteArray("P4\n10 1\n\x80\x40", 10));
    ASSERT_TRUE(wide && bits);
    EXPECT_EQ(wide->pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(bits->pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bits->pixel(9, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bits->pixel(8, 0), qRgb(255, 255, 255));
}

TEST(Pnm, DamagedFilesFail)
{
    EXPECT_FALSE(decodePnm(QByteArray("P6 4 4 255\n")));          // no samples
    EXPECT_FALSE(decodePnm(QByteArray("P2 2 2 255 1 2 3")));      // one sample short
    EXPECT_FALSE(decodePnm(QByteArray("P2 2 2 255 1 2 x 4")));    // not a number
    EXPECT_FALSE(decodePnm(QByteArray("P5 1 1 0\n\x00", 10)));    // largest value 0
    EXPECT_FALSE(decodePnm(QByteArray("P5 1 1 70000\n\x00\x00", 15)));
    EXPECT_FALSE(decodePnm(QByteArray("P7 1 1 255\n\x00", 12)));
    EXPECT_FALSE(decodePnm(QByteArray("P6 99999999999 1 255\n")));
    EXPECT_FALSE(decodePnm(QByteArray("P5 20000 20001 255\n")));
}

} // namespace
