// Pixel styles: the cross-fade's exact integer division and the pivots' fixed-point turn.
#include "coded_pictures.h"
#include "transitions/core/pixel_styles.h"

#include <gtest/gtest.h>

using namespace transitions;
using coded::at;

namespace {

QImage filled(int w, int h, std::uint32_t pixel)
{
    QImage p(w, h, kFrameFormat);
    p.fill(pixel);
    return p;
}

} // namespace

TEST(Fade, HalfWayIsTheExactIntegerMean)
{
    // Old B, G, R = 0x30, 0x20, 0x10; new 0xB3, 0xA2, 0x91: (48+179)/2 = 113,
    // (32+162)/2 = 97, (16+145)/2 = 80.
    QImage screen = filled(5, 3, 0xFF102030u);
    Fade(screen, filled(5, 3, 0xFF91A2B3u), screen, 50);
    EXPECT_EQ(at(screen, 4, 2), 0xFF506171u);
    // p = 33: R = (16*67 + 145*33) div 100 = 58, G = 74, B = 91.
    screen = filled(5, 3, 0xFF102030u);
    Fade(screen, filled(5, 3, 0xFF91A2B3u), screen, 33);
    EXPECT_EQ(at(screen, 0, 0), 0xFF3A4A5Bu);
    // Truncation: 255 * 99 div 100 = 252.
    screen = filled(1, 1, 0xFFFFFFFFu);
    Fade(screen, filled(1, 1, 0xFF000000u), screen, 1);
    EXPECT_EQ(at(screen, 0, 0), 0xFFFCFCFCu);
}

TEST(Fade, FourthByteKeepsTheScreensAndEveryColumnIsMixed)
{
    // 67 columns: wide enough for any vector width plus a tail. The fourth byte of the
    // screen is left alone even where the new picture's differs.
    const int w = 67, h = 4;
    QImage screen(w, h, QImage::Format_ARGB32), newPicture(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t o = std::uint32_t(x * 3 + y), n = std::uint32_t(255 - x * 2);
            screen.setPixel(x, y, (0x40u << 24) | (o << 16) | ((o * 2 & 0xFF) << 8) | (o * 5 & 0xFF));
            newPicture.setPixel(x, y, (0xC0u << 24) | (n << 16) | (n << 8) | ((n * 7) & 0xFF));
        }
    const QImage before = screen.copy();
    Fade(screen, newPicture, screen, 37);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t o = at(before, x, y), n = at(newPicture, x, y), s = at(screen, x, y);
            for (int shift : {0, 8, 16}) {
                const std::uint32_t ob = (o >> shift) & 0xFF, nb = (n >> shift) & 0xFF;
                ASSERT_EQ((s >> shift) & 0xFF, (ob * 63 + nb * 37) / 100) << x << "," << y;
            }
            ASSERT_EQ(s >> 24, 0x40u);
        }
}

TEST(Pivot, TurnsTheNewPictureAboutAPointOutsideACorner)
{
    const QImage newPicture = coded::picture(100, 100, true);
    // p = 99: 0.9 degrees, S = 1029, C = 65527. Style 119 (pivot (-1, -1)): screen (100, 50)
    // of a 200 x 100 picture reads new (99, 51).
    const QImage wide = coded::picture(200, 100, true);
    QImage screen = coded::picture(200, 100, false);
    Pivot(screen, wide, screen, 119, 99);
    EXPECT_EQ(at(screen, 100, 50), coded::pixel(99, 51, true));
    // p = 50: 45 degrees, S = C = 46340. (99, 0) reads new (69, 70); (0, 99) falls outside
    // and keeps the old picture.
    screen = coded::picture(100, 100, false);
    Pivot(screen, newPicture, screen, 119, 50);
    EXPECT_EQ(at(screen, 99, 0), coded::pixel(69, 70, true));
    EXPECT_EQ(at(screen, 0, 99), coded::pixel(0, 99, false));
    // Style 122 (pivot (W, H)) at p = 99: (50, 50) reads new (50, 49).
    screen = coded::picture(100, 100, false);
    Pivot(screen, newPicture, screen, 122, 99);
    EXPECT_EQ(at(screen, 50, 50), coded::pixel(50, 49, true));
}

TEST(Pivot, EveryPixelIsNewWhereTheTurnedPictureReachesAndOldElsewhere)
{
    // Check the run of columns found per row against each pixel's own fixed-point position.
    const int w = 64, h = 40;
    const QImage newPicture = coded::picture(w, h, true);
    for (int style = 119; style <= 122; ++style)
        for (int p : {1, 30, 50, 77, 99}) {
            QImage screen = coded::picture(w, h, false);
            Pivot(screen, newPicture, screen, style, p);
            const double theta = (100 - p) * 3.14159265358979323846 / 200;
            const int S = int(std::sin(theta) * 65536), C = int(std::cos(theta) * 65536);
            const int cx = (style == 119 || style == 120) ? -1 : w, cy = (style == 119 || style == 121) ? -1 : h;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int dx = x - cx, dy = y - cy;
                    const int sx = ((dx * C - dy * S) >> 16) + cx, sy = ((dx * S + dy * C) >> 16) + cy;
                    const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
                    ASSERT_EQ(at(screen, x, y), inside ? coded::pixel(sx, sy, true) : coded::pixel(x, y, false))
                        << style << " p " << p << " at " << x << "," << y;
                }
        }
}
