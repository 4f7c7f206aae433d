// The thumbnail cache: a hit gives the very pixels a fresh thumbnail has; a changed file
// or other settings never find the old entry; damaged entries are dropped and made again;
// the folder stays under its bound, entries used longest ago going first.
#include "imaging/jpeg_codec.h"
#include "imaging/scan/picture_loading.h"
#include "imaging/scan/thumbnail_cache.h"
#include "tests/readers/oriented_files.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>
#include <zlib.h>

using namespace editor;

namespace {

QImage gradient(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(255 * x / width, 255 * y / height, (x * y) % 256));
    return picture;
}

// A thumbnail that deflate cannot shrink, so that entry sizes are known.
TEnrData noisyEntry(int seed)
{
    QRandomGenerator random(quint32(seed + 1));
    TEnrData entry;
    entry.width = 4000;
    entry.height = 3000;
    entry.thumbnail = QImage(100, 75, QImage::Format_BGR888);
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 300; ++x)
            entry.thumbnail.scanLine(y)[x] = uchar(random.generate());
    return entry;
}

void setLastWrite(const QString &path, qint64 seconds)
{
    const decltype(std::declval<struct stat>().st_mtim) times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QStringList entryFiles(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

class ThumbnailCacheTest : public ::testing::Test {
protected:
    QString picture(const QString &name, const QByteArray &bytes)
    {
        const QString path = pictures.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    QString jpeg(const QString &name, int width, int height)
    {
        return picture(name, *imaging::encodeJpeg(gradient(width, height), 90));
    }
    ThumbnailKey keyOf(const QString &path, bool filterOk = true, bool upright = true)
    {
        return {path, *stampOf(path), filterOk, upright};
    }

    QTemporaryDir pictures;
    QTemporaryDir cacheDir;
    ThumbnailCache cache{cacheDir.filePath(QStringLiteral("thumbnails")), 10'000'000};
};

TEST_F(ThumbnailCacheTest, AHitGivesExactlyTheFreshThumbnail)
{
    QImage alpha(160, 90, QImage::Format_ARGB32);
    alpha.fill(qRgba(200, 40, 10, 90));
    const QStringList paths = {
        jpeg(QStringLiteral("large.jpg"), 1200, 900),
        jpeg(QStringLiteral("small.jpg"), 60, 40),
        picture(QStringLiteral("turned.jpg"),
                oriented_test::jpegWithOrientation(oriented_test::blocks(80), 6)),
        picture(QStringLiteral("alpha.png"), [&] {
            QByteArray png;
            QBuffer buffer(&png);
            alpha.save(&buffer, "PNG");
            return png;
        }()),
        picture(QStringLiteral("alpha.bmp"), [&] { // a Windows bitmap keeps its 32 bits
            QByteArray bmp;
            QBuffer buffer(&bmp);
            alpha.save(&buffer, "BMP");
            return bmp;
        }()),
    };
    for (const QString &path : paths)
        for (bool filterOk : {true, false})
            for (bool upright : {true, false}) {
                const auto orienting = upright ? imaging::Orienting::Upright : imaging::Orienting::AsStored;
                const auto fresh = loadThumbnailEntry(path, filterOk, orienting);
                ASSERT_TRUE(fresh) << path.toStdString();
                const auto made = loadThumbnailEntryCached(path, filterOk, upright, &cache);
                const auto hit = cache.find(keyOf(path, filterOk, upright));
                ASSERT_TRUE(hit) << path.toStdString() << filterOk << upright;
                for (const auto *e : {&*made, &*hit}) {
                    EXPECT_EQ(e->thumbnail, fresh->thumbnail) << path.toStdString() << filterOk << upright;
                    EXPECT_EQ(e->thumbnail.format(), fresh->thumbnail.format());
                    EXPECT_EQ(QSize(e->width, e->height), QSize(fresh->width, fresh->height));
                    EXPECT_EQ(e->fileSize, fresh->fileSize);
                }
                EXPECT_EQ(loadThumbnailEntryCached(path, filterOk, upright, &cache)->thumbnail, fresh->thumbnail);
            }
    // The turned photo's entry is upright only under its own setting.
    const QString turned = paths[2];
    EXPECT_EQ(cache.find(keyOf(turned, true, true))->thumbnail.size(), QSize(67, 100));
    EXPECT_EQ(cache.find(keyOf(turned, true, false))->thumbnail.size(), QSize(100, 67));
}

TEST_F(ThumbnailCacheTest, AChangedFileNeverFindsItsOldEntry)
{
    const QString path = jpeg(QStringLiteral("photo.jpg"), 400, 300);
    setLastWrite(path, 1'600'000'000);
    ASSERT_TRUE(loadThumbnailEntryCached(path, true, true, &cache));
    const ThumbnailKey first = keyOf(path);
    ASSERT_TRUE(cache.find(first));
    // Other settings, another entry.
    EXPECT_FALSE(cache.find(keyOf(path, false, true)));
    EXPECT_FALSE(cache.find(keyOf(path, true, false)));

    // The same size, another time: a picture drawn over in place.
    picture(QStringLiteral("photo.jpg"), *imaging::encodeJpeg(gradient(300, 400), 90));
    setLastWrite(path, 1'600'000'100);
    EXPECT_NE(keyOf(path).stamp, first.stamp);
    EXPECT_FALSE(cache.find(keyOf(path)));
    EXPECT_EQ(loadThumbnailEntryCached(path, true, true, &cache)->thumbnail.size(), QSize(75, 100));

    // Same size and time, but rewritten through a temporary file: a new file.
    const QByteArray same = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const ThumbnailKey before = keyOf(path);
    const QString temporary = picture(QStringLiteral("photo.jpg.new"), same);
    setLastWrite(temporary, 1'600'000'100);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(temporary, path));
    EXPECT_EQ(keyOf(path).stamp.size, before.stamp.size);
    EXPECT_EQ(keyOf(path).stamp.modifiedNs, before.stamp.modifiedNs);
    EXPECT_FALSE(cache.find(keyOf(path)));

    // Only regular files have a stamp.
    EXPECT_FALSE(stampOf(pictures.filePath(QStringLiteral("none.jpg"))));
    EXPECT_FALSE(stampOf(pictures.path()));
}

TEST_F(ThumbnailCacheTest, DamagedEntriesAreIgnoredRemovedAndMadeAgain)
{
    const QString path = jpeg(QStringLiteral("photo.jpg"), 800, 600);
    const auto fresh = loadThumbnailEntryCached(path, true, true, &cache);
    const QString entry = cache.entryPath(keyOf(path));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    auto damage = [&](const QByteArray &bytes) {
        QFile out(entry);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    };
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);
    QByteArray otherKey = good;
    otherKey[40] = char(otherKey[40] ^ 1); // a byte of the key's text, CRC made right again
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(otherKey.constData()), uInt(otherKey.size() - 4)));
    qToLittleEndian(crc, otherKey.data() + otherKey.size() - 4);
    for (const QByteArray &bad : {flipped, good.first(good.size() / 2), good.first(10), QByteArray(), otherKey,
                                  QByteArray(good.size(), '\0')}) {
        damage(bad);
        EXPECT_FALSE(cache.find(keyOf(path))) << bad.size();
        EXPECT_FALSE(QFile::exists(entry));
        const auto again = loadThumbnailEntryCached(path, true, true, &cache);
        EXPECT_EQ(again->thumbnail, fresh->thumbnail);
        EXPECT_TRUE(cache.find(keyOf(path)));
    }
    // A write that never ended leaves only its temporary file, never taken for the entry.
    ASSERT_TRUE(QFile::remove(entry));
    damage(good.first(good.size() - 7));
    ASSERT_TRUE(QFile::rename(entry, entry + QStringLiteral(".4242.1.part")));
    EXPECT_FALSE(cache.find(keyOf(path)));
}

TEST_F(ThumbnailCacheTest, TheFolderStaysUnderItsBoundOldestUseFirst)
{
    const qint64 entrySize = [] {
        QTemporaryDir d;
        ThumbnailCache probe(d.path(), 1 << 30);
        probe.store({QStringLiteral("/p/0.jpg"), {1, 1, 1, 1}}, noisyEntry(0));
        return probe.storedBytes();
    }();
    ASSERT_GT(entrySize, 20000);
    ThumbnailCache bounded(cacheDir.filePath(QStringLiteral("bounded")), 10 * entrySize + entrySize / 2);
    auto key = [](int i) { return ThumbnailKey{QStringLiteral("/p/%1.jpg").arg(i), {1000 + i, 1, 1, quint64(i)}}; };
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(bounded.store(key(i), noisyEntry(i)));
        setLastWrite(bounded.entryPath(key(i)), 1'700'000'000 + i);
    }
    EXPECT_NEAR(double(bounded.storedBytes()), 10.0 * entrySize, 0.02 * entrySize);
    ASSERT_TRUE(bounded.find(key(0))); // used now: the newest use
    ASSERT_TRUE(bounded.store(key(10), noisyEntry(10)));
    ASSERT_TRUE(bounded.store(key(11), noisyEntry(11)));
    EXPECT_LE(bounded.storedBytes(), bounded.boundBytes());
    EXPECT_TRUE(bounded.find(key(0)));
    EXPECT_TRUE(bounded.find(key(11)));
    EXPECT_FALSE(bounded.find(key(1))); // used longest ago
    EXPECT_FALSE(bounded.find(key(2)));
    int kept = 0;
    for (int i = 0; i <= 11; ++i)
        kept += bounded.find(key(i)) ? 1 : 0;
    EXPECT_EQ(kept, qRound(double(bounded.storedBytes()) / entrySize));

    // Another cache on the same folder (another program) keeps it under the bound as well.
    ThumbnailCache other(cacheDir.filePath(QStringLiteral("bounded")), 10 * entrySize + entrySize / 2);
    for (int i = 20; i < 40; ++i)
        ASSERT_TRUE(other.store(key(i), noisyEntry(i)));
    EXPECT_LE(other.storedBytes(), other.boundBytes());
}

TEST_F(ThumbnailCacheTest, ANoughtBoundKeepsNothingAndTheUserFolderFollowsXdg)
{
    ThumbnailCache off(cacheDir.filePath(QStringLiteral("off")), 0);
    const QString path = jpeg(QStringLiteral("photo.jpg"), 300, 200);
    EXPECT_FALSE(off.enabled());
    EXPECT_FALSE(off.store(keyOf(path), noisyEntry(1)));
    EXPECT_TRUE(loadThumbnailEntryCached(path, true, true, &off));
    EXPECT_FALSE(QFile::exists(cacheDir.filePath(QStringLiteral("off"))));
    off.trim();

    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", "/var/tmp/caches");
    EXPECT_EQ(ThumbnailCache::userFolder(), QStringLiteral("/var/tmp/caches/lumivelle/thumbnails"));
    qputenv("XDG_CACHE_HOME", "relative/caches");
    EXPECT_EQ(ThumbnailCache::userFolder(), QDir::homePath() + QStringLiteral("/.cache/lumivelle/thumbnails"));
    qunsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(ThumbnailCache::userFolder(), QDir::homePath() + QStringLiteral("/.cache/lumivelle/thumbnails"));
    if (saved.isNull())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", saved);
    EXPECT_EQ(entryFiles(cacheDir.path()).size(), 0);
}

} // namespace
