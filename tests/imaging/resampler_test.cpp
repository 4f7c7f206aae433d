// StretchBitmap and ResizeBitmap: the worked examples on pictures, and the fast row loops
// (portable, AVX2, two threads) against the plain reference on random pictures.
#include "imaging/contributors.h"
#include "imaging/resampler.h"
#include "reference_resampler.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace imaging;
using testing_support::pixelBytes;
using testing_support::randomPicture;
using testing_support::referenceStretch;

namespace {

QImage line(std::initializer_list<int> greys)
{
    QImage picture(int(greys.size()), 1, QImage::Format_BGR888);
    int x = 0;
    for (int grey : greys)
        picture.setPixel(x++, 0, qRgb(grey, grey, grey));
    return picture;
}

std::vector<int> bluesOf(const QImage &picture)
{
    std::vector<int> blues;
    for (int x = 0; x < picture.width(); ++x)
        blues.push_back(picture.constScanLine(0)[3 * x]);
    return blues;
}

QImage stretched(int w, int h, ResampleKernel kernel, QImage source, StretchOptions options = {})
{
    QImage target;
    EXPECT_TRUE(StretchBitmap(w, h, kernel, 0.0f, source, target, options).has_value());
    return target;
}

} // namespace

TEST(StretchBitmap, SameSizeCopiesTheSourceWithBoxAndTriangle)
{
    const QImage source = randomPicture(37, 23, 1);
    for (ResampleKernel kernel : {ResampleKernel::Box, ResampleKernel::Triangle})
        EXPECT_EQ(pixelBytes(stretched(37, 23, kernel, source)), pixelBytes(source));
}

TEST(StretchBitmap, EnlargingTwoPixelsToFiveInterpolatesQuarters)
{
    const QImage target = stretched(5, 1, ResampleKernel::Triangle, line({0, 200}));
    EXPECT_EQ(bluesOf(target), (std::vector<int>{0, 50, 100, 150, 200}));
}

TEST(StretchBitmap, OnePixelSourcesAndTargets)
{
    const QImage single = line({77});
    EXPECT_EQ(bluesOf(stretched(4, 1, ResampleKernel::Triangle, single)), (std::vector<int>{77, 77, 77, 77}));
    // 1-pixel target at scale 0.1: weights 26, 23, 20 ... 3 over pixels 0..9 (reflected
    // on the left), sum 256: (26 * 100 + 2 * 23 * 10) / 256 = 11 with pixel 0 = 100,
    // pixel 1 = 10, the rest 0.
    EXPECT_EQ(bluesOf(stretched(1, 1, ResampleKernel::Triangle, line({100, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))),
              (std::vector<int>{11}));
}

TEST(StretchBitmap, NegativeLobesAreClamped)
{
    // A hard step enlarged with Lanczos3 or Mitchell overshoots on both sides: next to the
    // step the weighted value falls below 0 and rises above 255; the bytes are clamped
    // there instead of wrapping round, and equal the weighted value elsewhere.
    const std::vector<int> step{0, 0, 0, 0, 255, 255, 255, 255};
    for (ResampleKernel kernel : {ResampleKernel::Lanczos3, ResampleKernel::Mitchell}) {
        const std::vector<int> blues =
            bluesOf(stretched(29, 1, kernel, line({0, 0, 0, 0, 255, 255, 255, 255})));
        const TContributorList list = BuildContributorList(29, 8, resampleScale(8, 29), kernel, defaultRadius(kernel));
        int below = 0, above = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            int sum = 0, weights = 0;
            for (const TContributorEntry &e : list[i].p) {
                sum += e.weight * step[std::size_t(e.pixel)];
                weights += e.weight;
            }
            const int value = sum / weights;
            below += value < 0;
            above += value > 255;
            EXPECT_EQ(blues[i], std::clamp(value, 0, 255)) << i;
        }
        EXPECT_GT(below, 0);
        EXPECT_GT(above, 0);
    }
}

