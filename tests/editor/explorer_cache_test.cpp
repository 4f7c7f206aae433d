// The explorer and the thumbnail cache: a folder seen before shows its thumbnails without
// decoding its files again, a changed file is read again, "Actualiser" makes every
// thumbnail afresh and keeps the new one. Large folders are listed by name first and keep
// only some thumbnails in memory; the others come back from the cache unchanged.
#include "editor/explorer/image_explorer.h"
#include "imaging/scan/picture_loading.h"
#include "explorer_on_screen.h"
#include "explorer_test_support.h"

#include <QBuffer>
#include <QDirIterator>
#include <QSignalSpy>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

using namespace editor;
using namespace explorer_test;

namespace {

// A picture whose pixels differ from one `seed` to another; every one of a size has the
// same file size once saved as BMP.
QImage pattern(int width, int height, int seed)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb((x * 37 + seed * 61) % 256, (y * 53 + seed * 17) % 256, (seed * 29) % 256));
    return picture;
}

// A file's last-write time, to the nanosecond.
using FileTime = decltype(std::declval<struct stat>().st_mtim);

FileTime lastWrite(const QString &path)
{
    struct stat status {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    return status.st_mtim;
}

void setLastWrite(const QString &path, FileTime when)
{
    const FileTime times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Writes `bytes` over the file in place (same file, same size) and gives it back its time:
// only its contents tell it changed.
void overwriteKeepingStamp(const QString &path, const QByteArray &bytes)
{
    const FileTime before = lastWrite(path);
    QFile file(path);
    ASSERT_EQ(file.size(), bytes.size());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    setLastWrite(path, before);
}

QByteArray bmpBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

class ExplorerCacheTest : public ExplorerOnScreenTest {
protected:
    void SetUp() override
    {
        m_oldCacheHome = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8()); // a cache of this test's own
        ExplorerOnScreenTest::SetUp();
    }
    void TearDown() override { qputenv("XDG_CACHE_HOME", m_oldCacheHome); }

    QString bmp(const QString &name, const QImage &picture)
    {
        const QString path = file(name);
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }
    int cacheEntries() const
    {
        int count = 0;
        QDirIterator it(cacheHome.path(), {QStringLiteral("*.thumb")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            ++count;
        }
        return count;
    }
    QImage shown(const QString &path)
    {
        const ExplorerList &list = explorer.list();
        for (int i = 0; i < list.count(); ++i)
            if (list.path(i) == path)
                return list.entryWithThumbnail(i).thumbnail;
        return {};
    }
    static QImage fresh(const QString &path, bool filterOk = true)
    {
        auto entry = loadThumbnailEntry(path, filterOk);
        return entry ? entry->thumbnail : QImage();
    }

    QTemporaryDir cacheHome;

private:
    QByteArray m_oldCacheHome;
};

TEST_F(ExplorerCacheTest, AFolderSeenBeforeIsNotDecodedAgainUnlessAFileChanged)
{
    const QString a = bmp(QStringLiteral("a.bmp"), pattern(240, 160, 1));
    const QString b = bmp(QStringLiteral("b.bmp"), pattern(240, 160, 2));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    const QImage first = shown(a);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first, fresh(a));
    EXPECT_EQ(cacheEntries(), 2);

    // Same file, same size, same time, other bytes: only a cache hit still lists it with
    // the old pixels (decoding the bytes now fails).
    overwriteKeepingStamp(a, QByteArray(QFile(a).size(), 'x'));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(paths(explorer.list()), (QStringList{a, b}));
    EXPECT_EQ(shown(a), first);
    EXPECT_EQ(explorer.list().entry(0).width, 240);

    // Another picture of the same size with another time is read again.
    const QImage other = pattern(240, 160, 3);
    overwriteKeepingStamp(a, bmpBytes(other));
    setLastWrite(a, {lastWrite(a).tv_sec + 10, 0});
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(shown(a), fresh(a));
    EXPECT_NE(shown(a), first);

    // A file that grew is read again too.
    bmp(QStringLiteral("b.bmp"), pattern(300, 160, 4));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(explorer.list().entry(1).width, 300);
    EXPECT_EQ(shown(b), fresh(b));

    // Other settings make other thumbnails: the garbage of the same stamp is decoded.
    overwriteKeepingStamp(a, QByteArray(QFile(a).size(), 'y'));
    settings.FilterOk = false;
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(paths(explorer.list()), QStringList{b});
}

TEST_F(ExplorerCacheTest, ActualiserMakesEveryThumbnailAfreshAndKeepsTheNewOne)
{
    const QString a = bmp(QStringLiteral("a.bmp"), pattern(240, 160, 1));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    const QImage before = shown(a);

    // The picture changes without its stamp changing: a plain visit keeps the old
    // thumbnail, "Actualiser" reads the file.
    overwriteKeepingStamp(a, bmpBytes(pattern(240, 160, 5)));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(shown(a), before);
    explorer.ActualiserExecute();
    const QImage after = shown(a);
    EXPECT_EQ(after, fresh(a));
    EXPECT_NE(after, before);

    // What "Actualiser" made replaced the cache entry: the next visit finds it even when
    // the file can no longer be decoded.
    overwriteKeepingStamp(a, QByteArray(QFile(a).size(), 'z'));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(shown(a), after);
    EXPECT_EQ(cacheEntries(), 1);
}

TEST_F(ExplorerCacheTest, TheThumbnailRefreshReplacesWhatTheCacheKept)
{
    const QString a = bmp(QStringLiteral("a.bmp"), pattern(240, 160, 1));
    ASSERT_TRUE(explorer.folderSelected(dir.path())); // a is current and selected
    const QImage before = shown(a);
    overwriteKeepingStamp(a, bmpBytes(pattern(240, 160, 6)));
    explorer.RefreshVignetteExecute();
    const QImage after = shown(a);
    EXPECT_EQ(after, fresh(a));
    EXPECT_NE(after, before);
    overwriteKeepingStamp(a, QByteArray(QFile(a).size(), 'z'));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(shown(a), after);
}

TEST_F(ExplorerCacheTest, ACacheBoundOfZeroKeepsNothing)
{
    settings.ThumbCacheMB = 0;
    const QString a = bmp(QStringLiteral("a.bmp"), pattern(240, 160, 1));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(shown(a), fresh(a));
    EXPECT_EQ(cacheEntries(), 0);
    overwriteKeepingStamp(a, QByteArray(QFile(a).size(), 'x'));
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_TRUE(explorer.list().isEmpty());
}

class LargeFolderTest : public ExplorerCacheTest {
protected:
    static constexpr int kPictures = 60;
    static constexpr int kBudget = 8;

    void SetUp() override
    {
        ExplorerCacheTest::SetUp();
        explorer.setNamesFirstFrom(10);
        explorer.list().setThumbnailBudget(kBudget);
        for (int i = 0; i < kPictures; ++i)
            bmp(QStringLiteral("p%1.bmp").arg(i, 3, 10, QLatin1Char('0')), pattern(16 + i % 7, 12, i));
        QFile broken(file(QStringLiteral("p500.jpg")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8 not a picture");
        // The first time the count is not zero: how many entries the list held, and how
        // many of them had their thumbnail.
        QObject::connect(&explorer, &ImageExplorer::countChanged, &explorer, [this](const QString &text) {
            if (listedFirst >= 0 || text == explorerCountText(0))
                return;
            listedFirst = explorer.list().count();
            for (int i = 0; i < explorer.list().count(); ++i)
                madeFirst += ExplorerList::isWaiting(explorer.list().entry(i)) ? 0 : 1;
            busyFirst = explorer.isBusy();
            if (stopAtOnce)
                explorer.list().cancel = true;
        });
    }
    // Every entry, from memory or brought back, has the thumbnail its file gives.
    void expectEveryThumbnailFresh()
    {
        const ExplorerList &list = explorer.list();
        for (int i = 0; i < list.count(); ++i)
            ASSERT_EQ(list.entryWithThumbnail(i).thumbnail, fresh(list.path(i))) << i;
    }

    int listedFirst = -1;
    int madeFirst = 0;
    bool busyFirst = false;
    bool stopAtOnce = false;
};

TEST_F(LargeFolderTest, NamesComeFirstAndOnlyAWindowOfThumbnailsStaysInMemory)
{
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(listedFirst, kPictures + 1);
    EXPECT_EQ(madeFirst, 0);
    EXPECT_TRUE(busyFirst);

    // The unreadable file left the list once the scan ended; the first entry is current.
    ExplorerList &list = explorer.list();
    ThumbnailGrid &grid = *explorer.GrilleImage();
    ASSERT_EQ(list.count(), kPictures);
    EXPECT_EQ(list.state().currentIndex, 0);
    EXPECT_EQ(selected(list), std::vector<int>{0});
    EXPECT_FALSE(list.state().busy);

    auto [first, last] = grid.visibleRange();
    ASSERT_LT(last - first + 1 + kBudget, kPictures) << "the grid shows too many cells for this test";
    grid.viewport()->repaint();
    for (int i = first; i <= last; ++i)
        EXPECT_FALSE(list.entry(i).thumbnail.isNull()) << i;
    EXPECT_LE(list.thumbnailsInMemory(), last - first + 1 + kBudget);

    // Scrolled to the end: the cells drawn get theirs back, the top ones leave memory.
    grid.scrollToIndex(kPictures - 1);
    grid.viewport()->repaint();
    std::tie(first, last) = grid.visibleRange();
    EXPECT_EQ(last, kPictures - 1);
    for (int i = first; i <= last; ++i)
        EXPECT_FALSE(list.entry(i).thumbnail.isNull()) << i;
    EXPECT_LE(list.thumbnailsInMemory(), last - first + 1 + kBudget);
    expectEveryThumbnailFresh();
    EXPECT_LE(list.thumbnailsInMemory(), last - first + 1 + kBudget); // copies took nothing in
}

TEST_F(LargeFolderTest, ThumbnailsTheCacheLostAreMadeAgainAfterTheCellsAreDrawn)
{
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    ASSERT_TRUE(QDir(cacheHome.filePath(QStringLiteral("lumivelle"))).removeRecursively());
    ThumbnailGrid &grid = *explorer.GrilleImage();
    const ExplorerList &list = explorer.list();
    grid.scrollToIndex(kPictures - 1);
    grid.viewport()->repaint();
    const auto [first, last] = grid.visibleRange();
    auto missing = [&] {
        int count = 0;
        for (int i = first; i <= last; ++i)
            count += list.entry(i).thumbnail.isNull() ? 1 : 0;
        return count;
    };
    EXPECT_GT(missing(), 0); // drawing decoded nothing: they come later
    ASSERT_TRUE(QTest::qWaitFor([&] { return missing() == 0; }, 5000));
    for (int i = first; i <= last; ++i)
        EXPECT_EQ(list.entry(i).thumbnail, fresh(list.path(i))) << i;
    EXPECT_EQ(list.entry(first).width, 16 + first % 7);
}

TEST_F(LargeFolderTest, WithoutACacheEveryThumbnailStaysInMemory)
{
    settings.ThumbCacheMB = 0;
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    ASSERT_EQ(explorer.list().count(), kPictures);
    EXPECT_EQ(explorer.list().thumbnailsInMemory(), kPictures);
    expectEveryThumbnailFresh();
}

TEST_F(LargeFolderTest, EscapeKeepsOnlyThePicturesRead)
{
    stopAtOnce = true;
    QSignalSpy counts(&explorer, &ImageExplorer::countChanged);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    const ExplorerList &list = explorer.list();
    EXPECT_LT(list.count(), kPictures);
    for (int i = 0; i < list.count(); ++i)
        EXPECT_GT(list.entry(i).width, 0) << i;
    EXPECT_EQ(counts.last().at(0).toString(), explorerCountText(list.count()));
    EXPECT_FALSE(list.state().busy);
}

} // namespace
