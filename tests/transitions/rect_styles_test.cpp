// Rectangle styles: exact pixels of composed frames on coded pictures, computed by hand
// from the copy lists (20 x 10 at p = 50: X = 10, Y = 5, a = 5, b = 2, hw = 10, hh = 5).
#include "coded_pictures.h"
#include "transitions/core/rect_styles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace transitions;
using coded::at;

namespace {

// True when the frame shows the new picture's pixel (sx, sy) at (x, y).
::testing::AssertionResult shows(const QImage &frame, int x, int y, int sx, int sy, bool fromNew = true)
{
    const std::uint32_t v = at(frame, x, y);
    if (v == coded::pixel(sx, sy, fromNew))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << x << "," << y << ") shows " << (coded::isNew(v) ? "new" : "old")
                                         << " (" << coded::sourceX(v) << "," << coded::sourceY(v) << ")";
}

struct Composed {
    QImage frame;
    std::vector<QRect> invalidated;
    QRect changed;
};

Composed compose(int style, int p, int w = 20, int h = 10)
{
    Composed c;
    const QImage oldPicture = coded::picture(w, h, false), newPicture = coded::picture(w, h, true);
    c.frame = QImage(w, h, kFrameFormat);
    FrameHooks hooks;
    hooks.invalidate = [&c](const QRect &r) { c.invalidated.push_back(r); };
    c.changed = composeFrame(oldPicture, newPicture, c.frame, style, p, 4, hooks);
    return c;
}

} // namespace

TEST(RectStyles, SlidesAreClippedNeverWrapped)
{
    // Style 3: (10, 0, 30, 10) <- whole: columns 10..19 show new 0..9, the rest is old.
    QImage f = compose(3, 50).frame;
    EXPECT_TRUE(shows(f, 10, 3, 0, 3));
    EXPECT_TRUE(shows(f, 19, 3, 9, 3));
    EXPECT_TRUE(shows(f, 9, 3, 9, 3, false));
    EXPECT_TRUE(shows(f, 0, 0, 0, 0, false));
    // Style 4 at p = 25 (X = 5): (-15, 0, 5, 10) <- whole: columns 0..4 show new 15..19.
    f = compose(4, 25).frame;
    EXPECT_TRUE(shows(f, 0, 9, 15, 9));
    EXPECT_TRUE(shows(f, 4, 9, 19, 9));
    EXPECT_TRUE(shows(f, 5, 9, 5, 9, false));
    // Style 41 at p = 50: (-10, -5, 10, 5) <- whole, the bottom-right quarter of the new picture.
    f = compose(41, 50).frame;
    EXPECT_TRUE(shows(f, 0, 0, 10, 5));
    EXPECT_TRUE(shows(f, 9, 4, 19, 9));
    EXPECT_TRUE(shows(f, 10, 4, 10, 4, false));
}

TEST(RectStyles, ScaledCopiesTakeTheNearestSourcePixel)
{
    // Style 1: (10, 0, 20, 10) <- whole squeezes 20 columns into 10: column 10 + u shows 2u + 1.
    QImage f = compose(1, 50).frame;
    EXPECT_TRUE(shows(f, 10, 0, 1, 0));
    EXPECT_TRUE(shows(f, 14, 7, 9, 7));
    EXPECT_TRUE(shows(f, 19, 9, 19, 9));
    // Style 7: (0, 0, 30, 10) <- (0, 0, 10, 10) stretches 10 columns over 30: (2u + 1) / 6.
    f = compose(7, 50).frame;
    EXPECT_TRUE(shows(f, 2, 0, 0, 0));
    EXPECT_TRUE(shows(f, 3, 0, 1, 0));
    EXPECT_TRUE(shows(f, 19, 0, 6, 0));
    // Style 56, third copy: (15, 8, 20, 10) <- (11, 6, 20, 10).
    f = compose(56, 50).frame;
    EXPECT_TRUE(shows(f, 15, 8, 11, 7));
    EXPECT_TRUE(shows(f, 19, 9, 19, 9));
    // Style 57, second copy: (9, -2, 20, 3) <- (9, 0, 20, 6); (Y - H) div 2 truncates to -2.
    f = compose(57, 50).frame;
    EXPECT_TRUE(shows(f, 15, 0, 15, 3));
    EXPECT_TRUE(shows(f, 15, 2, 15, 5));
}

