// Kernels, scale factors and contributor lists against values worked out by hand.
#include "imaging/contributors.h"

#include <gtest/gtest.h>

using namespace imaging;

namespace {

std::vector<std::pair<int, int>> entriesOf(const ContributorRecord &record)
{
    EXPECT_EQ(record.n, int(record.p.size()));
    std::vector<std::pair<int, int>> entries; // (weight, pixel)
    for (const TContributorEntry &e : record.p)
        entries.emplace_back(e.weight, e.pixel);
    return entries;
}

using Entries = std::vector<std::pair<int, int>>;

} // namespace

TEST(ResampleKernels, ValuesAtKnownPoints)
{
    EXPECT_EQ(kernelValue(ResampleKernel::Box, -0.5f), 0.0f); // half-open support
    EXPECT_EQ(kernelValue(ResampleKernel::Box, 0.5f), 1.0f);
    EXPECT_EQ(kernelValue(ResampleKernel::Triangle, -0.25f), 0.75f);
    EXPECT_EQ(kernelValue(ResampleKernel::Triangle, 1.0f), 0.0f);
    EXPECT_EQ(kernelValue(ResampleKernel::Hermite, 0.5f), 0.5f);
    EXPECT_EQ(kernelValue(ResampleKernel::Bell, 1.0f), 0.125f);
    EXPECT_FLOAT_EQ(kernelValue(ResampleKernel::BSpline, 1.0f), 1.0f / 6.0f);
    EXPECT_FLOAT_EQ(kernelValue(ResampleKernel::BSpline, 0.0f), 2.0f / 3.0f);
    EXPECT_EQ(kernelValue(ResampleKernel::Lanczos3, 0.0f), 1.0f);
    EXPECT_NEAR(kernelValue(ResampleKernel::Lanczos3, 1.0f), 0.0f, 1e-6f);
    EXPECT_NEAR(kernelValue(ResampleKernel::Lanczos3, 1.5f), -0.1350949f, 1e-6f);
    EXPECT_FLOAT_EQ(kernelValue(ResampleKernel::Mitchell, 0.0f), 8.0f / 9.0f);
    EXPECT_NEAR(kernelValue(ResampleKernel::Mitchell, 1.0f), 1.0f / 18.0f, 1e-6f);
    EXPECT_NEAR(kernelValue(ResampleKernel::Mitchell, 2.0f), 0.0f, 0.0f);
    for (float radius : {defaultRadius(ResampleKernel::Bell), defaultRadius(ResampleKernel::BSpline),
                         defaultRadius(ResampleKernel::Mitchell)})
        EXPECT_GT(radius, 1.0f);
    EXPECT_EQ(defaultRadius(ResampleKernel::Box), 0.5f);
    EXPECT_EQ(defaultRadius(ResampleKernel::Lanczos3), 3.0f);
}

