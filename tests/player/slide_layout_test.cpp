#include "player/logic/slide_layout.h"
#include "player_test_support.h"

#include <gtest/gtest.h>

using namespace player;

namespace {

QSize fitted(QSize picture, QSize window, bool caption, bool maxQuality = true)
{
    QImage p = solidPicture(picture.width(), picture.height(), 0x336699);
    EXPECT_TRUE(fitSlidePicture(p, availablePictureArea(window, caption), maxQuality));
    return p.size();
}

} // namespace

TEST(SlideLayout, FitsPicturesToTheWindowAndTheCaptionLine)
{
    EXPECT_EQ(availablePictureArea({1024, 768}, true), QSize(1024, 738));
    EXPECT_EQ(availablePictureArea({1024, 768}, false), QSize(1024, 768));
    EXPECT_EQ(fitted({1200, 1200}, {1280, 1024}, false), QSize(1024, 1024));
    // Landscape that is too high once narrowed: 1600 x 1400 -> 1024 x 896 -> 878 x 768.
    EXPECT_EQ(fitted({1600, 1400}, {1024, 768}, false, false), QSize(878, 768));
    // Portrait that is too wide once lowered: 900 x 1000 on 700 x 900 -> 810 x 900 -> 700 x 778.
    EXPECT_EQ(fitted({900, 1000}, {700, 900}, false, false), QSize(700, 778));
}

TEST(SlideLayout, PlainStretchKeepsTheFormatAndTheFilterGivesTwentyFourBits)
{
    QImage grey(400, 300, QImage::Format_Grayscale8);
    grey.fill(128);
    QImage plain = grey;
    ASSERT_TRUE(fitSlidePicture(plain, {200, 200}, false));
    EXPECT_EQ(plain.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(plain.size(), QSize(200, 150));

    QImage filtered = solidPicture(400, 300, 0x808080);
    ASSERT_TRUE(fitSlidePicture(filtered, {200, 200}, true));
    EXPECT_EQ(filtered.format(), QImage::Format_BGR888);
    EXPECT_EQ(filtered.pixel(100, 75), qRgb(0x80, 0x80, 0x80)) << "a constant picture stays constant";
}

TEST(SlideLayout, BorderPaintsOnlyTheOutermostPixels)
{
    QImage p = solidPicture(5, 4, 0x000000);
    drawSlideBorder(p, makeColour(0xC0, 0x10, 0x20));
    const QRgb border = qRgb(0xC0, 0x10, 0x20);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool edge = x == 0 || y == 0 || x == 4 || y == 3;
            EXPECT_EQ(p.pixel(x, y), edge ? border : qRgb(0, 0, 0)) << x << "," << y;
        }
}

TEST(SlideLayout, ClearsWhenSmallerOrStyleZeroAndMendsStylesOutOfRange)
{
    EXPECT_TRUE(clearsBeforeTransition({799, 600}, {800, 600}, 56));
    EXPECT_TRUE(clearsBeforeTransition({800, 599}, {800, 600}, 56));
    EXPECT_TRUE(clearsBeforeTransition({900, 700}, {800, 600}, 0));
    EXPECT_FALSE(clearsBeforeTransition({800, 600}, {800, 600}, 56));
    EXPECT_FALSE(clearsBeforeTransition({800, 600}, {0, 0}, 1));

    EXPECT_EQ(slideStyle(0), 0);
    EXPECT_EQ(slideStyle(127), 127);
    EXPECT_EQ(slideStyle(128), 0);
    EXPECT_EQ(slideStyle(300), 0) << "not 44, as a byte would make it";
    EXPECT_EQ(slideStyle(-1), 0);
}
