// Span regions: the primitives' pixels, the set operations and the two builders, checked
// pixel by pixel against the membership of their inputs.
#include "transitions/core/random_generator.h"
#include "transitions/core/span_region.h"

#include <gtest/gtest.h>

#include <vector>

using namespace transitions;

namespace {

// Spans of every row sorted, non-empty, inside the area and not touching.
void expectWellFormed(const SpanRegion &r)
{
    for (int y = 0; y < r.height(); ++y) {
        int lastRight = -1;
        for (const Span &s : r.row(y)) {
            EXPECT_LT(s.left, s.right) << "row " << y;
            EXPECT_GT(s.left, lastRight) << "row " << y;
            EXPECT_GE(s.left, 0);
            EXPECT_LE(s.right, r.width());
            lastRight = s.right;
        }
    }
}

std::string rowString(const SpanRegion &r, int y)
{
    std::string s;
    for (int x = 0; x < r.width(); ++x)
        s += r.contains(x, y) ? '#' : '.';
    return s;
}

} // namespace

TEST(SpanRegion, RectIsClippedToTheArea)
{
    const SpanRegion r = SpanRegion::Rect(10, 6, -5, 2, 4, 100);
    EXPECT_EQ(r.area(), 4 * 4);
    EXPECT_TRUE(r.contains(0, 2));
    EXPECT_TRUE(r.contains(3, 5));
    EXPECT_FALSE(r.contains(4, 2));
    EXPECT_FALSE(r.contains(0, 1));
    EXPECT_TRUE(SpanRegion::Rect(10, 6, 10, 0, 20, 6).isEmpty());
    EXPECT_TRUE(SpanRegion::Rect(10, 6, 5, 3, 2, 4).isEmpty()); // right before left
    EXPECT_TRUE(SpanRegion(10, 6).isEmpty());
}

TEST(SpanRegion, RoundRectCornersAreQuarterEllipses)
{
    // Corners 10 x 10 on a 100 x 60 rectangle: row 0 starts at the first pixel whose centre
    // lies inside the arc, 5 - 5 * sqrt(1 - 0.9^2) = 2.82 -> pixel 3.
    const SpanRegion r = SpanRegion::RoundRect(100, 60, 0, 0, 100, 60, 10, 10);
    EXPECT_FALSE(r.contains(2, 0));
    EXPECT_TRUE(r.contains(3, 0));
    EXPECT_TRUE(r.contains(96, 0));
    EXPECT_FALSE(r.contains(97, 0));
    EXPECT_FALSE(r.contains(99, 59));
    EXPECT_TRUE(r.contains(0, 5)); // below the corners the edges are straight
    EXPECT_EQ(rowString(r, 30), std::string(100, '#'));
    expectWellFormed(r);
}

TEST(SpanRegion, RoundRectWithLargeCornersIsTheInscribedEllipse)
{
    const SpanRegion r = SpanRegion::RoundRect(100, 60, 0, 0, 100, 60, 1000, 1000);
    EXPECT_TRUE(r.contains(50, 0));
    EXPECT_TRUE(r.contains(0, 30));
    EXPECT_TRUE(r.contains(99, 29));
    EXPECT_FALSE(r.contains(5, 5));
    EXPECT_FALSE(r.contains(94, 55));
    // Area close to pi * 50 * 30, and symmetric about both axes.
    EXPECT_NEAR(double(r.area()), 3.14159265 * 50 * 30, 60);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x) {
            EXPECT_EQ(r.contains(x, y), r.contains(99 - x, y));
            EXPECT_EQ(r.contains(x, y), r.contains(x, 59 - y));
        }
}

