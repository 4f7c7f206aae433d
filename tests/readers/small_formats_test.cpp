// Autodesk, Photo-CD, Dr. Halo, Alias/Wavefront and Paint Shop Pro files written by hand.
#include "imaging/readers/format_decoders.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

// 0x9119, width, height, x and y offset, 8 bits, no compression, data size, 16 reserved.
Bytes celHeader(int width, int height)
{
    Bytes b;
    b.le16(0x9119).le16(width).le16(height).le16(0).le16(0).u8(8).u8(0).le32(width * height).zeros(16);
    return b;
}

TEST(AutodeskCel, SixBitPaletteScaledAndEightBitPaletteKept)
{
    Bytes six = celHeader(1, 1);
    six.u8s({63, 32, 0}).zeros(765).u8(0);
    Bytes eight = celHeader(1, 1);
    eight.u8s({200, 100, 0}).zeros(765).u8(0);
    auto a = decodeAutodeskCel(six), b = decodeAutodeskCel(eight);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixel(0, 0), qRgb(255, 130, 0)); // round(32 * 255 / 63)
    EXPECT_EQ(b->pixel(0, 0), qRgb(200, 100, 0));
    EXPECT_FALSE(decodeAutodeskCel(celHeader(4, 4).zeros(768 + 15)));
    EXPECT_FALSE(decodeAutodeskCel(Bytes(celHeader(4, 4)).patchLe32(8, 0x00100008).zeros(800)));
}

// Animator Pro layout: a 128-byte header (size, kind, frames, width, height, 8 bits), a
// prefix chunk to skip, then one frame chunk (16-byte header) around its sub-chunks.
QByteArray flic(int kind, int width, int height, std::initializer_list<QByteArray> subChunks)
{
    Bytes frame;
    for (const QByteArray &chunk : subChunks)
        frame.raw(chunk);
    Bytes b;
    b.le32(0).le16(kind).le16(1).le16(width).le16(height).le16(8).le16(0).le32(70).padTo(128);
    b.le32(16).le16(0xF100).zeros(10);
    b.le32(16 + frame.size()).le16(0xF1FA).le16(int(subChunks.size())).zeros(8).raw(frame);
    return b.data();
}

QByteArray subChunk(int type, const Bytes &data)
{
    return Bytes().le32(6 + data.size()).le16(type).raw(data);
}

