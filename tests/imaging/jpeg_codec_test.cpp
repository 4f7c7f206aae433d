// The JPEG codec: round trips, the fixture files of every colour layout, reduced DCT
// scales and the error path.
#include "imaging/jpeg_codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace imaging;

namespace {

const QString kJpegFixtures = QStringLiteral(LUMIVELLE_FIXTURES "/images/jpeg/");

QByteArray fixture(const char *name)
{
    QFile file(kJpegFixtures + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The fixtures' picture: red, green and blue quadrants and a grey ramp bottom right.
QImage quadrants(int w, int h)
{
    QImage picture(w, h, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool left = x < w / 2, top = y < h / 2;
            const int ramp = (x - w / 2) * 255 / (w - 1 - w / 2);
            picture.setPixelColor(x, y, top ? (left ? QColor(255, 0, 0) : QColor(0, 255, 0))
                                            : (left ? QColor(0, 0, 255) : QColor(ramp, ramp, ramp)));
        }
    return picture;
}

// Mean colour of a 5 x 5 block around the centre of the quadrant (qx, qy).
QColor quadrantMean(const QImage &picture, int qx, int qy)
{
    const int cx = picture.width() * (2 * qx + 1) / 4, cy = picture.height() * (2 * qy + 1) / 4;
    int r = 0, g = 0, b = 0;
    for (int y = cy - 2; y <= cy + 2; ++y)
        for (int x = cx - 2; x <= cx + 2; ++x) {
            const QColor c = picture.pixelColor(x, y);
            r += c.red(), g += c.green(), b += c.blue();
        }
    return QColor(r / 25, g / 25, b / 25);
}

void expectNear(QColor actual, QColor expected, int tolerance, const char *where)
{
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << where;
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << where;
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << where;
}

void expectQuadrantColours(const QImage &picture, int tolerance, const char *name)
{
    expectNear(quadrantMean(picture, 0, 0), QColor(255, 0, 0), tolerance, name);
    expectNear(quadrantMean(picture, 1, 0), QColor(0, 255, 0), tolerance, name);
    expectNear(quadrantMean(picture, 0, 1), QColor(0, 0, 255), tolerance, name);
    const int y = picture.height() * 3 / 4;
    EXPECT_LT(picture.pixelColor(picture.width() / 2 + 2, y).red() + 60,
              picture.pixelColor(picture.width() - 3, y).red()) << name << ": ramp brightens rightwards";
}

// A 4-component file written with libjpeg itself, in the Adobe convention (0 = full ink),
// stored as CMYK or transformed to YCCK.
QByteArray adobeFourComponentJpeg(J_COLOR_SPACE stored)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 32;
    cinfo.image_height = 16;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, stored);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    // Left half red (magenta and yellow ink), right half green (cyan and yellow ink),
    // stored as 255 - ink.
    const unsigned char red[4] = {255, 0, 0, 255}, green[4] = {0, 255, 0, 255};
    unsigned char row[32 * 4];
    for (int x = 0; x < 32; ++x)
        std::memcpy(row + 4 * x, x < 16 ? red : green, 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row;
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(JpegCodec, RoundTripKeepsSizeAndColours)
{
    const QImage picture = quadrants(96, 64);
    const Result<QByteArray> bytes = encodeJpeg(picture, 90);
    ASSERT_TRUE(bytes) << bytes.error().message.toStdString();
    // SOI, then the JFIF APP0 segment, a baseline frame (SOF0) of 3 components, EOI.
    EXPECT_TRUE(bytes->startsWith(QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)));
    const qsizetype sof = bytes->indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    EXPECT_EQ(bytes->mid(sof + 5, 5), QByteArray("\x00\x40\x00\x60\x03", 5)); // 64 x 96, 3 components
    EXPECT_EQ(bytes->indexOf(QByteArray("\xFF\xC2", 2)), -1);               // not progressive
    EXPECT_TRUE(bytes->endsWith(QByteArray("\xFF\xD9", 2)));

    const Result<QImage> decoded = decodeJpeg(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), QSize(96, 64));
    EXPECT_EQ(decoded->format(), QImage::Format_BGR888);
    expectQuadrantColours(*decoded, 6, "round trip");

    const Result<QByteArray> low = encodeJpeg(picture.convertToFormat(QImage::Format_ARGB32), 10);
    ASSERT_TRUE(low);
    EXPECT_LT(low->size(), bytes->size());
}

TEST(JpegCodec, DecodesEveryFixtureLayoutTo24Bits)
{
    struct Case {
        const char *name;
        int width, height, components;
    };
    const Case cases[] = {
        {"jpg_baseline_420_q90_64x48.jpg", 64, 48, 3},     {"jpg_progressive_67x45.jpg", 67, 45, 3},
        {"jpg_restart_optimize_320x240.jpeg", 320, 240, 3}, {"jpg_im_444_q95_160x120.jpeg", 160, 120, 3},
        {"jpg_pil_422_67x45.jpeg", 67, 45, 3},              {"jpg_im_cmyk_adobe_64x48.jpg", 64, 48, 4},
    };
    for (const Case &c : cases) {
        const QByteArray bytes = fixture(c.name);
        const Result<JpegInfo> info = readJpegInfo(bytes);
        ASSERT_TRUE(info) << c.name;
        EXPECT_EQ(info->width, c.width);
        EXPECT_EQ(info->height, c.height);
        EXPECT_EQ(info->components, c.components) << c.name;
        const Result<QImage> picture = decodeJpeg(bytes);
        ASSERT_TRUE(picture) << c.name << ": " << picture.error().message.toStdString();
        EXPECT_EQ(picture->size(), QSize(c.width, c.height));
        EXPECT_EQ(picture->format(), QImage::Format_BGR888);
        expectQuadrantColours(*picture, c.components == 4 ? 20 : 14, c.name);
    }
}

TEST(JpegCodec, GreyFilesBecomeEqualChannels)
{
    const Result<QImage> grey = decodeJpeg(fixture("jpg_grey_120x80.jpg"));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->format(), QImage::Format_BGR888);
    expectNear(quadrantMean(*grey, 0, 0), QColor(50, 50, 50), 3, "top left");
    expectNear(quadrantMean(*grey, 1, 0), QColor(100, 100, 100), 3, "top right");
    expectNear(quadrantMean(*grey, 0, 1), QColor(150, 150, 150), 3, "bottom left");
}