TEST(SpanRegion, TriangleTakesPixelsWhoseCentresLieInside)
{
    // The right-angled triangle (0,0), (10,0), (0,10) covers 9 + 8 + ... + 0 pixels.
    const SpanRegion a = SpanRegion::Tri(20, 20, {0, 0}, {10, 0}, {0, 10});
    EXPECT_EQ(a.area(), 45);
    EXPECT_EQ(rowString(a, 0).substr(0, 11), "#########..");
    EXPECT_EQ(rowString(a, 8).substr(0, 3), "#..");
    EXPECT_TRUE(a.row(9).empty());
    // The other winding gives the same pixels; a degenerate triangle gives none.
    const SpanRegion b = SpanRegion::Tri(20, 20, {0, 0}, {0, 10}, {10, 0});
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(rowString(a, y), rowString(b, y));
    EXPECT_TRUE(SpanRegion::Tri(20, 20, {0, 0}, {0, 0}, {0, 10}).isEmpty());
    EXPECT_TRUE(SpanRegion::Tri(20, 20, {3, 4}, {8, 4}, {12, 4}).isEmpty());
}

TEST(SpanRegion, TriangleReachingFarOutsideIsClipped)
{
    const SpanRegion r = SpanRegion::Tri(30, 20, {-1000, -1000}, {1000, -1000}, {0, 1000});
    EXPECT_EQ(r.area(), 30 * 20);
    expectWellFormed(r);
}

TEST(SpanRegion, SetOperationsAgreeWithPixelMembership)
{
    const int w = 61, h = 47;
    LinearCongruential random(12345);
    const auto shape = [&](int kind) {
        const int l = random.next(w + 20) - 10, t = random.next(h + 20) - 10;
        const int r = l + random.next(w), b = t + random.next(h);
        if (kind == 0)
            return SpanRegion::Rect(w, h, l, t, r, b);
        if (kind == 1)
            return SpanRegion::RoundRect(w, h, l, t, r, b, random.next(80), random.next(80));
        return SpanRegion::Tri(w, h, {l, t}, {r, b}, {random.next(w), random.next(h)});
    };
    for (int round = 0; round < 60; ++round) {
        const SpanRegion a = shape(round % 3), b = shape((round / 3) % 3);
        const SpanRegion u = a.united(b), i = a.intersected(b), x = a.xored(b);
        expectWellFormed(u);
        expectWellFormed(i);
        expectWellFormed(x);
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px) {
                const bool inA = a.contains(px, py), inB = b.contains(px, py);
                ASSERT_EQ(u.contains(px, py), inA || inB) << round << " " << px << "," << py;
                ASSERT_EQ(i.contains(px, py), inA && inB) << round << " " << px << "," << py;
                ASSERT_EQ(x.contains(px, py), inA != inB) << round << " " << px << "," << py;
            }
    }
}

TEST(RectUnionBuilder, UnionOfManyRectanglesMatchesMembership)
{
    const int w = 90, h = 70;
    LinearCongruential random(99);
    for (int round = 0; round < 20; ++round) {
        struct R {
            int l, t, r, b;
        };
        std::vector<R> rects;
        RectUnionBuilder builder(w, h);
        const int count = 1 + random.next(40);
        for (int k = 0; k < count; ++k) {
            const int l = random.next(w + 10) - 5, t = random.next(h + 10) - 5;
            const R rect{l, t, l + random.next(30), t + random.next(30)};
            rects.push_back(rect);
            builder.add(rect.l, rect.t, rect.r, rect.b);
        }
        const SpanRegion region = builder.build();
        expectWellFormed(region);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool inside = false;
                for (const R &r : rects)
                    inside = inside || (x >= r.l && x < r.r && y >= r.t && y < r.b);
                ASSERT_EQ(region.contains(x, y), inside) << round << " " << x << "," << y;
            }
    }
}

TEST(RowSpanBuilder, SpansInAnyOrderAreSortedAndMerged)
{
    RowSpanBuilder builder(20, 3);
    builder.add(1, 10, 15);
    builder.add(1, 2, 4);
    builder.add(1, 3, 8);
    builder.add(1, 8, 9);
    builder.add(2, -5, 3);
    builder.add(7, 0, 5); // outside the area
    const SpanRegion r = builder.build();
    EXPECT_TRUE(r.row(0).empty());
    ASSERT_EQ(r.row(1).size(), 2u);
    EXPECT_EQ(r.row(1)[0], (Span{2, 9}));
    EXPECT_EQ(r.row(1)[1], (Span{10, 15}));
    EXPECT_EQ(r.row(2)[0], (Span{0, 3}));
}