TEST(AutodeskCel, AnimatorProCelsShowTheirFirstFrame)
{
    // 3 x 2: palette entries 1 (red) and 2 (blue) after skipping entry 0; byte runs of
    // [1, 1, 1] and the literals [2, 1, 2]; then a line change setting row 1, column 1 to 0.
    const QByteArray palette = subChunk(4, Bytes().le16(1).u8s({1, 2, 255, 0, 0, 0, 0, 255}));
    const QByteArray runs = subChunk(15, Bytes().u8s({0, 3, 1}).u8s({0, 0xFD, 2, 1, 2}));
    const QByteArray lineChange = subChunk(12, Bytes().le16(1).le16(1).u8s({1, 1, 0xFF, 0}));
    const QByteArray cel = flic(0xAF12, 3, 2, {palette, runs, lineChange});
    ASSERT_TRUE(looksLikeAutodeskCel(cel));
    EXPECT_EQ(autodeskCelSize(cel), QSize(3, 2));
    auto picture = decodeAutodeskCel(cel);
    ASSERT_TRUE(picture) << picture.error().message.toStdString();
    EXPECT_EQ(picture->pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(picture->pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_FALSE(decodeAutodeskCel(cel.first(cel.size() - 3)));
    EXPECT_FALSE(decodeAutodeskCel(flic(0xAF12, 3, 2, {subChunk(16, Bytes().zeros(5))}))); // copy short of 6 pixels
}

TEST(AutodeskCel, OriginalFlicsWithSixBitPalettesAndWordChanges)
{
    // 4 x 2: 6-bit palette (1 = red, 2 = blue), a black screen, then word changes: skip
    // one row, one packet copying the pair [1, 2] after one column.
    const QByteArray palette = subChunk(11, Bytes().le16(1).u8s({0, 3, 0, 0, 0, 63, 0, 0, 0, 0, 63}));
    const QByteArray wordChange = subChunk(7, Bytes().le16(1).le16(0xFFFF).le16(1).u8s({1, 1, 1, 2}));
    auto picture = decodeAutodeskCel(flic(0xAF11, 4, 2, {palette, subChunk(13, Bytes()), wordChange}));
    ASSERT_TRUE(picture) << picture.error().message.toStdString();
    EXPECT_EQ(picture->pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture->pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(3, 1), qRgb(0, 0, 0));
}

QByteArray photoCd(int orientation, int luma, int c1, int c2)
{
    QByteArray file(96 * 2048 + 256 * 3 * 768, '\0');
    file.replace(0x800, 7, "PCD_IPI");
    file[0x0E02] = char(orientation);
    for (int pair = 0; pair < 256; ++pair) {
        char *rows = file.data() + 96 * 2048 + pair * 3 * 768;
        std::fill_n(rows, 2 * 768, char(luma));
        std::fill_n(rows + 2 * 768, 384, char(c1));
        std::fill_n(rows + 2 * 768 + 384, 384, char(c2));
    }
    return file;
}

TEST(PhotoCd, PhotoYccGreyAndPortraitOrientation)
{
    auto grey = decodePhotoCd(photoCd(0, 100, 156, 137));  // neutral chroma
    auto portrait = decodePhotoCd(photoCd(1, 100, 156, 137));
    ASSERT_TRUE(grey && portrait);
    EXPECT_EQ(grey->pixel(10, 10), qRgb(136, 136, 136)); // 1.3584 * 100
    EXPECT_EQ(portrait->size(), QSize(512, 768));
    EXPECT_EQ(portrait->format(), QImage::Format_BGR888);
    EXPECT_EQ(portrait->pixel(300, 700), qRgb(136, 136, 136));
    EXPECT_EQ(photoCdSize(photoCd(3, 0, 0, 0)), QSize(512, 768));
    EXPECT_FALSE(decodePhotoCd(photoCd(0, 1, 1, 1).first(400000)));
}

TEST(Cut, RunsLiteralsAndPaletteBlocks)
{
    // 4 x 1: a run of 2 x index 1, literals 2, 3; a palette whose entry 85 sits in block 2.
    Bytes cut;
    cut.le16(4).le16(1).le16(0).le16(5).u8s({0x82, 1, 0x02, 2, 3}).u8(0);
    Bytes pal;
    pal.text("AH").le16(0).le16(0).u8(0x0A).u8(0).le16(0).le16(0).le16(255).le16(63).le16(63).le16(63).zeros(20);
    for (int i = 0; i < 256; ++i) {
        if (pal.size() % 512 + 6 > 512)
            pal.padTo(pal.size() + 512 - pal.size() % 512);
        pal.le16(i % 64).le16(0).le16(63 - i % 64);
    }
    auto coloured = decodeCut(cut, pal), grey = decodeCut(cut);
    ASSERT_TRUE(coloured && grey);
    EXPECT_EQ(coloured->pixel(0, 0), qRgb(4, 0, 251));
    EXPECT_EQ(coloured->pixel(3, 0), qRgb(12, 0, 243));
    EXPECT_EQ(grey->pixel(2, 0), qRgb(2, 2, 2));
    EXPECT_FALSE(decodeCut(Bytes().le16(4).le16(3).le16(0).le16(1).u8(0))); // rows missing
    EXPECT_FALSE(decodeCut(Bytes().le16(0).le16(3).le16(0)));
}

// The 740-byte RLA header: windows, frame, storage, channel counts, revision, texts, bits.
Bytes rlaHeader(int width, int height, int colour, int matte)
{
    Bytes b;
    b.be16(0).be16(width - 1).be16(0).be16(height - 1).be16(0).be16(width - 1).be16(0).be16(height - 1);
    b.be16(1).be16(0).be16(colour).be16(matte).be16(0).be16(0xFFFE).padTo(658);
    b.be16(8).be16(0).be16(8).be16(0).be16(0).padTo(740);
    return b;
}

TEST(Rla, GreyRowsBottomFirst)
{
    // 2 x 2, one grey channel: the bottom row is a run of 2 x 200, the top row 2 literals.
    Bytes b = rlaHeader(2, 2, 1, 0);
    b.be32(748).be32(752);
    b.be16(2).u8s({1, 200}).be16(3).u8s({0xFE, 10, 20});
    auto picture = decodeRla(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(0, 1), qRgb(200, 200, 200));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(20, 20, 20));
    Bytes badOffset = rlaHeader(2, 1, 3, 0);
    badOffset.be32(-5);
    EXPECT_FALSE(decodeRla(badOffset));
    EXPECT_FALSE(decodeRla(rlaHeader(2, 1, 2, 0).be32(744)));  // two colour channels
}

TEST(Psp, VersionFiveLayerPlacedOnTheCanvas)
{
    // Format 5 (Paint Shop Pro 7): attributes 3 x 2 canvas, 24 bits, uncompressed; one
    // raster layer of 1 x 1 at (2, 1) whose channels hold red 9, green 8, blue 7.
    Bytes b;
    b.text("Paint Shop Pro Image File\n\x1a").padTo(32).le16(5).le16(0);
    b.text("~BK").u8(0).le16(0).le32(46).le32(46).le32(3).le32(2).zeros(8).u8(0).le16(0).le16(24).le16(1)
        .le32(1 << 24).u8(0).le32(6).le32(0).le16(1).le32(0);
    Bytes layer;
    layer.le32(4 + 2 + 1 + 1 + 32).le16(1).text("L").u8(1).le32(2).le32(1).le32(3).le32(2).le32(0).le32(0).le32(1).le32(1);
    layer.le32(8).le16(1).le16(3);
    for (int channel = 1; channel <= 3; ++channel)
        layer.text("~BK").u8(0).le16(5).le32(17).le32(16).le32(1).le32(1).le16(0).le16(channel).u8(10 - channel);
    b.text("~BK").u8(0).le16(3).le32(layer.size() + 10).text("~BK").u8(0).le16(4).le32(layer.size()).raw(layer);
    auto picture = decodePsp(b);
    ASSERT_TRUE(picture) << picture.error().message.toStdString();
    EXPECT_EQ(picture->size(), QSize(3, 2));
    EXPECT_EQ(picture->pixel(2, 1), qRgb(9, 8, 7));
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_FALSE(decodePsp(QByteArray(b).first(b.size() - 5)));
    EXPECT_FALSE(decodePsp(QByteArray(b).first(100)));
}

} // namespace
