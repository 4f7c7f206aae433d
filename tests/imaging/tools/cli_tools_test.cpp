// lumivelle-cli rotate, batch-resize and convert-jpeg on files in a temporary folder.
#include "imaging/jpeg_codec.h"
#include "tests/cli_run.h"
#include "tools_test_support.h"

#include <QTemporaryDir>

using namespace tools_test;

class CliToolsTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    void writeJpeg(const QString &name, QSize size)
    {
        writeAll(file(name), *imaging::encodeJpeg(smooth(size.width(), size.height()), 90));
    }
    // Gentle ramps, which JPEG at quality 100 keeps within a few levels.
    static QImage smooth(int w, int h)
    {
        QImage picture(w, h, QImage::Format_BGR888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
        return picture;
    }
    QTemporaryDir m_dir;
};

TEST_F(CliToolsTest, RotateTurnsCounterClockwiseAndAsksForAFormatOnlyWhereItMust)
{
    writeBmp(file("Scan.BMP"), numbered(30, 20));
    CliRun run = runCli({"rotate", file("Scan.BMP"), "270"});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(loaded(file("Scan.BMP")).size(), QSize(20, 30));
    // 270 is a quarter turn to the right: the top-left pixel goes to the top-right corner.
    EXPECT_EQ(loaded(file("Scan.BMP")).pixel(19, 0), numbered(30, 20).pixel(0, 0));

    ASSERT_TRUE(numbered(30, 20).save(file("carte.png")));
    EXPECT_EQ(runCli({"rotate", file("carte.png"), "90"}).exitCode, 1);
    EXPECT_EQ(runCli({"rotate", file("Scan.BMP"), "90", "--as", "jpg"}).exitCode, 1);
    EXPECT_EQ(runCli({"rotate", file("carte.png"), "90", "--as", "gif"}).exitCode, 1);
    EXPECT_EQ(runCli({"rotate", file("Scan.BMP"), "45"}).exitCode, 1);
    EXPECT_EQ(names(m_dir.path()), (QStringList{"Scan.BMP", "carte.png"}));
    run = runCli({"rotate", file("carte.png"), "90", "--as", "jpg"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.trimmed(), file("carte.jpg").toLocal8Bit());
    EXPECT_EQ(loaded(file("carte.jpg")).size(), QSize(20, 30));

    run = runCli({"rotate", file("absent.jpg"), "180"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("absent.jpg"));
    writeAll(file("broken.jpg"), "broken");
    run = runCli({"rotate", file("broken.jpg"), "180"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("broken.jpg"));
    EXPECT_EQ(readAll(file("broken.jpg")), "broken");
}

TEST_F(CliToolsTest, BatchResizeDefaultsToCopiesBesideWithTriangleAndEnlargesSmallPictures)
{
    writeJpeg("Big.JPG", {400, 300});
    writeJpeg("small.jpg", {40, 30});
    ASSERT_TRUE(numbered(40, 30).save(file("other.png")));
    CliRun run = runCli({"batch-resize", "--box", "200x200", file("Big.JPG"), file("small.jpg"), file("other.png")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(loaded(file("Big(1).jpg")).size(), QSize(200, 150));
    EXPECT_EQ(loaded(file("small(1).jpg")).size(), QSize(200, 150));
    EXPECT_TRUE(run.errors.contains("other.png")); // not a JPEG or BMP: left aside, not a failure
    EXPECT_FALSE(QFile::exists(file("other(1).png")));

    // The same file with filter 2 by the one-file command gives the same pixels.
    ASSERT_EQ(runCli({"resize", file("Big.JPG"), file("ref.ppm"), "200", "150", "--filter", "2"}).exitCode, 0);
    const QImage reference = loaded(file("ref.ppm"));
    QDir(m_dir.path()).mkdir("out");
    ASSERT_EQ(runCli({"batch-resize", "--box", "200x200", "--copy", file("out"), "--threads", "1", file("Big.JPG")})
                  .exitCode, 0);
    const QImage copy = loaded(file("out/Big.JPG"));
    ASSERT_EQ(copy.size(), reference.size());
    int worst = 0;
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 0; x < copy.width() * 3; ++x)
            worst = std::max(worst, std::abs(copy.constScanLine(y)[x] - reference.constScanLine(y)[x]));
    EXPECT_LE(worst, 8); // the copy went through JPEG at quality 100

    run = runCli({"batch-resize", "--box", "200x200", "--larger-only", "--copy", "inplace", file("Big.JPG"),
                  file("small.jpg")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(loaded(file("Big.JPG")).size(), QSize(200, 150));
    EXPECT_EQ(loaded(file("small.jpg")).size(), QSize(40, 30));
}

TEST_F(CliToolsTest, BatchResizeNamesEveryFileItCouldNotReadOrWrite)
{
    writeJpeg("good.jpg", {100, 80});
    writeAll(file("bad.jpg"), "not a picture");
    CliRun run = runCli({"batch-resize", "--box", "50x50", file("bad.jpg"), file("good.jpg"), file("gone.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("Image incorrecte (" + file("bad.jpg").toLocal8Bit() + ")"));
    EXPECT_TRUE(run.errors.contains("gone.bmp"));
    EXPECT_EQ(loaded(file("good(1).jpg")).size(), QSize(50, 40)); // the others still go through
    for (const char *box : {"0x50", "50x0", "50", "ax50"})
        EXPECT_EQ(runCli({"batch-resize", "--box", box, file("good.jpg")}).exitCode, 1) << box;
    EXPECT_EQ(runCli({"batch-resize", "--box", "50x50", "--filter", "8", file("good.jpg")}).exitCode, 1);
    EXPECT_EQ(runCli({"batch-resize", "--box", "50x50", "--copy", file("nowhere"), file("good.jpg")}).exitCode, 1);
}

TEST_F(CliToolsTest, ConvertJpegSkipsExistingTargetsUnlessToldToReplaceThem)
{
    writeBmp(file("x.bmp"), numbered(64, 48));
    writeAll(file("x.jpg"), "old");
    for (const char *quality : {"0", "101", "abc"})
        EXPECT_EQ(runCli({"convert-jpeg", "--quality", quality, "--to", m_dir.path(), file("x.bmp")}).exitCode, 1);
    EXPECT_EQ(runCli({"convert-jpeg", file("x.bmp")}).exitCode, 1); // no folder

    CliRun run = runCli({"convert-jpeg", "--to", m_dir.path(), file("x.bmp")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(readAll(file("x.jpg")), "old");
    run = runCli({"convert-jpeg", "--quality", "50", "--to", m_dir.path(), "--yes", file("x.bmp")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(loaded(file("x.jpg")).size(), QSize(64, 48));

    writeAll(file("y.tga"), "broken");
    QDir(m_dir.path()).mkdir("out");
    run = runCli({"convert-jpeg", "--to", file("out"), file("y.tga"), file("x.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("y.tga"));
    EXPECT_EQ(names(file("out")), QStringList{"x.jpg"});
}
