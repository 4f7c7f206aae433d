// lumivelle-cli's picture commands give the library's bytes and fail cleanly on bad input.
#include "imaging/resampler.h"
#include "imaging/thumbnail.h"
#include "reference_resampler.h"
#include "tests/cli_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Binary PPM written and read by hand: "P6 W H 255", then R, G, B per pixel.
void writePpm(const QImage &picture, const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("P6\n# test picture\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            const char rgb[3] = {char(qRed(c)), char(qGreen(c)), char(qBlue(c))};
            file.write(rgb, 3);
        }
}

QImage readPpm(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> header = file.readLine().trimmed().split(' ');
    header += file.readLine().trimmed().split(' ');
    if (header.size() != 3 || header[0] != "P6" || file.readLine() != "255\n")
        return {};
    QImage picture(header[1].toInt(), header[2].toInt(), QImage::Format_BGR888);
    const QByteArray data = file.readAll();
    if (data.size() != qsizetype(picture.width()) * picture.height() * 3)
        return {};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const char *p = data.constData() + (qsizetype(y) * picture.width() + x) * 3;
            picture.setPixel(x, y, qRgb(uchar(p[0]), uchar(p[1]), uchar(p[2])));
        }
    return picture;
}

} // namespace

TEST(CliResize, OutputIsTheLibrarysForEveryFilter)
{
    QTemporaryDir dir;
    const QImage picture = testing_support::randomPicture(123, 77, 42);
    const QString in = dir.filePath(QStringLiteral("in.ppm"));
    writePpm(picture, in);
    for (int filter = 0; filter < imaging::kFilterListCount; ++filter)
        for (const char *threads : {"1", "2"}) {
            const QString out = dir.filePath(QStringLiteral("out%1.ppm").arg(filter));
            const CliRun run = runCli({"resize", in, out, "50", "131", "--filter", QString::number(filter), "--threads", threads});
            ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
            QImage source = picture, expected;
            ASSERT_TRUE(imaging::ResizeBitmap(source, expected, 50, 131, filter));
            EXPECT_EQ(testing_support::pixelBytes(readPpm(out)), testing_support::pixelBytes(expected))
                << "filter " << filter << ", " << threads << " thread(s)";
        }
}

TEST(CliResize, PngInAndOutAndTheDefaultTriangle)
{
    QTemporaryDir dir;
    const QImage picture = testing_support::randomPicture(64, 40, 43);
    const QString in = dir.filePath(QStringLiteral("in.png")), out = dir.filePath(QStringLiteral("out.png"));
    ASSERT_TRUE(picture.save(in));
    ASSERT_EQ(runCli({"resize", in, out, "30", "20"}).exitCode, 0);
    const QImage expected = testing_support::referenceStretch(30, 20, imaging::ResampleKernel::Triangle, 0, picture);
    EXPECT_EQ(testing_support::pixelBytes(QImage(out).convertToFormat(QImage::Format_BGR888)),
              testing_support::pixelBytes(expected));

    const QString thumb = dir.filePath(QStringLiteral("thumb.ppm"));
    ASSERT_EQ(runCli({"thumbnail", in, thumb}).exitCode, 0);
    EXPECT_EQ(readPpm(thumb).size(), picture.size()); // already inside the box
    const QString fitted = dir.filePath(QStringLiteral("fit.ppm"));
    ASSERT_EQ(runCli({"fit", in, fitted, "32", "32", "--plain"}).exitCode, 0);
    EXPECT_EQ(testing_support::pixelBytes(readPpm(fitted)),
              testing_support::pixelBytes(imaging::FitToBox(picture, 32, 32, false)));
}

TEST(CliResize, BadInputExitsWithOneLine)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.ppm"));
    writePpm(testing_support::randomPicture(8, 8, 44), in);
    const QString out = dir.filePath(QStringLiteral("out.ppm"));
    const QStringList bad[] = {
        {"resize", in, out, "0", "10"},
        {"resize", in, out, "10", "10", "--filter", "8"},
        {"resize", in, out, "10"},
        {"resize", in, out, "10", "10", "--sharpen"},
        {"resize", dir.filePath(QStringLiteral("absent.ppm")), out, "10", "10"},
        {"resize", in, dir.filePath(QStringLiteral("out.bmp")), "10", "10"},
        {"jpeg", in, out, "--quality", "0"},
        {"demo-picture", out, "-3", "4"},
    };
    for (const QStringList &arguments : bad) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errors.startsWith("lumivelle-cli: "));
        EXPECT_EQ(run.errors.count('\n'), 1) << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));

    QFile truncated(dir.filePath(QStringLiteral("short.ppm")));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write("P6\n10 10\n255\nabc");
    truncated.close();
    EXPECT_EQ(runCli({"resize", truncated.fileName(), out, "5", "5"}).exitCode, 1);
}
