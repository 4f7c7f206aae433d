// Region styles: bars, shreds, speckle, random squares, curves and triangles, checked on
// pixels computed by hand from the style formulas (640 x 480 unless stated).
#include "transitions/core/region_styles.h"

#include <gtest/gtest.h>

#include <string>

using namespace transitions;

namespace {

SpanRegion region(int style, int p, int w = 640, int h = 480, int step = 4, std::uint32_t seed = 0)
{
    LinearCongruential random(seed);
    return styleRegion(style, FrameInputs::compute(w, h, p, step), random);
}

std::string row(const SpanRegion &r, int y, int from = 0, int to = -1)
{
    std::string s;
    for (int x = from; x < (to < 0 ? r.width() : to); ++x)
        s += r.contains(x, y) ? '#' : '.';
    return s;
}

std::string repeat(char c, int n) { return std::string(std::size_t(n), c); }

} // namespace

TEST(BarsStyles, Style60SnapsThenFillsTheBandsBetween)
{
    // p = 40: 2X = 512, 512 + 28 <= 640: bars from x = 128, nothing between them.
    SpanRegion r = region(60, 40);
    EXPECT_EQ(row(r, 2), repeat('.', 128) + repeat('#', 512));
    EXPECT_EQ(row(r, 7), repeat('.', 640));
    // p = 48: 2X = 614, within I = 28 of 640: the first-phase bars jump to full width.
    r = region(60, 48);
    EXPECT_EQ(row(r, 2), repeat('#', 640));
    EXPECT_EQ(row(r, 7), repeat('.', 640));
    // p = 50: 2X = 640 is not past the width, still the first phase.
    r = region(60, 50);
    EXPECT_EQ(row(r, 472), repeat('#', 640));
    EXPECT_EQ(row(r, 7), repeat('.', 640));
    // p = 51: 2X = 652, the second phase fills the bands between from x = 1280 - 652 = 628.
    r = region(60, 51);
    EXPECT_EQ(row(r, 2), repeat('#', 640));
    EXPECT_EQ(row(r, 7), repeat('.', 628) + repeat('#', 12));
}

TEST(BarsStyles, LeftAndAlternatingModes)
{
    // Style 61 at p = 40 grows from the left; 63 (right then left) the same in its first phase
    // as 60, and in its second phase fills from the left.
    EXPECT_EQ(row(region(61, 40), 2), repeat('#', 512) + repeat('.', 128));
    EXPECT_EQ(row(region(63, 40), 2), repeat('.', 128) + repeat('#', 512));
    EXPECT_EQ(row(region(63, 51), 7), repeat('#', 12) + repeat('.', 628));
    EXPECT_EQ(row(region(62, 51), 7), repeat('.', 628) + repeat('#', 12));
}

TEST(BarsStyles, Style64NeverReachesTheSecondPhase)
{
    // At p = 99, X = 634: the bands come from both sides and stop 6 pixels short.
    const SpanRegion r = region(64, 99);
    EXPECT_EQ(row(r, 2), repeat('.', 6) + repeat('#', 634));
    EXPECT_EQ(row(r, 7), repeat('#', 634) + repeat('.', 6));
}

TEST(BarsStyles, VerticalBarsGrowFromTheBottom)
{
    // Style 71 at p = 25: 2Y = 240: columns 0-4, 10-14, ... from y = 240 down.
    const SpanRegion r = region(71, 25);
    EXPECT_TRUE(r.contains(2, 300));
    EXPECT_FALSE(r.contains(7, 300));
    EXPECT_FALSE(r.contains(2, 239));
    EXPECT_TRUE(r.contains(634, 479));
}

TEST(BarsStyles, Style94RowsBetweenBarsCoveredOnlyByVerticalBars)
{
    // p = 90: X = 576, Y = 432. Horizontal mode 1 covers bands 0-4, 10-14, ... from x = 64;
    // row 7 lies between them, where only the vertical mode-3 bars reach: columns 5-9,
    // 15-19, ... grow from the top to y = 432, columns 0-4, ... from the bottom to y = 48.
    const SpanRegion r = region(94, 90);
    std::string expected;
    for (int j = 0; j < 64; ++j)
        expected += repeat('.', 5) + repeat('#', 5);
    EXPECT_EQ(row(r, 7), expected);
    EXPECT_EQ(row(r, 2, 60, 70), "....######");
}

