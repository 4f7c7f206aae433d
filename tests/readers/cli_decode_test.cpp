// lumivelle-cli decode and formats: every fixture comes out as a PNG of the same pixels
// the readers give, and the extension list prints in the program's order.
#include "imaging/readers/picture_loader.h"
#include "oriented_files.h"
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

// A photo stored 64 x 32 with orientation 8 is written 32 x 64 by decode and thumbnail,
// as stored with --as-stored; --at-least asks a reduced decode of the upright picture.
TEST(CliDecode, PhotosComeUprightUnlessAskedAsStored)
{
    QTemporaryDir dir;
    const QImage upright = oriented_test::blocks(16).transformed(QTransform().rotate(90)).convertToFormat(QImage::Format_BGR888);
    const QString in = dir.filePath(QStringLiteral("photo.jpg"));
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(oriented_test::jpegWithOrientation(oriented_test::storedFor(upright, imaging::Orientation::Rotate270), 8));
    file.close();
    auto sizeOf = [&](const QStringList &arguments) {
        const QString out = dir.filePath(QStringLiteral("out.png"));
        QFile::remove(out);
        const CliRun run = runCli(QStringList(arguments).replaceInStrings(QStringLiteral("OUT"), out));
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return QImageReader(out).size();
    };
    EXPECT_EQ(sizeOf({QStringLiteral("decode"), in, QStringLiteral("OUT")}), QSize(32, 48));
    EXPECT_EQ(sizeOf({QStringLiteral("decode"), in, QStringLiteral("OUT"), QStringLiteral("--as-stored")}), QSize(48, 32));
    EXPECT_EQ(sizeOf({QStringLiteral("decode"), in, QStringLiteral("OUT"), QStringLiteral("--at-least"), QStringLiteral("16x24")}),
              QSize(16, 24));
    EXPECT_EQ(sizeOf({QStringLiteral("thumbnail"), in, QStringLiteral("OUT")}), QSize(32, 48));
    EXPECT_EQ(sizeOf({QStringLiteral("thumbnail"), in, QStringLiteral("OUT"), QStringLiteral("--as-stored")}), QSize(48, 32));
    const QImage decoded = QImageReader(dir.filePath(QStringLiteral("out.png"))).read();
    EXPECT_LE(oriented_test::blockCentreDifference(decoded, oriented_test::storedFor(upright, imaging::Orientation::Rotate270), 16), 12);
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