TEST(JpegCodec, AdobeCmykAndYcckAreInverted)
{
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        const Result<QImage> picture = decodeJpeg(adobeFourComponentJpeg(stored));
        ASSERT_TRUE(picture);
        expectNear(picture->pixelColor(4, 8), QColor(255, 0, 0), 8, stored == JCS_CMYK ? "CMYK" : "YCCK");
        expectNear(picture->pixelColor(27, 8), QColor(0, 255, 0), 8, stored == JCS_CMYK ? "CMYK" : "YCCK");
    }
}

TEST(JpegCodec, ReducedScalesStayAtLeastTheAskedSize)
{
    EXPECT_EQ(jpegScaleDenominator({320, 240}, {}), 1);
    EXPECT_EQ(jpegScaleDenominator({320, 240}, {40, 30}), 8);
    EXPECT_EQ(jpegScaleDenominator({320, 240}, {41, 30}), 4);
    EXPECT_EQ(jpegScaleDenominator({320, 240}, {80, 61}), 2);
    EXPECT_EQ(jpegScaleDenominator({320, 240}, {200, 10}), 1);
    EXPECT_EQ(jpegScaleDenominator({4000, 3000}, {200, 200}), 8); // the explorer's twice-the-box
    EXPECT_EQ(jpegScaleDenominator({67, 45}, {9, 6}), 8);          // 67 / 8 rounds up to 9

    const QByteArray bytes = fixture("jpg_restart_optimize_320x240.jpeg");
    const QSize expected[] = {{40, 30}, {80, 60}, {160, 120}, {320, 240}};
    const QSize asked[] = {{40, 30}, {41, 30}, {80, 61}, {321, 1}};
    for (int k = 0; k < 4; ++k) {
        const Result<QImage> picture = decodeJpeg(bytes, asked[k]);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->size(), expected[k]);
        expectQuadrantColours(*picture, 14, "reduced");
    }
    const Result<QImage> cmyk = decodeJpeg(fixture("jpg_im_cmyk_adobe_64x48.jpg"), {16, 12});
    ASSERT_TRUE(cmyk);
    EXPECT_EQ(cmyk->size(), QSize(16, 12));
}

TEST(JpegCodec, BrokenDataFailsWithTheDecodersMessage)
{
    const QByteArray whole = fixture("jpg_restart_optimize_320x240.jpeg");
    const QByteArray progressive = fixture("jpg_progressive_67x45.jpg");
    struct Case {
        const char *what;
        QByteArray bytes;
        const char *message;
    };
    const Case cases[] = {
        {"truncated baseline", whole.left(whole.size() / 2), "Premature end of JPEG file"},
        {"truncated progressive", progressive.left(progressive.size() - 200), "Premature end of JPEG file"},
        {"cut inside the header", whole.left(100), "Premature end of JPEG file"},
        {"garbage", QByteArray("this is not a picture at all"), "Not a JPEG file"},
        {"empty", QByteArray(), ""},
    };
    for (const Case &c : cases) {
        const Result<QImage> picture = decodeJpeg(c.bytes);
        ASSERT_FALSE(picture) << c.what;
        EXPECT_FALSE(picture.error().message.isEmpty()) << c.what;
        EXPECT_TRUE(picture.error().message.contains(QLatin1String(c.message))) << c.what << ": "
                                                                                << picture.error().message.toStdString();
    }
    EXPECT_FALSE(readJpegInfo(QByteArray("GIF89a")));
    EXPECT_TRUE(readJpegInfo(whole.left(whole.size() / 2))); // the header alone is complete
}

TEST(JpegCodec, EncoderRefusesBadInput)
{
    EXPECT_FALSE(encodeJpeg(QImage(), 90));
    EXPECT_FALSE(encodeJpeg(quadrants(8, 8), 0));
    EXPECT_FALSE(encodeJpeg(quadrants(8, 8), 101));
    EXPECT_TRUE(encodeJpeg(quadrants(8, 8), 1));
}

TEST(JpegCodec, FilesRoundTripAndMissingFilesFail)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(saveJpegFile(quadrants(40, 30), path, 100));
    const Result<QImage> loaded = loadJpegFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), QSize(40, 30));
    expectQuadrantColours(*loaded, 4, "file");
    EXPECT_EQ(loadJpegFile(path, {5, 4})->size(), QSize(5, 4));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
    file.close();
    const Result<QImage> truncated = loadJpegFile(path);
    ASSERT_FALSE(truncated);
    EXPECT_TRUE(truncated.error().message.contains(QLatin1String("Premature end of JPEG file")))
        << truncated.error().message.toStdString();

    const Result<QImage> missing = loadJpegFile(dir.filePath(QStringLiteral("absent.jpg")));
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().message.contains(QLatin1String("absent.jpg")));
    EXPECT_FALSE(saveJpegFile(quadrants(4, 4), dir.filePath(QStringLiteral("no/such/folder/x.jpg")), 90));
}
