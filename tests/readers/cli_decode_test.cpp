// lumivelle-cli decode and formats: every fixture comes out as a PNG of the same pixels
// the readers give, and the extension list prints in the program's order.
#include "imaging/readers/picture_loader.h"
#include "tests/cli_run.h"

#include <QDirIterator>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CliDecode, WritesEveryFixtureAsThePngOfItsPicture)
{
    QTemporaryDir dir;
    QDirIterator it(QStringLiteral(LUMIVELLE_FIXTURES "/images"), QDir::Files, QDirIterator::Subdirectories);
    int decoded = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".pal")))
            continue;
        const QString out = dir.filePath(QStringLiteral("out%1.png").arg(decoded++));
        const CliRun run = runCli({QStringLiteral("decode"), path, out});
        ASSERT_EQ(run.exitCode, 0) << path.toStdString() << ": " << run.errors.toStdString();
        const auto expected = imaging::LoadPicture(path);
        ASSERT_TRUE(expected);
        const QImage written = QImageReader(out).read();
        ASSERT_EQ(written.size(), expected->image.size()) << path.toStdString();
        EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32), expected->image.convertToFormat(QImage::Format_ARGB32))
            << path.toStdString();
        EXPECT_TRUE(run.output.startsWith(QStringLiteral("%1x%2 ").arg(written.width()).arg(written.height()).toUtf8()));
    }
    EXPECT_GT(decoded, 130);
}

TEST(CliDecode, FailsWithAMessageOnFilesItCannotRead)
{
    QTemporaryDir dir;
    const CliRun missing = runCli({QStringLiteral("decode"), dir.filePath(QStringLiteral("none.bmp")), dir.filePath(QStringLiteral("o.png"))});
    const CliRun usage = runCli({QStringLiteral("decode"), QStringLiteral("only-one-argument")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errors.contains("none.bmp"));
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("o.png"))));
}

TEST(CliFormats, ListsTheExtensionsInOrderWithTheirReaders)
{
    const CliRun run = runCli({QStringLiteral("formats")});
    ASSERT_EQ(run.exitCode, 0);
    const QList<QByteArray> lines = run.output.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 37);
    EXPECT_TRUE(lines.first().startsWith("bmp "));
    EXPECT_TRUE(lines[4].startsWith("jpg ") && lines[4].contains("libjpeg-turbo"));
    EXPECT_TRUE(lines[13].startsWith("tiff ") && lines[13].contains("libtiff"));
    EXPECT_TRUE(lines.last().startsWith("png "));
    // The reader column lines up whatever accents the family names carry.
    const QString icon = QString::fromUtf8(lines[1]), jpeg = QString::fromUtf8(lines[4]);
    EXPECT_EQ(icon.indexOf(QLatin1String("interne")), jpeg.indexOf(QLatin1String("libjpeg-turbo")));
}

} // namespace
