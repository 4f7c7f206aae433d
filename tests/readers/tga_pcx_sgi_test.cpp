// Targa, PCX and SGI files written by hand: the variants the fixtures lack, damaged files.
#include "imaging/readers/format_decoders.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

// The 18-byte Targa header: ID length, colour map type, image type, map first entry,
// map length, map entry bits, origin, width, height, bits per pixel, descriptor.
Bytes tgaHeader(int type, int width, int height, int bits, int descriptor, int mapLength = 0, int mapBits = 0, int mapFirst = 0)
{
    Bytes b;
    b.u8(0).u8(mapLength ? 1 : 0).u8(type).le16(mapFirst).le16(mapLength).u8(mapBits).le16(0).le16(0)
        .le16(width).le16(height).u8(bits).u8(descriptor);
    return b;
}

TEST(Tga, RightToLeftRowsAndColourMapOffsets)
{
    // 2 x 1 colour-mapped, right-to-left, top-down; the map starts at entry 5.
    Bytes b = tgaHeader(1, 2, 1, 8, 0x30, 2, 24, 5);
    b.u8s({0, 0, 255}).u8s({255, 0, 0}).u8s({5, 6});
    auto picture = decodeTga(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(1, 0), qRgb(255, 0, 0)); // first file pixel, rightmost
    EXPECT_EQ(picture->pixel(0, 0), qRgb(0, 0, 255));
}

TEST(Tga, GreyWithAlphaAndUnfilledThirtyTwoBitAlpha)
{
    Bytes grey = tgaHeader(3, 2, 1, 16, 0x28);
    grey.u8s({100, 255, 50, 128});
    Bytes unfilled = tgaHeader(2, 1, 1, 32, 0x20);
    unfilled.u8s({1, 2, 3, 0});
    auto a = decodeTga(grey), b = decodeTga(unfilled);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->format(), QImage::Format_ARGB32);
    EXPECT_EQ(a->pixel(1, 0), qRgba(50, 50, 50, 128));
    EXPECT_EQ(b->format(), QImage::Format_BGR888); // a fourth byte left at 0 is no alpha
    EXPECT_EQ(b->pixel(0, 0), qRgb(3, 2, 1));
}

TEST(Tga, SixteenBitAlphaOnlyWhenTheDescriptorDeclaresIt)
{
    Bytes declared = tgaHeader(2, 2, 1, 16, 0x21);
    declared.le16(0xFC00).le16(0x001F); // opaque red, transparent blue
    Bytes undeclared = tgaHeader(2, 2, 1, 16, 0x20);
    undeclared.le16(0xFC00).le16(0x001F);
    auto a = decodeTga(declared), b = decodeTga(undeclared);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(a->pixel(1, 0)), 0);
    EXPECT_EQ(b->format(), QImage::Format_BGR888);
    EXPECT_EQ(b->pixel(1, 0), qRgb(0, 0, 255));
}

TEST(Tga, FifteenBitPixelsAndSixteenBitIndices)
{
    // 15 bits: two bytes a pixel, the top bit unused even when set.
    Bytes fifteen = tgaHeader(2, 2, 1, 15, 0x20);
    fifteen.le16(0x83E0).le16(0x0010);
    // Colour-mapped with 16-bit indices into a map starting at entry 300.
    Bytes wide = tgaHeader(1, 2, 1, 16, 0x20, 2, 24, 300);
    wide.u8s({0, 0, 255}).u8s({0, 255, 0}).le16(301).le16(300);
    auto a = decodeTga(fifteen), b = decodeTga(wide);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->format(), QImage::Format_BGR888);
    EXPECT_EQ(a->pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(a->pixel(1, 0), qRgb(0, 0, 132)); // 16 of 31
    EXPECT_EQ(b->pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(b->pixel(1, 0), qRgb(255, 0, 0));
}

TEST(Tga, RunsAcrossRowsAndBottomUpOrder)
{
    // 2 x 2 bottom-up 24-bit RLE: one run of 3 red pixels, one raw blue pixel.
    Bytes b = tgaHeader(10, 2, 2, 24, 0);
    b.u8(0x82).u8s({0, 0, 255}).u8(0x00).u8s({255, 0, 0});
    auto picture = decodeTga(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(0, 0, 255));
}

TEST(Tga, DamagedFilesFail)
{
    Bytes shortRle = tgaHeader(10, 4, 4, 24, 0);
    shortRle.u8(0x83).u8s({1, 2, 3}); // 4 of 16 pixels
    EXPECT_FALSE(decodeTga(shortRle));
    Bytes shortRaw = tgaHeader(2, 4, 4, 24, 0);
    shortRaw.zeros(47);
    EXPECT_FALSE(decodeTga(shortRaw));
    EXPECT_FALSE(decodeTga(tgaHeader(32, 4, 4, 8, 0).zeros(16)));  // Huffman types
    EXPECT_FALSE(decodeTga(tgaHeader(2, 4, 4, 12, 0).zeros(64)));  // 12 bits
    EXPECT_FALSE(decodeTga(tgaHeader(1, 4, 4, 8, 0).zeros(64)));   // mapped without a map
    EXPECT_FALSE(decodeTga(Bytes().zeros(10)));
    // A 1-byte run gives at most 128 pixels: 60000 x 60000 from a few bytes is refused
    // before anything is allocated (and so is 30001 x 1).
    EXPECT_FALSE(decodeTga(tgaHeader(10, 30000, 30000, 24, 0).zeros(8)));
    EXPECT_FALSE(decodeTga(tgaHeader(3, 30001, 1, 8, 0).zeros(30001)));
}

// The 128-byte PCX header: 0x0A, version 5, RLE, bits, window, resolutions, 16-colour
// palette, reserved, planes, bytes per line, palette info.
Bytes pcxHeader(int width, int height, int bits, int planes, int bytesPerLine)
{
    Bytes b;
    b.u8(0x0A).u8(5).u8(1).u8(bits).le16(0).le16(0).le16(width - 1).le16(height - 1).le16(72).le16(72);
    for (int i = 0; i < 16; ++i)
        b.u8s({i * 16, i * 16, i * 16});
    b.u8(0).u8(planes).le16(bytesPerLine).le16(1).zeros(58);
    return b;
}

TEST(Pcx, RgbaPlanesAndTwoBitPixels)
{
    Bytes rgba = pcxHeader(1, 1, 8, 4, 2);
    rgba.u8s({10, 0, 20, 0, 30, 0, 40, 0});
    Bytes twoBit = pcxHeader(4, 1, 2, 1, 2);
    twoBit.u8s({0x1B, 0}); // indices 0, 1, 2, 3
    auto a = decodePcx(rgba), b = decodePcx(twoBit);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixel(0, 0), qRgba(10, 20, 30, 40));
    EXPECT_EQ(b->pixel(3, 0), qRgb(48, 48, 48));
}