TEST(BarsStyles, Style99ShowsOnlyPixelsBothPatternsCover)
{
    // p = 25: pattern (1,1) is bars from x = 320 and columns from y = 240; pattern (2,2) bars
    // to x = 320 and columns to y = 240. Both cover only 5 x 5 squares in the top-right
    // and bottom-left quarters.
    const SpanRegion r = region(99, 25);
    EXPECT_TRUE(r.contains(322, 2));
    EXPECT_FALSE(r.contains(327, 2));
    EXPECT_FALSE(r.contains(322, 7));
    EXPECT_FALSE(r.contains(100, 2));
    EXPECT_TRUE(r.contains(100, 242));
    EXPECT_FALSE(r.contains(500, 300));
    EXPECT_TRUE(region(86, 25).contains(500, 300));
}

TEST(ShredStyles, StripLengthsJitterByTwoDrawsEach)
{
    // Style 65 at p = 50, seed 0, J = 640 div 7 = 91. Draws: (0, 2), (78, 18), (24, 61):
    // strips start at 320 - 2, 320 + 60 and 320 - 37.
    const SpanRegion r = region(65, 50);
    EXPECT_EQ(row(r, 0, 310, 330), repeat('.', 8) + repeat('#', 12));
    EXPECT_EQ(row(r, 7, 375, 385), repeat('.', 5) + repeat('#', 5));
    EXPECT_EQ(row(r, 12, 280, 290), repeat('.', 3) + repeat('#', 7));
    EXPECT_TRUE(r.contains(639, 479));
}

TEST(ShredStyles, StripsOverlapWhenTheSizeIsNotAMultipleOfFive)
{
    // 643 wide: strips of style 77 are 5 + 3 columns wide and start every 5 columns.
    LinearCongruential random;
    const SpanRegion r = styleRegion(77, FrameInputs::compute(643, 480, 100, 4), random);
    // At full extent J = 0: every strip reaches the bottom and all columns are covered.
    EXPECT_EQ(r.area(), 643 * 480);
}

TEST(ShredStyles, TwoOrFourDrawsPerStripHorizontalFirst)
{
    LinearCongruential random, counted;
    styleRegion(66, FrameInputs::compute(640, 480, 50, 4), random);
    for (int i = 0; i < 96 * 2; ++i) // 96 strips, two draws each
        counted.next(1);
    EXPECT_EQ(random.seed(), counted.seed());
    LinearCongruential four, counted4;
    styleRegion(109, FrameInputs::compute(640, 480, 50, 4), four);
    for (int i = 0; i < (96 + 128) * 4; ++i) // 96 row strips, then 128 column strips
        counted4.next(1);
    EXPECT_EQ(four.seed(), counted4.seed());
}

TEST(SpeckleStyles, FringeSquaresFollowTheDrawsInDescendingOrder)
{
    // Style 123 at p = 50: X = 320, D = 64, s = 3, n = 21, t = 16. Row 0 belongs only to the
    // first strip; its draws keep squares k = 21, 20, 11, 9, 7, 6, 4, 2, 1, each covering
    // x = 320 - 3k to 320 - 3k + 3.
    const SpanRegion r = region(123, 50);
    std::string expected = repeat('.', 320);
    for (int k : {21, 20, 11, 9, 7, 6, 4, 2, 1})
        expected.replace(std::size_t(320 - 3 * k), 3, "###");
    EXPECT_EQ(row(r, 0, 0, 320), expected);
    EXPECT_EQ(row(r, 0, 320), repeat('#', 320));
}

TEST(SpeckleStyles, TopModeMirrorsTheSideModes)
{
    // Style 126 at p = 50: Y = 240, D = 48, s = 2, n = 24. The band reaches y = 240 and the
    // squares k <= 2 always follow it.
    const SpanRegion r = region(126, 50);
    EXPECT_TRUE(r.contains(0, 0));
    EXPECT_TRUE(r.contains(100, 239));
    EXPECT_TRUE(r.contains(100, 243));
    EXPECT_FALSE(r.contains(100, 479));
}