TEST(StretchBitmap, SourceBecomes24BitInPlace)
{
    QImage argb(9, 5, QImage::Format_ARGB32);
    argb.fill(QColor(10, 20, 30));
    QImage indexed(9, 5, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30)});
    indexed.fill(0);
    for (QImage source : {argb, indexed}) {
        QImage target;
        ASSERT_TRUE(StretchBitmap(4, 3, ResampleKernel::Bell, 0.0f, source, target));
        EXPECT_EQ(source.format(), QImage::Format_BGR888);
        EXPECT_EQ(source.pixel(8, 4), qRgb(10, 20, 30));
        EXPECT_EQ(target.format(), QImage::Format_BGR888);
        EXPECT_EQ(target.size(), QSize(4, 3));
        EXPECT_EQ(target.pixel(3, 2), qRgb(10, 20, 30));
    }
}

TEST(StretchBitmap, TargetMayBeTheSource)
{
    QImage picture = randomPicture(40, 30, 2);
    const QImage expected = referenceStretch(13, 11, ResampleKernel::Hermite, 0, picture);
    ASSERT_TRUE(StretchBitmap(13, 11, ResampleKernel::Hermite, 0.0f, picture, picture));
    EXPECT_EQ(pixelBytes(picture), pixelBytes(expected));
}

TEST(StretchBitmap, RefusesEmptyPicturesAndSizes)
{
    QImage none, target(3, 3, QImage::Format_BGR888);
    EXPECT_FALSE(StretchBitmap(3, 3, ResampleKernel::Box, 0.0f, none, target));
    QImage source = randomPicture(4, 4, 3);
    EXPECT_FALSE(StretchBitmap(0, 3, ResampleKernel::Box, 0.0f, source, target));
    EXPECT_FALSE(StretchBitmap(3, -1, ResampleKernel::Box, 0.0f, source, target));
}

TEST(StretchBitmap, ConstantPicturesStayConstant)
{
    QImage flat(61, 47, QImage::Format_BGR888);
    flat.fill(QColor(201, 7, 90));
    const QSize sizes[] = {{61, 47}, {1, 1}, {2, 300}, {200, 3}, {17, 13}, {122, 94}};
    for (int k = 0; k < kResampleKernelCount; ++k)
        for (QSize size : sizes) {
            const QImage out = stretched(size.width(), size.height(), ResampleKernel(k), flat);
            QImage expected(size, QImage::Format_BGR888);
            expected.fill(QColor(201, 7, 90));
            EXPECT_EQ(pixelBytes(out), pixelBytes(expected)) << k << " " << size.width() << "x" << size.height();
        }
}

TEST(StretchBitmap, StrongReductionsKeepTheNearestPixelInsteadOfBlack)
{
    QImage wide(3000, 2, QImage::Format_BGR888);
    wide.fill(QColor(40, 80, 120));
    const QImage out = stretched(2, 2, ResampleKernel::Triangle, wide);
    EXPECT_EQ(out.pixel(0, 0), qRgb(40, 80, 120));
    EXPECT_EQ(out.pixel(1, 1), qRgb(40, 80, 120));
}

// Source and target sizes: same size, enlargements, reductions, 1-pixel sources and
// targets, lines shorter than the filter's reach, odd row counts for the paired rows.
struct SizeCase {
    int sw, sh, dw, dh;
};

class FastPathMatchesReference : public ::testing::TestWithParam<int> {};

TEST_P(FastPathMatchesReference, OnRandomPictures)
{
    const ResampleKernel kernel = ResampleKernel(GetParam());
    const SizeCase cases[] = {
        {64, 48, 64, 48},   {64, 48, 160, 121}, {160, 121, 64, 48}, {2, 2, 5, 5},     {1, 1, 4, 3},
        {1, 9, 6, 2},       {50, 1, 1, 1},      {33, 17, 1, 9},     {3, 2, 2, 1},     {2, 3, 40, 31},
        {5, 200, 3, 7},     {300, 4, 7, 300},   {97, 89, 31, 29},   {600, 5, 2, 3},   {45, 33, 46, 34},
        {128, 96, 127, 95}, {7, 7, 255, 3},     {1000, 2, 13, 1},   {3, 120, 1, 119}, {260, 190, 95, 70},
    };
    unsigned seed = 100;
    for (const SizeCase &c : cases) {
        const QImage source = randomPicture(c.sw, c.sh, seed++);
        const QByteArray expected = pixelBytes(referenceStretch(c.dw, c.dh, kernel, 0, source));
        const char *paths[] = {"simd", "portable", "two threads"};
        const StretchOptions options[] = {{1, true}, {1, false}, {2, true}};
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(pixelBytes(stretched(c.dw, c.dh, kernel, source, options[p])), expected)
                << paths[p] << " " << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
    }
}