TEST(ResampleScale, OnePixelSourcesAndTargets)
{
    EXPECT_EQ(resampleScale(2, 5), 4.0f);
    EXPECT_EQ(resampleScale(1, 4), 4.0f);   // target / source for a 1-pixel source
    EXPECT_EQ(resampleScale(50, 1), 0.1f);  // 0 taken as 0.1
    EXPECT_EQ(resampleScale(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(resampleScale(6000, 1920), 1919.0f / 5999.0f);
}

TEST(ReflectIndex, BothEdgesAndShortLines)
{
    EXPECT_EQ(reflectIndex(-1, 10), 1);
    EXPECT_EQ(reflectIndex(-2, 10), 2);
    EXPECT_EQ(reflectIndex(0, 10), 0);
    EXPECT_EQ(reflectIndex(9, 10), 9);
    EXPECT_EQ(reflectIndex(10, 10), 9);
    EXPECT_EQ(reflectIndex(11, 10), 8);
    EXPECT_EQ(reflectIndex(-5, 3), 2);  // reflected past the far end: clamped
    EXPECT_EQ(reflectIndex(7, 3), 0);
    EXPECT_EQ(reflectIndex(1, 1), 0);
}

TEST(ContributorList, SameSizeTakesOnePixelAtFullWeight)
{
    for (ResampleKernel kernel : {ResampleKernel::Box, ResampleKernel::Triangle}) {
        const TContributorList list = BuildContributorList(7, 7, resampleScale(7, 7), kernel, defaultRadius(kernel));
        ASSERT_EQ(list.size(), 7u);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(entriesOf(list[std::size_t(i)]), (Entries{{256, i}})) << i;
    }
}

TEST(ContributorList, TwoPixelsToFiveSampleQuarterPositions)
{
    const TContributorList list = BuildContributorList(5, 2, resampleScale(2, 5), ResampleKernel::Triangle, 1.0f);
    EXPECT_EQ(entriesOf(list[0]), (Entries{{256, 0}}));
    EXPECT_EQ(entriesOf(list[1]), (Entries{{192, 0}, {64, 1}}));   // position 0.25
    EXPECT_EQ(entriesOf(list[2]), (Entries{{128, 0}, {128, 1}}));  // 0.5
    EXPECT_EQ(entriesOf(list[3]), (Entries{{64, 0}, {192, 1}}));   // 0.75
    EXPECT_EQ(entriesOf(list[4]), (Entries{{256, 1}}));
}

TEST(ContributorList, OnePixelSourceReflectsOntoItself)
{
    const TContributorList list = BuildContributorList(4, 1, resampleScale(1, 4), ResampleKernel::Triangle, 1.0f);
    EXPECT_EQ(entriesOf(list[0]), (Entries{{256, 0}}));
    EXPECT_EQ(entriesOf(list[1]), (Entries{{192, 0}, {64, 0}})); // position 0.25; 1 reflects to 0
    EXPECT_EQ(entriesOf(list[3]), (Entries{{64, 0}, {192, 0}})); // position 0.75
}

TEST(ContributorList, OnePixelTargetUsesTenthScale)
{
    // Triangle at scale 0.1: width 10, weights round(25.6 * (1 - |j| / 10)).
    const TContributorList list = BuildContributorList(1, 50, resampleScale(50, 1), ResampleKernel::Triangle, 1.0f);
    const Entries expected{{3, 9}, {5, 8}, {8, 7}, {10, 6}, {13, 5}, {15, 4}, {18, 3}, {20, 2}, {23, 1},
                           {26, 0}, {23, 1}, {20, 2}, {18, 3}, {15, 4}, {13, 5}, {10, 6}, {8, 7}, {5, 8}, {3, 9}};
    EXPECT_EQ(entriesOf(list[0]), expected); // left of 0 the positions reflect: -1 reads 1
}

TEST(ContributorList, ReflectsPastTheRightEdge)
{
    // Lanczos3 from 4 to 7 pixels (scale 2): output 5 samples position 2.5 and reaches
    // positions 4 and 5, which read pixels 3 and 2.
    const TContributorList list = BuildContributorList(7, 4, resampleScale(4, 7), ResampleKernel::Lanczos3, 3.0f);
    for (const ContributorRecord &record : list)
        for (const TContributorEntry &e : record.p)
            EXPECT_TRUE(e.pixel >= 0 && e.pixel < 4);
    EXPECT_EQ(entriesOf(list[5]), (Entries{{6, 0}, {-35, 1}, {156, 2}, {156, 3}, {-35, 3}, {6, 2}}));
    EXPECT_EQ(entriesOf(list[6]), (Entries{{256, 3}})); // whole positions: sinc is 0 elsewhere
}

TEST(ContributorList, SharesBelowHalfAWeightFallBackToTheNearestPixel)
{
    // 3000 -> 2 pixels: scale 1/2999, every Triangle weight rounds to 0.
    const TContributorList list = BuildContributorList(2, 3000, resampleScale(3000, 2), ResampleKernel::Triangle, 1.0f);
    EXPECT_EQ(entriesOf(list[0]), (Entries{{256, 0}}));
    EXPECT_EQ(entriesOf(list[1]), (Entries{{256, 2999}}));
}
