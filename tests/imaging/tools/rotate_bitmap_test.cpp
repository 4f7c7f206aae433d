#include "imaging/jpeg_codec.h"
#include "imaging/tools/picture_files.h"
#include "imaging/tools/rotate_bitmap.h"
#include "imaging/tools/turned_encoding.h"

#include <QImage>
#include <gtest/gtest.h>

using imagetools::RotateBitmap;

namespace {

// Every pixel different: blue = x, green = y, red = a mix of both.
QImage numbered(int w, int h, QImage::Format format = QImage::Format_BGR888)
{
    QImage picture(w, h, format);
    for (int y = 0; y < h; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < w; ++x) {
            line[3 * x] = uchar(x);
            line[3 * x + 1] = uchar(y);
            line[3 * x + 2] = uchar(x * 7 + y * 3);
        }
    }
    return picture;
}

const uchar *pixel(const QImage &picture, int x, int y)
{
    return picture.constScanLine(y) + 3 * x;
}

// Where source pixel (x, y) of a w x h picture goes for each angle.
QPoint destination(int angle, int x, int y, int w, int h)
{
    switch (angle) {
    case 90: return {y, w - 1 - x};
    case 180: return {w - 1 - x, h - 1 - y};
    case 270: return {h - 1 - y, x};
    default: return {x, y};
    }
}

} // namespace

class RotationTable : public ::testing::TestWithParam<std::tuple<int, QSize>> {};

// Sizes below, at and across the 4 x 4 blocks the quarter turns copy, odd and even.
TEST_P(RotationTable, EverySourcePixelLandsWhereTheTableSays)
{
    const auto [angle, size] = GetParam();
    const QImage source = numbered(size.width(), size.height());
    const QImage before = source.copy();
    auto turned = RotateBitmap(angle, source);
    ASSERT_TRUE(turned) << turned.error().message.toStdString();
    const bool sideways = angle % 180 != 0;
    EXPECT_EQ(turned->size(), sideways ? size.transposed() : size);
    EXPECT_EQ(turned->format(), QImage::Format_BGR888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QPoint to = destination(angle % 360, x, y, size.width(), size.height());
            ASSERT_EQ(0, std::memcmp(pixel(*turned, to.x(), to.y()), pixel(source, x, y), 3))
                << "angle " << angle << " source " << x << "," << y;
        }
    EXPECT_EQ(source, before); // the input is unchanged
}

INSTANTIATE_TEST_SUITE_P(Angles, RotationTable,
                         ::testing::Combine(::testing::Values(0, 90, 180, 270, 360, 450),
                                            ::testing::Values(QSize(1, 1), QSize(3, 2), QSize(2, 5), QSize(4, 4),
                                                              QSize(37, 23), QSize(64, 48), QSize(130, 9),
                                                              QSize(9, 131))),
                         [](const auto &info) {
                             const QSize size = std::get<1>(info.param);
                             return QStringLiteral("angle%1_%2x%3")
                                 .arg(std::get<0>(info.param))
                                 .arg(size.width())
                                 .arg(size.height())
                                 .toStdString();
                         });

TEST(RotateBitmap, RightThenLeftAndFourQuartersGiveTheSourceBack)
{
    const QImage source = numbered(67, 45);
    auto right = RotateBitmap(270, source);
    ASSERT_TRUE(right);
    auto back = RotateBitmap(90, *right);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, source);
    QImage turned = source;
    for (int i = 0; i < 4; ++i)
        turned = *RotateBitmap(90, turned);
    EXPECT_EQ(turned, source);
    EXPECT_EQ(*RotateBitmap(180, *RotateBitmap(180, source)), source);
}

TEST(RotateBitmap, RowPaddingIsNotTakenForPixels)
{
    // 5 pixels are 15 bytes, rows of 16: the padding byte must not leak into the result.
    QImage source = numbered(5, 6);
    for (int y = 0; y < source.height(); ++y)
        source.scanLine(y)[15] = 0xEE;
    for (int angle : {90, 180, 270}) {
        const QImage turned = *RotateBitmap(angle, source);
        const QImage back = *RotateBitmap(360 - angle, turned);
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(0, std::memcmp(back.constScanLine(y), source.constScanLine(y), 15)) << angle;
    }
}