TEST(RectStyles, SourcePastThePictureTakesTheEdgePixel)
{
    // Style 16 at p = 99 on 100 x 50: (99, 0, 100, 50) <- (99, 0, 104, 50) reads past the
    // right edge; the nearest existing column is the last one.
    const QImage f = compose(16, 99, 100, 50).frame;
    EXPECT_TRUE(shows(f, 99, 20, 99, 20));
    EXPECT_TRUE(shows(f, 98, 20, 98, 20));
}

TEST(RectStyles, MirrorCopiesFlipWithOnePixelOutwardEdges)
{
    // Style 14 at p = 50: r = W div 10 = 2. The mirror (10, 0, 12, 10) <- (12, 0, 14, 10)
    // is drawn flipped into columns 9..12; the plain copy (0, 0, 10, 10) then covers 9.
    const Composed c = compose(14, 50);
    EXPECT_TRUE(shows(c.frame, 9, 4, 9, 4));
    EXPECT_TRUE(shows(c.frame, 10, 4, 13, 4));
    EXPECT_TRUE(shows(c.frame, 11, 4, 12, 4));
    EXPECT_TRUE(shows(c.frame, 12, 4, 12, 4));
    EXPECT_TRUE(shows(c.frame, 13, 4, 13, 4, false));
    ASSERT_EQ(c.invalidated.size(), 1u);
    EXPECT_EQ(c.invalidated[0], QRect(9, 0, 4, 10));
    EXPECT_EQ(c.changed, QRect(0, 0, 10, 10));
    // Style 31 at p = 50 on 10 x 20 (Y = 10, r = 2): the same down the rows.
    const Composed v = compose(31, 50, 10, 20);
    EXPECT_TRUE(shows(v.frame, 3, 10, 3, 13));
    EXPECT_TRUE(shows(v.frame, 3, 11, 3, 12));
    EXPECT_TRUE(shows(v.frame, 3, 12, 3, 12));
    EXPECT_TRUE(shows(v.frame, 3, 13, 3, 13, false));
}

TEST(RectStyles, EveryCopyButTheLastIsInvalidatedAtOnce)
{
    // Style 12: (0, 0, 6, 10) then (14, 0, 20, 10).
    Composed c = compose(12, 50);
    ASSERT_EQ(c.invalidated.size(), 1u);
    EXPECT_EQ(c.invalidated[0], QRect(0, 0, 6, 10));
    EXPECT_EQ(c.changed, QRect(14, 0, 6, 10));
    EXPECT_TRUE(shows(c.frame, 5, 0, 5, 0));
    EXPECT_TRUE(shows(c.frame, 6, 0, 6, 0, false));
    EXPECT_TRUE(shows(c.frame, 14, 0, 14, 0));
    // Style 54 makes four copies; the last one, (W - a, 0, W, H), is the changed rectangle.
    c = compose(54, 50);
    EXPECT_EQ(c.invalidated.size(), 3u);
    EXPECT_EQ(c.changed, QRect(15, 0, 5, 10));
    // A one-copy style invalidates nothing itself; its destination may reach outside.
    c = compose(3, 50);
    EXPECT_TRUE(c.invalidated.empty());
    EXPECT_EQ(c.changed, QRect(10, 0, 20, 10));
}

TEST(RectStyles, RollSizeOfTheUnrollStyles)
{
    // 100 wide: while X < 20 the roll is X div 2, near the end (W - X) div 2, else W div 10.
    const auto roll = [](int p) {
        const CopyList list = rectStyleCopies(14, FrameInputs::compute(100, 50, p, 4));
        return list.copies[0].dest.width();
    };
    EXPECT_EQ(roll(10), 5);
    EXPECT_EQ(roll(50), 10);
    EXPECT_EQ(roll(90), 5);
    EXPECT_EQ(roll(80), 10);
    EXPECT_EQ(roll(85), 7);
}
