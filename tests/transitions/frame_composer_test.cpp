// The frame skeleton: old picture first, the handlers, the ends of a run, styles without
// drawing, and the random styles' use of the process-wide generator.
#include "coded_pictures.h"
#include "transitions/core/random_generator.h"

#include <gtest/gtest.h>

#include <string>

using namespace transitions;
using coded::at;

namespace {

int newPixels(const QImage &frame)
{
    int n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            n += coded::isNew(at(frame, x, y));
    return n;
}

bool isPicture(const QImage &frame, bool fromNew)
{
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (at(frame, x, y) != coded::pixel(x, y, fromNew))
                return false;
    return true;
}

} // namespace

TEST(FrameComposer, EndsOfARunIgnoreTheStyle)
{
    for (int style : {0, 5, 60, 118, 121, 127, 200}) {
        EXPECT_TRUE(isPicture(coded::frame(32, 24, style, 0), false)) << style;
        EXPECT_TRUE(isPicture(coded::frame(32, 24, style, 100), true)) << style;
    }
}

TEST(FrameComposer, StyleOutsideTheTableDrawsNothingBetween)
{
    EXPECT_TRUE(isPicture(coded::frame(32, 24, 128, 50), false));
    EXPECT_TRUE(isPicture(coded::frame(32, 24, 255, 99), false));
}

TEST(FrameComposer, EmptyRegionShowsOnlyTheOldPicture)
{
    EXPECT_TRUE(isPicture(coded::frame(20, 10, 110, 1), false));
    // Bars of style 60 at p = 1 on 640 x 480 are 12 pixels long: some new pixels.
    EXPECT_EQ(newPixels(coded::frame(640, 480, 60, 1)), 12 * 5 * 48);
}

TEST(FrameComposer, DrawingOldFirstOrInOnePassGivesTheSameFrame)
{
    // A handler before the new frame makes the composer draw the whole old picture first;
    // without one every pixel is written once. Both must agree for every style.
    const QImage oldPicture = coded::picture(97, 61, false), newPicture = coded::picture(97, 61, true);
    FrameHooks watched;
    watched.beforeNewFrame = [] {};
    for (int style = 0; style < 256; style += style < 130 ? 1 : 50)
        for (int p : {1, 13, 50, 87, 99}) {
            QImage direct(97, 61, kFrameFormat), twice(97, 61, kFrameFormat);
            direct.fill(0);
            twice.fill(0);
            setRandSeed(777);
            const QRect a = composeFrame(oldPicture, newPicture, direct, style, p, 4);
            setRandSeed(777);
            const QRect b = composeFrame(oldPicture, newPicture, twice, style, p, 4, watched);
            ASSERT_EQ(direct, twice) << "style " << style << " p " << p;
            EXPECT_EQ(a, b);
        }
}

TEST(FrameComposer, SwapCallsCustomDrawBeforeDrawingTheWholeNewPicture)
{
    const QImage oldPicture = coded::picture(16, 8, false);
    QImage newPicture = coded::picture(16, 8, true);
    QImage screen(16, 8, kFrameFormat);
    int calls = 0;
    FrameHooks hooks;
    hooks.customDraw = [&] {
        ++calls;
        newPicture.setPixel(3, 3, 0xFF123456u); // a handler may draw on the new picture
    };
    screen.fill(0xFF00FF00u); // what the previous frame left
    bool sawOld = false;
    const auto draw = hooks.customDraw;
    hooks.customDraw = [&] {
        sawOld = isPicture(screen, false); // the frame starts from the old picture
        draw();
    };
    composeFrame(oldPicture, newPicture, screen, 0, 10, 4, hooks);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(sawOld);
    EXPECT_EQ(at(screen, 3, 3), 0xFF123456u);
    EXPECT_EQ(at(screen, 4, 3), coded::pixel(4, 3, true));
    // Not called at the ends, nor for other styles.
    composeFrame(oldPicture, newPicture, screen, 0, 100, 4, hooks);
    composeFrame(oldPicture, newPicture, screen, 5, 50, 4, hooks);
    EXPECT_EQ(calls, 1);
}

TEST(FrameComposer, BeforeNewFrameSeesTheOldPictureOnTheScreen)
{
    const QImage oldPicture = coded::picture(16, 8, false), newPicture = coded::picture(16, 8, true);
    QImage screen(16, 8, kFrameFormat);
    screen.fill(0xFF00FF00u);
    bool sawOld = false;
    FrameHooks hooks;
    hooks.beforeNewFrame = [&] {
        sawOld = isPicture(screen, false);
        screen.setPixel(15, 0, 0xFFABCDEFu); // outside the revealed part: stays
        screen.setPixel(0, 0, 0xFFABCDEFu);  // inside: covered by the new picture
    };
    composeFrame(oldPicture, newPicture, screen, 5, 50, 4, hooks); // reveal (0, 0, 8, 8)
    EXPECT_TRUE(sawOld);
    EXPECT_EQ(at(screen, 15, 0), 0xFFABCDEFu);
    EXPECT_EQ(at(screen, 0, 0), coded::pixel(0, 0, true));
}

TEST(FrameComposer, RandomStylesDrawAFreshPatternFromTheSharedGenerator)
{
    // Style 127 on 64 x 48 at p = 50: s = 48 div 50 + 5 = 5, a grid of 13 x 10 points.
    setRandSeed(0);
    const QImage first = coded::frame(64, 48, 127, 50);
    LinearCongruential counted;
    for (int i = 0; i < 13 * 10; ++i)
        counted.next(1);
    EXPECT_EQ(RandSeed(), counted.seed());
    const QImage second = coded::frame(64, 48, 127, 50);
    EXPECT_NE(first, second);
    setRandSeed(0);
    EXPECT_EQ(coded::frame(64, 48, 127, 50), first);
}

TEST(FrameComposer, PicturesInOtherFormatsAreConverted)
{
    const QImage oldPicture = coded::picture(24, 12, false), newPicture = coded::picture(24, 12, true);
    QImage expected(24, 12, kFrameFormat);
    composeFrame(oldPicture, newPicture, expected, 118, 40, 4);
    QImage screen(24, 12, QImage::Format_RGB888);
    composeFrame(oldPicture.convertToFormat(QImage::Format_BGR888), newPicture.convertToFormat(QImage::Format_RGB888),
                 screen, 118, 40, 4);
    EXPECT_EQ(screen.format(), kFrameFormat);
    EXPECT_EQ(screen, expected);
}