INSTANTIATE_TEST_SUITE_P(AllKernels, FastPathMatchesReference, ::testing::Range(0, kResampleKernelCount));

TEST(StretchBitmap, TwoThreadsGiveTheSameBytesOnALargerPicture)
{
    const QImage source = randomPicture(900, 601, 7);
    for (ResampleKernel kernel : {ResampleKernel::Triangle, ResampleKernel::Lanczos3}) {
        const QByteArray one = pixelBytes(stretched(287, 193, kernel, source, {1, true}));
        EXPECT_EQ(pixelBytes(stretched(287, 193, kernel, source, {2, true})), one);
        EXPECT_EQ(pixelBytes(stretched(287, 193, kernel, source, {2, false})), one);
        EXPECT_EQ(one, pixelBytes(referenceStretch(287, 193, kernel, 0, source)));
    }
}

TEST(ResizeBitmap, FilterListIndices)
{
    QImage indexed(8, 6, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            indexed.setPixel(x, y, x < 4 ? 0 : 1);

    QImage source = indexed, target;
    ASSERT_TRUE(ResizeBitmap(source, target, 4, 3, 0)); // plain stretch keeps the format
    EXPECT_EQ(target.format(), QImage::Format_Indexed8);
    EXPECT_EQ(target.colorTable(), indexed.colorTable());
    EXPECT_EQ(source.format(), QImage::Format_Indexed8);
    EXPECT_EQ(target.pixelIndex(1, 1), 0);
    EXPECT_EQ(target.pixelIndex(2, 1), 1);

    const QImage colour = randomPicture(30, 20, 9);
    for (int index = 1; index <= 7; ++index) {
        QImage from = colour, to;
        ASSERT_TRUE(ResizeBitmap(from, to, 11, 9, index));
        EXPECT_EQ(pixelBytes(to), pixelBytes(referenceStretch(11, 9, ResampleKernel(index - 1), 0, colour))) << index;
    }

    QImage untouched = randomPicture(3, 3, 10);
    const QByteArray before = pixelBytes(untouched);
    for (int index : {-1, 8}) {
        QImage from = colour;
        ASSERT_TRUE(ResizeBitmap(from, untouched, 11, 9, index));
        EXPECT_EQ(pixelBytes(untouched), before);
    }
}

TEST(PlainStretch, NearestPixelsForEveryDepth)
{
    QImage mono(4, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(3, 1, 1);
    const QImage big = plainStretch(mono, 8, 4);
    EXPECT_EQ(big.format(), QImage::Format_Mono);
    EXPECT_EQ(big.pixelIndex(7, 3), 1);
    EXPECT_EQ(big.pixelIndex(6, 2), 1);
    EXPECT_EQ(big.pixelIndex(5, 3), 0);

    QImage rgb32(3, 1, QImage::Format_RGB32);
    rgb32.setPixel(0, 0, qRgb(1, 2, 3));
    rgb32.setPixel(1, 0, qRgb(4, 5, 6));
    rgb32.setPixel(2, 0, qRgb(7, 8, 9));
    const QImage wide = plainStretch(rgb32, 6, 1);
    EXPECT_EQ(wide.format(), QImage::Format_RGB32);
    const QRgb expected[] = {qRgb(1, 2, 3), qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(4, 5, 6), qRgb(7, 8, 9), qRgb(7, 8, 9)};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(wide.pixel(x, 0), expected[x]) << x;
    EXPECT_EQ(plainStretch(rgb32, 2, 1).pixel(1, 0), qRgb(7, 8, 9)); // centres at 0.75 and 2.25
    EXPECT_TRUE(plainStretch(rgb32, 0, 1).isNull());
}
