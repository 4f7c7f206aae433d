// MakeThumbnail and FitToBox: sizes from the worked examples, and the two scaling methods.
#include "imaging/resampler.h"
#include "imaging/thumbnail.h"
#include "reference_resampler.h"

#include <gtest/gtest.h>

using namespace imaging;

TEST(ThumbnailSize, KeepsProportionsRoundingHalvesToEven)
{
    EXPECT_EQ(thumbnailSize({100, 40}), QSize(100, 40)); // small enough: unchanged
    EXPECT_EQ(thumbnailSize({100, 100}), QSize(100, 100));
    EXPECT_EQ(thumbnailSize({400, 300}), QSize(100, 75));
    EXPECT_EQ(thumbnailSize({300, 400}), QSize(75, 100));
    EXPECT_EQ(thumbnailSize({1000, 15}), QSize(100, 2)); // 1.5 -> 2
    EXPECT_EQ(thumbnailSize({1000, 25}), QSize(100, 2)); // 2.5 -> 2
    EXPECT_EQ(thumbnailSize({1000, 35}), QSize(100, 4)); // 3.5 -> 4
    EXPECT_EQ(thumbnailSize({150, 150}), QSize(100, 100)); // square counts as portrait
    EXPECT_EQ(thumbnailSize({101, 100}), QSize(100, 99));  // 99.0099
    EXPECT_EQ(thumbnailSize({40, 1000}), QSize(4, 100));
    EXPECT_EQ(thumbnailSize({1000, 4}), QSize(100, 1));  // 0.4 would leave no picture
}

TEST(FitToBoxSize, LimitsAppliedInTurn)
{
    EXPECT_EQ(fitToBoxSize({640, 480}, 180, 160), QSize(180, 135));
    EXPECT_EQ(fitToBoxSize({300, 600}, 180, 400), QSize(180, 360)); // width limit after height
    EXPECT_EQ(fitToBoxSize({600, 300}, 400, 180), QSize(360, 180)); // height limit after width
    EXPECT_EQ(fitToBoxSize({500, 100}, 600, 50), QSize(250, 50));   // only the height exceeds
    EXPECT_EQ(fitToBoxSize({100, 500}, 50, 600), QSize(50, 250));   // only the width exceeds
    EXPECT_EQ(fitToBoxSize({180, 160}, 180, 160), QSize(180, 160)); // fits: unscaled
    EXPECT_EQ(fitToBoxSize({500, 500}, 180, 160), QSize(160, 160)); // square: the smaller limit
    EXPECT_EQ(fitToBoxSize({170, 170}, 180, 160), QSize(160, 160));
    EXPECT_EQ(fitToBoxSize({2000, 5}, 180, 160), QSize(180, 1)); // 0.45 kept at 1 pixel
    EXPECT_EQ(fitToBoxSize({50, 20}, -4, 0), QSize(1, 1));       // panel smaller than its margins
}

// The sides come from the ratio in double precision: where the exact quotient is a half,
// the ratio's own rounding decides, not the even neighbour of the half.
TEST(FitToBoxSize, SidesAreRoundedFromTheDoubleRatio)
{
    EXPECT_EQ(fitToBoxSize({1258, 1024}, 1024, 768), QSize(943, 768)); // 768 / r = 943.4999...
    EXPECT_EQ(fitToBoxSize({800, 1078}, 600, 1000), QSize(600, 809));  // 600 / r = 808.5000...1
    EXPECT_EQ(fitToBoxSize({1000, 25}, 100, 100), QSize(100, 2));      // 2.5: even
    EXPECT_EQ(fitToBoxSize({1000, 500}, 5, 100), QSize(5, 2));         // r = 0.5, 2.5: even
    EXPECT_EQ(fitToBoxSize({500, 1000}, 100, 7), QSize(4, 7));         // 3.5: even
}

TEST(MakeThumbnail, FilteredIsTriangleAt24BitsPlainKeepsTheFormat)
{
    const QImage picture = testing_support::randomPicture(400, 300, 11, QImage::Format_RGB32);
    const QImage filtered = MakeThumbnail(picture, true);
    EXPECT_EQ(filtered.size(), QSize(100, 75));
    EXPECT_EQ(filtered.format(), QImage::Format_BGR888);
    EXPECT_EQ(testing_support::pixelBytes(filtered),
              testing_support::pixelBytes(testing_support::referenceStretch(100, 75, ResampleKernel::Triangle, 1.0f, picture)));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32); // the caller's picture is left alone

    const QImage plain = MakeThumbnail(picture, false);
    EXPECT_EQ(plain.size(), QSize(100, 75));
    EXPECT_EQ(plain.format(), QImage::Format_RGB32);
    EXPECT_EQ(plain.pixel(0, 0), picture.pixel(2, 2)); // centre of the first 4 x 4 block
    EXPECT_EQ(plain.pixel(99, 74), picture.pixel(398, 298));

    const QImage small = testing_support::randomPicture(100, 40, 12);
    EXPECT_EQ(MakeThumbnail(small, true), small);
    EXPECT_TRUE(MakeThumbnail(QImage(), true).isNull());
}

TEST(FitToBox, ScalesWithEitherMethod)
{
    QImage indexed(640, 480, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indexed.fill(1);
    const QImage plain = FitToBox(indexed, 180, 160, false);
    EXPECT_EQ(plain.size(), QSize(180, 135));
    EXPECT_EQ(plain.format(), QImage::Format_Indexed8);
    const QImage filtered = FitToBox(indexed, 180, 160, true);
    EXPECT_EQ(filtered.size(), QSize(180, 135));
    EXPECT_EQ(filtered.format(), QImage::Format_BGR888);
    EXPECT_EQ(filtered.pixel(90, 70), qRgb(200, 100, 50));
}