TEST(RotateBitmap, RefusesWhatItCannotTurn)
{
    const QImage source = numbered(8, 4);
    EXPECT_EQ(RotateBitmap(90, QImage(8, 4, QImage::Format_RGB32)).error().message,
              QStringLiteral("Le bitmap doit avoir 16 millions de couleurs !"));
    EXPECT_EQ(RotateBitmap(90, QImage()).error().message, imagetools::kNot24BitMessage);
    for (int angle : {45, 91, 100, -90, -180, -45})
        EXPECT_EQ(RotateBitmap(angle, source).error().message, QStringLiteral("Angles négatif impossible")) << angle;
    for (int angle : {-360, -720, 720}) {
        auto copy = RotateBitmap(angle, source);
        ASSERT_TRUE(copy) << angle;
        EXPECT_EQ(*copy, source);
    }
}

TEST(RotateBitmap, KeepsTheByteOrderOfTheOther24BitFormat)
{
    const QImage source = numbered(10, 3).convertToFormat(QImage::Format_RGB888);
    const QImage turned = *RotateBitmap(270, source);
    EXPECT_EQ(turned.format(), QImage::Format_RGB888);
    EXPECT_EQ(turned.pixel(2, 0), source.pixel(0, 0)); // (x, y) -> (h - 1 - y, x)
}

TEST(TurnedRows, AnyBandsGiveTheRowsOfTheWholeTurn)
{
    // Bands that start on odd rows, cross the 4-row groups and end past the last group.
    for (const QSize size : {QSize(37, 23), QSize(64, 48), QSize(5, 3)})
        for (int angle : {90, 180, 270}) {
            const QImage source = numbered(size.width(), size.height());
            const QImage whole = *RotateBitmap(angle, source);
            auto turned = imagetools::TurnedRows::make(angle, source);
            ASSERT_TRUE(turned);
            ASSERT_EQ(turned->size(), whole.size());
            QImage banded(whole.size(), QImage::Format_BGR888);
            banded.fill(Qt::black);
            for (int first = 0, band = 3; first < whole.height(); first += band, band = band % 5 + 1) {
                const int last = std::min(first + band, whole.height());
                turned->write(first, last, banded.scanLine(first), banded.bytesPerLine());
            }
            EXPECT_EQ(banded, whole) << angle << " " << size.width() << "x" << size.height();
        }
    EXPECT_FALSE(imagetools::TurnedRows::make(45, numbered(4, 4)));
}

TEST(TurnedEncoding, GivesTheBytesOfEncodingTheTurnedPicture)
{
    for (const QSize size : {QSize(67, 45), QSize(160, 120), QSize(17, 33)})
        for (int angle : {90, 180, 270}) {
            const QImage source = numbered(size.width(), size.height());
            const QImage whole = *RotateBitmap(angle, source);
            EXPECT_EQ(imagetools::encodeTurnedJpeg(source, angle, 100)->stream(), *imaging::encodeJpeg(whole, 100))
                << angle;
            const auto roomy = imagetools::encodeTurnedJpeg(source, angle, 35, 1000);
            EXPECT_EQ(roomy->streamStart, 1000);
            EXPECT_EQ(roomy->stream(), *imaging::encodeJpeg(whole, 35)) << angle;
            EXPECT_EQ(*imagetools::encodeTurnedBmp24(source, angle), *imagetools::encodeBmp24(whole)) << angle;
        }
    EXPECT_FALSE(imagetools::encodeTurnedJpeg(numbered(8, 8), 90, 0));
    // A first guess of one byte a pixel that is not enough: the buffer grows.
    QImage noise(64, 64, QImage::Format_BGR888);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64 * 3; ++x)
            noise.scanLine(y)[x] = uchar((x * 7919 + y * 104729) % 251);
    EXPECT_EQ(imagetools::encodeTurnedJpeg(noise, 90, 100, 7)->stream(), *imaging::encodeJpeg(*RotateBitmap(90, noise), 100));
    EXPECT_FALSE(imagetools::encodeTurnedBmp24(QImage(8, 8, QImage::Format_RGB32), 90));
}