TEST(RandomSquares, CellSizeGrowsWithProgress)
{
    // p = 99 on 640 x 480: s = 480 div 50 + 99 div 10 = 18, a grid of 36 x 27 points, one
    // draw each; p = 1: s = 9, 72 x 54 points.
    for (const auto &[p, draws] : {std::pair{99, 36 * 27}, std::pair{1, 72 * 54}}) {
        LinearCongruential random, counted;
        styleRegion(127, FrameInputs::compute(640, 480, p, 4), random);
        for (int i = 0; i < draws; ++i)
            counted.next(1);
        EXPECT_EQ(random.seed(), counted.seed()) << p;
    }
    // p = 1, seed 0: the first point (0, 0) is kept (draw 0 < 1), its neighbours are not.
    const SpanRegion r = region(127, 1);
    EXPECT_TRUE(r.contains(8, 8));
    EXPECT_FALSE(r.contains(9, 0));
    EXPECT_FALSE(r.contains(0, 9));
}

TEST(CurvedStyles, RoundRectsOfTheCurvedReveals)
{
    // Style 58 at p = 25: the right edge bulges to x = 320 at mid-height; the top row is
    // not reached yet.
    SpanRegion r = region(58, 25);
    EXPECT_TRUE(r.contains(319, 240));
    EXPECT_FALSE(r.contains(320, 240));
    EXPECT_TRUE(r.contains(0, 240));
    EXPECT_FALSE(r.contains(0, 0));
    // Style 84 at p = 50 fills the picture but its rounded corners; 85 is the exclusive or
    // of the picture and the same shape.
    r = region(84, 50);
    EXPECT_FALSE(r.contains(10, 10));
    EXPECT_TRUE(r.contains(0, 240));
    EXPECT_TRUE(r.contains(320, 0));
    const SpanRegion x = region(85, 50);
    for (const auto &[px, py] : {std::pair{10, 10}, {0, 240}, {320, 0}, {320, 240}, {630, 470}})
        EXPECT_NE(x.contains(px, py), r.contains(px, py)) << px << "," << py;
}

TEST(TriangleStyles, DiagonalRevealFromTopLeft)
{
    // Style 110 at p = 50: Tri((0,0), (640,0), (0,480)); at row 0 the edge is at x = 639.33.
    const SpanRegion r = region(110, 50);
    EXPECT_TRUE(r.contains(638, 0));
    EXPECT_FALSE(r.contains(639, 0));
    EXPECT_TRUE(r.contains(0, 479));
    EXPECT_FALSE(r.contains(639, 479));
}

TEST(TriangleStyles, StarburstAndShredsStayInsideTheirTriangles)
{
    // Style 116 at p = 50: four triangles meet at the centre. On the top row, Tri((0,0),
    // (X,0), C) starts right of x = 0.67 and Tri(C, (W,0), (W,Y)) is a wedge from x = 639.33.
    SpanRegion r = region(116, 50);
    EXPECT_FALSE(r.contains(0, 0));
    EXPECT_TRUE(r.contains(1, 0));
    EXPECT_FALSE(r.contains(400, 0));
    EXPECT_TRUE(r.contains(639, 0));
    // Style 117 at p = 50: X div 5 = 64, T = 48: 100 triangles of 64 x 48 on a 64 x 48 grid.
    r = region(117, 50);
    EXPECT_TRUE(r.contains(64 * 3 + 1, 48 * 2 + 1));
    EXPECT_FALSE(r.contains(64 * 3 + 62, 48 * 2 + 46));
    EXPECT_NEAR(double(r.area()), 100 * 64 * 48 / 2.0, 100 * 40);
}

TEST(RegionStyles, EmptyAtTheFirstPercentOnATinyPicture)
{
    // 20 x 10 at p = 1: X = 0, Y = 0: the diagonal reveals have no pixels yet.
    for (int style : {110, 111, 112, 113, 114, 115})
        EXPECT_TRUE(region(style, 1, 20, 10).isEmpty()) << style;
}