TEST(Pcx, VersionThreeSixteenColoursUseTheEgaPalette)
{
    Bytes b = pcxHeader(2, 1, 4, 1, 2);
    QByteArray bytes = b;
    bytes[1] = 3;
    bytes.append(char(0x1E)).append(char(0));
    auto picture = decodePcx(bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(0, 0, 0xAA));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(0xFF, 0xFF, 0x55));
}

TEST(Pcx, EightBitsNeedTheirPaletteWhole)
{
    Bytes b = pcxHeader(2, 1, 8, 1, 2);
    b.u8(0xC2).u8(77); // a run of two
    QByteArray palette(769, '\0');
    palette[0] = 0x0C;
    palette.replace(1 + 3 * 77, 3, "\x01\x02\x03", 3);
    const QByteArray whole = QByteArray(b.data()) + palette;
    auto picture = decodePcx(whole);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(1, 0), qRgb(1, 2, 3));
    // Without its palette, or missing only its last byte (which shifts the palette out of
    // place), the file is refused rather than shown in grey levels.
    EXPECT_FALSE(decodePcx(b));
    EXPECT_FALSE(decodePcx(whole.first(whole.size() - 1)));
}

TEST(Pcx, DamagedFilesFail)
{
    EXPECT_FALSE(decodePcx(pcxHeader(4, 4, 8, 1, 4).u8(0xC5)));          // data ends in a run
    EXPECT_FALSE(decodePcx(pcxHeader(16, 1, 8, 1, 1).zeros(16)));        // lines shorter than the width
    EXPECT_FALSE(decodePcx(pcxHeader(4, 4, 8, 2, 4).zeros(64)));         // 2 planes of 8 bits
    EXPECT_FALSE(decodePcx(pcxHeader(30000, 30000, 8, 1, 30000).zeros(64)));
    EXPECT_FALSE(decodePcx(Bytes().u8(0x0A).zeros(20)));
}

// The 512-byte SGI header: magic 474, storage, bytes per channel, dimension, sizes.
Bytes sgiHeader(bool rle, int bpc, int dimension, int w, int h, int z)
{
    Bytes b;
    b.be16(474).u8(rle ? 1 : 0).u8(bpc).be16(dimension).be16(w).be16(h).be16(z).be32(0).be32(255).zeros(4)
        .zeros(80).be32(0).padTo(512);
    return b;
}

TEST(Sgi, SixteenBitRunsAndGreyWithAlpha)
{
    // 2 x 1, two channels (grey, alpha), 16-bit RLE: offsets and lengths tables, then rows.
    Bytes b = sgiHeader(true, 2, 3, 2, 1, 2);
    b.be32(528).be32(536).be32(8).be32(8);
    b.be16(0x02).be16(0x8000).be16(0).be16(0);           // grey: a run of 2 x 0x8000
    b.be16(0x82).be16(0xFFFF).be16(0x0000).be16(0);      // alpha: 2 literals
    auto picture = decodeSgi(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), QImage::Format_ARGB32);
    EXPECT_EQ(picture->pixel(0, 0), qRgba(128, 128, 128, 255));
    EXPECT_EQ(qAlpha(picture->pixel(1, 0)), 0);
}

TEST(Sgi, OneDimensionalImagesAreOneRow)
{
    Bytes b = sgiHeader(false, 1, 1, 3, 99, 99); // height and depth ignored
    b.u8s({0, 128, 255});
    auto picture = decodeSgi(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(3, 1));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(128, 128, 128));
}

TEST(Sgi, DamagedFilesFail)
{
    Bytes outside = sgiHeader(true, 1, 2, 2, 1, 1);
    outside.be32(99999).be32(4);
    EXPECT_FALSE(decodeSgi(outside));                                  // row outside the file
    Bytes overflowing = sgiHeader(true, 1, 2, 2, 1, 1);
    overflowing.be32(520).be32(3).u8s({0x05, 7, 0});
    EXPECT_FALSE(decodeSgi(overflowing));                              // run longer than the row
    EXPECT_FALSE(decodeSgi(sgiHeader(false, 1, 3, 4, 4, 3).zeros(10))); // planes cut short
    EXPECT_FALSE(decodeSgi(sgiHeader(false, 4, 2, 4, 4, 1).zeros(64)));  // 4 bytes per channel
    EXPECT_FALSE(decodeSgi(Bytes().be16(474).zeros(100)));
}

} // namespace
