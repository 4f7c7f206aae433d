// Placement of the picture in the control and the progress sequence of a run.
#include "transitions/pic_show_geometry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace transitions;

TEST(PicShowGeometry, FitRectKeepsTheAspectAndCentres)
{
    // 200 x 100 into 300 x 300: as wide as the target, 150 high, centred vertically.
    EXPECT_EQ(FitRect(QRect(0, 0, 200, 100), QRect(0, 0, 300, 300)), QRect(0, 75, 300, 150));
    // 100 x 200 into 300 x 300: 150 x 300, centred horizontally; the target's offset is kept.
    EXPECT_EQ(FitRect(QRect(5, 5, 100, 200), QRect(10, 20, 300, 300)), QRect(85, 20, 150, 300));
    // MulDiv rounding: 3 x 2 into 100 x 100 -> 100 x 66.67 -> 67.
    EXPECT_EQ(FitRect(QRect(0, 0, 3, 2), QRect(0, 0, 100, 100)).height(), 67);
    // An empty aspect does not divide by zero.
    EXPECT_TRUE(FitRect(QRect(0, 0, 0, 10), QRect(0, 0, 100, 100)).isEmpty());
}

TEST(PicShowGeometry, PictureRectCentresWithTruncatingHalves)
{
    EXPECT_EQ(CalcPictureRect(QSize(100, 50), QSize(301, 100), false), QRect(0, 0, 100, 50));
    EXPECT_EQ(CalcPictureRect(QSize(100, 50), QSize(301, 100), true), QRect(100, 25, 100, 50));
    // Larger than the client: (97 - 100) div 2 = -1, truncated towards zero.
    EXPECT_EQ(CalcPictureRect(QSize(100, 100), QSize(97, 97), true).topLeft(), QPoint(-1, -1));
}

TEST(PicShowGeometry, InvalidatedAreasFollowThePictureIntoTheClient)
{
    PictureLayout centred{QRect(50, 20, 100, 50), QSize(200, 90), false, false};
    EXPECT_EQ(pictureToClient(QRect(0, 0, 10, 10), centred), QRect(50, 20, 10, 10));
    // Clipped to the picture rectangle.
    EXPECT_EQ(pictureToClient(QRect(90, 40, 50, 50), centred), QRect(140, 60, 10, 10));
    // Stretched over the whole client: each edge scaled and rounded on its own.
    PictureLayout stretched{QRect(0, 0, 100, 50), QSize(300, 100), true, false};
    EXPECT_EQ(pictureToClient(QRect(10, 5, 10, 5), stretched), QRect(30, 10, 30, 10));
    EXPECT_EQ(pictureToClient(QRect(0, 0, 100, 50), stretched), QRect(0, 0, 300, 100));
    // Stretched with the aspect kept: 100 x 50 fits 300 x 300 as 300 x 150 at y = 75.
    PictureLayout fine{QRect(0, 0, 100, 50), QSize(300, 300), true, true};
    EXPECT_EQ(pictureToClient(QRect(0, 0, 100, 50), fine), QRect(0, 75, 300, 150));
    EXPECT_EQ(pictureToClient(QRect(1, 1, 1, 1), fine), QRect(3, 78, 3, 3));
}

TEST(PicShowGeometry, ProgressSequences)
{
    const auto run = [](int step, bool reverse) {
        std::vector<int> seq;
        int p = reverse ? 100 : 0;
        while (!progressAtEnd(p, reverse)) {
            p = nextProgress(p, step, reverse);
            seq.push_back(p);
        }
        return seq;
    };
    std::vector<int> four = run(4, false);
    ASSERT_EQ(four.size(), 25u);
    EXPECT_EQ(four.front(), 4);
    EXPECT_EQ(four[23], 96);
    EXPECT_EQ(four.back(), 100);
    const std::vector<int> three = run(3, false);
    ASSERT_EQ(three.size(), 34u);
    EXPECT_EQ(three[32], 99);
    EXPECT_EQ(three.back(), 100);
    const std::vector<int> back = run(4, true);
    ASSERT_EQ(back.size(), 25u);
    EXPECT_EQ(back.front(), 96);
    EXPECT_EQ(back[23], 4);
    EXPECT_EQ(back.back(), 0);
    EXPECT_EQ(run(100, false), std::vector<int>{100});
    EXPECT_EQ(run(7, true).back(), 0);
    EXPECT_EQ(run(7, true)[13], 2);
}
