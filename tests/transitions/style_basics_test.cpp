// Frame inputs, the random generator and the style-name table.
#include "transitions/core/frame_inputs.h"
#include "transitions/core/random_generator.h"
#include "transitions/core/style_names.h"

#include <gtest/gtest.h>

using namespace transitions;

TEST(FrameInputs, ExtentsFollowTheLongerSideWithMulDivRounding)
{
    // 640 x 480 at p = 1: X = 6.4 -> 6, Y = 6 * 480 / 640 = 4.5 -> 5 (halves away from zero).
    const FrameInputs wide = FrameInputs::compute(640, 480, 1, 4);
    EXPECT_EQ(wide.X, 6);
    EXPECT_EQ(wide.Y, 5);
    const FrameInputs tall = FrameInputs::compute(480, 640, 1, 4);
    EXPECT_EQ(tall.Y, 6);
    EXPECT_EQ(tall.X, 5);
    // A square picture takes the width branch.
    const FrameInputs square = FrameInputs::compute(100, 100, 37, 4);
    EXPECT_EQ(square.X, 37);
    EXPECT_EQ(square.Y, 37);
}

TEST(FrameInputs, SnapDistanceAndHalves)
{
    const FrameInputs f = FrameInputs::compute(640, 480, 51, 4);
    EXPECT_EQ(f.I, 28); // 640 * 4 / 90 = 28.4
    EXPECT_EQ(f.X, 326);
    EXPECT_EQ(f.hw, 320);
    EXPECT_EQ(f.hh, 240);
    EXPECT_EQ(f.a, 163);
    EXPECT_EQ(f.b, f.Y / 2);
    EXPECT_EQ(FrameInputs::compute(480, 641, 10, 9).I, 64); // taller: 641 * 9 / 90 = 64.1
}

TEST(FrameInputs, EmptyPictureGivesZeros)
{
    const FrameInputs f = FrameInputs::compute(0, 0, 50, 4);
    EXPECT_EQ(f.X, 0);
    EXPECT_EQ(f.Y, 0);
    EXPECT_EQ(f.I, 0);
}

TEST(RandomGenerator, FirstValuesFromSeedZero)
{
    LinearCongruential random;
    const int expected[] = {0, 3, 86, 20, 27, 67};
    for (int value : expected)
        EXPECT_EQ(random.next(100), value);
    EXPECT_EQ(random.seed(), 2884733762u);
}

TEST(RandomGenerator, ZeroRangeStillAdvancesTheSeed)
{
    LinearCongruential a, b;
    EXPECT_EQ(a.next(0), 0);
    EXPECT_EQ(a.next(-5), 0);
    b.next(7);
    b.next(7);
    EXPECT_EQ(a.seed(), b.seed());
    EXPECT_EQ(a.next(100), 86);
}

TEST(RandomGenerator, ProcessWideGeneratorSharesOneSequence)
{
    setRandSeed(0);
    EXPECT_EQ(Random(100), 0);
    EXPECT_EQ(Random(100), 3);
    EXPECT_EQ(RandSeed(), 134775814u);
    setRandSeed(0);
    EXPECT_EQ(Random(1000), 0);
}

TEST(StyleNames, TableHoldsTheStoredNames)
{
    EXPECT_EQ(styleName(0), QStringLiteral("Swap"));
    EXPECT_EQ(styleName(51), QStringLiteral("Appear and Contract to middle"));
    EXPECT_EQ(styleName(56), QStringLiteral("Quarters Expand to middle"));
    EXPECT_EQ(styleName(76), QStringLiteral("Unven shred from bottom"));
    EXPECT_EQ(styleName(116), QStringLiteral("Starburst clockwise from center"));
    EXPECT_EQ(styleName(118), QStringLiteral("Fade"));
    EXPECT_EQ(styleName(127), QStringLiteral("Random squares appear"));
    EXPECT_EQ(styleName(18), styleName(33));
    EXPECT_EQ(styleName(25), styleName(34));
    EXPECT_TRUE(styleName(128).isEmpty());
    EXPECT_TRUE(styleName(-1).isEmpty());
    for (int style = 0; style < kStyleCount; ++style)
        EXPECT_FALSE(styleName(style).isEmpty()) << style;
}

TEST(StyleNames, LookupIgnoresCaseAndPrefersTheLowerNumber)
{
    EXPECT_EQ(styleByName(QStringLiteral("fade")), 118);
    EXPECT_EQ(styleByName(QStringLiteral("EXPAND FROM BOTTOM")), 18);
    EXPECT_EQ(styleByName(QStringLiteral("Expand in from top")), 25);
    EXPECT_EQ(styleByName(QStringLiteral("Unven shred from bottom")), 76);
    EXPECT_FALSE(styleByName(QStringLiteral("Uneven shred from bottom")));
    EXPECT_FALSE(styleByName(QStringLiteral("Fade ")));
    EXPECT_FALSE(styleByName(QString()));
    // Every name but the two repeated ones finds its own number.
    for (int style = 0; style < kStyleCount; ++style) {
        if (style == 33 || style == 34)
            continue;
        EXPECT_EQ(styleByName(styleName(style)), style) << style;
    }
}
