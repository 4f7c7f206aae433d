// What the album explorer lists, and the preview it draws.
#include "album_test_support.h"
#include "documents/album/album_folder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace album;
using namespace album_test;

namespace {

QByteArray albumBytes(int headerCount, const QByteArray &records)
{
    return encodeCclHeader(headerCount) + records;
}

QStringList namesIn(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

} // namespace

TEST(AlbumFolder, ListsTheAlbumsTheExplorerCanOpen)
{
    QTemporaryDir dir;
    const QByteArray one = recordBytes("/a.jpg", entryWith(100, 75, 1));
    ASSERT_TRUE(writeBytes(dir.filePath("vacances.ccl"), albumBytes(5, one))); // count differs from records
    ASSERT_TRUE(writeBytes(dir.filePath("Anniversaire.ccl"), albumBytes(1, one)));
    ASSERT_TRUE(writeBytes(dir.filePath("vide.ccl"), albumBytes(0, QByteArray())));
    ASSERT_TRUE(writeBytes(dir.filePath("premier_vide.ccl"), albumBytes(2, emptyRecordBytes("/x.jpg") + one)));
    ASSERT_TRUE(writeBytes(dir.filePath("texte.ccl"), "pas un album"));
    ASSERT_TRUE(writeBytes(dir.filePath("tronqué.ccl"), albumBytes(1, one.left(700))));
    ASSERT_TRUE(writeBytes(dir.filePath("sansccl"), albumBytes(1, one)));
    ASSERT_TRUE(writeBytes(dir.filePath(".cache.ccl"), albumBytes(1, one)));
    ASSERT_TRUE(QDir(dir.path()).mkdir("dossier.ccl"));

    const QStringList files = albumFilesIn(dir.path());
    EXPECT_EQ(namesIn(files), QStringList({"Anniversaire.ccl", "premier_vide.ccl", "texte.ccl", "tronqué.ccl",
                                           "vacances.ccl", "vide.ccl"}));
    QStringList listed;
    QList<int> counts;
    for (const QString &file : files)
        if (const auto summary = readAlbumSummary(file)) {
            listed << summary->name;
            counts << summary->photoCount;
        }
    EXPECT_EQ(listed, QStringList({"Anniversaire", "vacances"}));
    EXPECT_EQ(counts, QList<int>({1, 5})); // the header's count, not the records'
    EXPECT_TRUE(albumFilesIn(dir.filePath("absent")).isEmpty());
}

TEST(AlbumFolder, PreviewCentresTheThumbnailInAGreyFrame)
{
    const QImage preview = makeAlbumPreview(plainThumbnail(100, 76, Qt::red));
    ASSERT_EQ(preview.size(), QSize(100, 100));
    // (100 - 76) div 2 = 12: rows 12 to 87 hold the thumbnail, white above and below.
    EXPECT_EQ(preview.pixel(50, 11), qRgb(255, 255, 255));
    EXPECT_EQ(preview.pixel(50, 12), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(50, 87), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(50, 88), qRgb(255, 255, 255));
    for (QPoint frame : {QPoint(0, 0), QPoint(99, 50), QPoint(50, 99), QPoint(0, 50), QPoint(50, 0)})
        EXPECT_EQ(preview.pixel(frame), qRgb(128, 128, 128)) << frame.x() << "," << frame.y();

    const QImage narrow = makeAlbumPreview(plainThumbnail(33, 100, Qt::blue));
    EXPECT_EQ(narrow.pixel(32, 50), qRgb(255, 255, 255)); // (100 - 33) div 2 = 33
    EXPECT_EQ(narrow.pixel(33, 50), qRgb(0, 0, 255));
    EXPECT_EQ(narrow.pixel(65, 50), qRgb(0, 0, 255));
    EXPECT_EQ(narrow.pixel(66, 50), qRgb(255, 255, 255));
}

TEST(AlbumFolder, SilverIsDrawnTransparent)
{
    QImage preview = makeAlbumPreview(plainThumbnail(10, 10, QColor(0xC0, 0xC0, 0xC0)));
    const QImage drawn = withSilverTransparent(preview);
    EXPECT_EQ(qAlpha(drawn.pixel(50, 50)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(20, 20)), 255);
    EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 255);
}

TEST(AlbumFolder, PathOfANamedAlbum)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(albumPathInFolder("/albums", "vacances"), "/albums" + sep + "vacances.ccl");
    EXPECT_EQ(albumPathInFolder("/albums/", "vacances"), QStringLiteral("/albums/vacances.ccl"));
}
