// lumivelle-cli album dump and album add.
#include "documents/album/album_list.h"
#include "documents/album/ccl_format.h"
#include "tests/cli_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct AlbumRun {
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

AlbumRun runAlbum(const QStringList &arguments)
{
    const CliRun run = runCli(QStringList{QStringLiteral("album")} + arguments);
    return {run.exitCode, QString::fromUtf8(run.output).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(run.errors).split(u'\n', Qt::SkipEmptyParts)};
}

QString fixture(const QString &name)
{
    return QStringLiteral(LUMIVELLE_FIXTURES "/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AlbumCli, DumpShowsEveryRecordAndTheVerdict)
{
    const AlbumRun run = runAlbum({"dump", fixture("documents/vacances.ccl")});
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.out.size(), 5);
    EXPECT_EQ(run.out[0], QStringLiteral("en-tête\t9:Lumivelle\t4:3000\t2"));
    EXPECT_EQ(run.out[1], QStringLiteral("enregistrement\t1\t/photos/Été/plage.jpg\t4000\t3000\t2600000\tSaint-Malo\t"
                                         "2007:08:09 10:11:12\tEASTMAN KODAK COMPANYKODAK DX4530\tOui\t5,8 (32 mm)\t\t"
                                         "5,6\tVacances 2007\tmer\tjpeg=770\t100x75"));
    EXPECT_TRUE(run.out[2].endsWith(QStringLiteral("\tjpeg=0\tignoré")));
    EXPECT_TRUE(run.out[3].endsWith(QStringLiteral("\tchat\tjpeg=770\t75x100")));
    EXPECT_EQ(run.out[4], QStringLiteral("verdict\tchargé\t2 entrées"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(AlbumCli, DumpOfARefusedFileExitsWithOneLine)
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath("abîmé.ccl");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(readAll(fixture("documents/vacances.ccl")).chopped(100));
    file.close();
    AlbumRun run = runAlbum({"dump", damaged});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.err.size(), 1);
    EXPECT_TRUE(run.err[0].contains(QStringLiteral("Fichier non compatible avec cette version de Lumivelle")));
    EXPECT_TRUE(run.out.last().endsWith(QStringLiteral("tronqué")));

    const QString empty = dir.filePath("vide.ccl");
    ASSERT_TRUE(album::writeAlbumFile(empty, album::AlbumList{}));
    run = runAlbum({"dump", empty});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.size(), 1);
    EXPECT_EQ(run.out, QStringList({"en-tête\t9:Lumivelle\t4:3000\t0"}));
}

TEST(AlbumCli, AddStoresAbsolutePathsAndExifAndReportsFailures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(fixture("exif/exif_II_canon_flash1.jpg"), dir.filePath("canon.jpg")));
    ASSERT_TRUE(QFile::copy(fixture("images/png/png_rgb8_64x48.png"), dir.filePath("image.png")));
    QFile broken(dir.filePath("cassée.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("pas une image");
    broken.close();

    QProcess process;
    process.setWorkingDirectory(dir.path()); // relative names become absolute paths
    process.start(QStringLiteral(LUMIVELLE_BIN_DIR "/lumivelle-cli"),
                  {"album", "add", "album.ccl", "canon.jpg", "image.png", "cassée.jpg", "absente.jpg", "canon.jpg",
                   "--locale", "fr_FR"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    const QStringList errors = QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("cassée.jpg")));
    EXPECT_TRUE(errors[1].endsWith(QStringLiteral("absente.jpg")));

    album::AlbumList list;
    ASSERT_TRUE(album::loadAlbumFile(dir.filePath("album.ccl"), list));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.path(0), QDir(dir.path()).absoluteFilePath("canon.jpg"));
    EXPECT_EQ(list.entry(0).focal, QStringLiteral("7,8 (43 mm)"));
    EXPECT_EQ(list.entry(0).camera, QStringLiteral("CanonCanon PowerShot A80"));
    EXPECT_EQ(list.entry(0).width, 64);
    EXPECT_EQ(list.entry(1).thumbnail.size(), QSize(64, 48));

    // Adding to the existing album: a path already there is skipped; a name in another
    // script is kept whole.
    const QString cyrillic = dir.filePath(QStringLiteral("зима.jpg"));
    ASSERT_TRUE(QFile::copy(fixture("exif/exif_II_flash16_exp025.jpg"), cyrillic));
    const AlbumRun again = runAlbum({"add", dir.filePath("album.ccl"), dir.filePath("image.png"), cyrillic});
    EXPECT_EQ(again.exitCode, 0);
    album::AlbumList after;
    ASSERT_TRUE(album::loadAlbumFile(dir.filePath("album.ccl"), after));
    ASSERT_EQ(after.count(), 3);
    EXPECT_EQ(after.path(2), cyrillic);
    EXPECT_EQ(after.entry(2).speed, QStringLiteral("1/4"));
}

TEST(AlbumCli, AddNeverWritesAnEmptyAlbumNorTouchesARefusedOne)
{
    QTemporaryDir dir;
    AlbumRun run = runAlbum({"add", dir.filePath("rien.ccl"), dir.filePath("absente.jpg")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("rien.ccl")));

    const QString foreign = dir.filePath("autre.ccl");
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ce n'est pas un album du tout, mais un texte");
    file.close();
    run = runAlbum({"add", foreign, fixture("exif/exif_II_canon_flash1.jpg")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(readAll(foreign), QByteArray("ce n'est pas un album du tout, mais un texte"));

    const QString locked = dir.filePath("verrou.ccl");
    ASSERT_TRUE(QFile::copy(fixture("documents/vacances.ccl"), locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    run = runAlbum({"add", locked, fixture("exif/exif_II_canon_flash1.jpg")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.err.size(), 1);
    EXPECT_TRUE(run.err[0].contains(QStringLiteral("lecture seule")));
    EXPECT_EQ(readAll(locked), readAll(fixture("documents/vacances.ccl")));
}
