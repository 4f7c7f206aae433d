// Which files a folder scan lists, and the entry each file gives: thumbnail size by the
// 100-pixel rule, the picture's full size, the file's size, reduced JPEG decodes.
#include "imaging/scan/picture_loading.h"
#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "explorer_test_support.h"
#include "tests/readers/oriented_files.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

namespace {

// A smooth picture: red grows to the right, green downwards, blue constant.
QImage gradient(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = 90;
            row[3 * x + 1] = uchar(255 * y / std::max(1, height - 1));
            row[3 * x + 2] = uchar(255 * x / std::max(1, width - 1));
        }
    }
    return picture;
}

class LoadingTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QString jpeg(const QString &name, int width, int height)
    {
        EXPECT_TRUE(imaging::saveJpegFile(gradient(width, height), path(name), 90).has_value());
        return path(name);
    }
    QString png(const QString &name, const QImage &picture)
    {
        EXPECT_TRUE(picture.save(path(name), "PNG"));
        return path(name);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(LoadingTest, ListsImageFilesOnlySortedWithoutRegardToCase)
{
    jpeg(QStringLiteral("a.JPG"), 8, 8);
    png(QStringLiteral("B.png"), gradient(8, 8));
    write(QStringLiteral("c.txt"), "text");
    jpeg(QStringLiteral(".d.jpg"), 8, 8); // hidden
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("e.jpg")));
    write(QStringLiteral("noextension"), "x");
    EXPECT_EQ(listImageNames(dir.path()), (QStringList{"a.JPG", "B.png"}));
    EXPECT_TRUE(listImageNames(dir.path() + QStringLiteral("/missing")).isEmpty());

    // A link to a picture is listed, a broken link, a link to a folder and a name ending
    // in a dot are not; names equal but for case keep one order.
    ASSERT_TRUE(QFile::link(path(QStringLiteral("a.JPG")), path(QStringLiteral("link.jpg"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("gone.png")), path(QStringLiteral("broken.jpg"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("e.jpg")), path(QStringLiteral("folder.jpg"))));
    write(QStringLiteral("dot."), "x");
    jpeg(QStringLiteral("A.jpg"), 8, 8);
    jpeg(QStringLiteral("b.Png"), 8, 8);
    EXPECT_EQ(listImageNames(dir.path()), (QStringList{"A.jpg", "a.JPG", "B.png", "b.Png", "link.jpg"}));

    EXPECT_EQ(pathInFolder(QStringLiteral("/pics"), QStringLiteral("a.jpg")), QStringLiteral("/pics/a.jpg"));
    EXPECT_EQ(pathInFolder(QStringLiteral("/pics/"), QStringLiteral("a.jpg")), QStringLiteral("/pics/a.jpg"));
}

TEST_F(LoadingTest, ThumbnailSizesFollowTheHundredPixelRule)
{
    struct Case {
        int width, height;
        QSize thumbnail;
    };
    for (const Case &c : {Case{100, 40, {100, 40}}, Case{400, 300, {100, 75}}, Case{300, 400, {75, 100}},
                          Case{1000, 15, {100, 2}}, Case{1000, 25, {100, 2}}, Case{4000, 300, {100, 8}}}) {
        const QString name = QStringLiteral("p%1x%2.jpg").arg(c.width).arg(c.height);
        for (bool filterOk : {true, false}) {
            const auto entry = loadThumbnailEntry(jpeg(name, c.width, c.height), filterOk);
            ASSERT_TRUE(entry) << name.toStdString();
            EXPECT_EQ(entry->thumbnail.size(), c.thumbnail) << name.toStdString();
            EXPECT_EQ(entry->width, c.width);
            EXPECT_EQ(entry->height, c.height);
            EXPECT_EQ(entry->fileSize, QFileInfo(path(name)).size());
            EXPECT_FALSE(entry->selected);
        }
    }
}

TEST_F(LoadingTest, SmallPictureIsItsOwnThumbnail)
{
    const QImage picture = gradient(100, 40);
    const auto entry = loadThumbnailEntry(png(QStringLiteral("small.png"), picture), true);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->thumbnail.convertToFormat(QImage::Format_BGR888), picture);
}

// The reduced decode must give the picture a full decode gives, within JPEG noise.
TEST_F(LoadingTest, ReducedJpegDecodeMatchesTheFullDecode)
{
    const QString file = jpeg(QStringLiteral("big.jpg"), 1800, 1200);
    const auto entry = loadThumbnailEntry(file, true);
    ASSERT_TRUE(entry);
    const auto full = imaging::loadJpegFile(file);
    ASSERT_TRUE(full);
    const QImage expected = imaging::MakeThumbnail(*full, true);
    ASSERT_EQ(entry->thumbnail.size(), expected.size());
    int worst = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width() * 3; ++x)
            worst = std::max(worst, std::abs(int(entry->thumbnail.constScanLine(y)[x]) - int(expected.constScanLine(y)[x])));
    EXPECT_LE(worst, 6);
}

TEST_F(LoadingTest, UnreadableVanishedAndTransparentFiles)
{
    write(QStringLiteral("broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg"));
    write(QStringLiteral("empty.png"), {});
    EXPECT_FALSE(loadThumbnailEntry(path(QStringLiteral("broken.jpg")), true));
    EXPECT_FALSE(loadThumbnailEntry(path(QStringLiteral("empty.png")), true));
    EXPECT_FALSE(loadThumbnailEntry(path(QStringLiteral("gone.png")), true));

    // Left half clear, right half opaque red: the clear part is drawn over white.
    QImage half(40, 30, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            half.setPixelColor(x, y, Qt::red);
    const auto entry = loadThumbnailEntry(png(QStringLiteral("half.png"), half), false);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->thumbnail.format(), QImage::Format_BGR888);
    EXPECT_EQ(entry->thumbnail.pixelColor(5, 15), QColor(Qt::white));
    EXPECT_EQ(entry->thumbnail.pixelColor(35, 15), QColor(Qt::red));
}

TEST_F(LoadingTest, FittedPreviewPicture)
{
    EXPECT_EQ(loadFittedPicture(jpeg(QStringLiteral("v.jpg"), 640, 480), {180, 160}, true).size(), QSize(180, 135));
    EXPECT_EQ(loadFittedPicture(jpeg(QStringLiteral("w.jpg"), 300, 600), {180, 400}, false).size(), QSize(180, 360));
    EXPECT_EQ(loadFittedPicture(jpeg(QStringLiteral("x.jpg"), 120, 90), {180, 160}, true).size(), QSize(120, 90));
    EXPECT_TRUE(loadFittedPicture(path(QStringLiteral("none.jpg")), {180, 160}, true).isNull());
}

} // namespace

namespace {

// Every fixture picture, in every format the readers know, gives an entry with the size
// the fixture list states and the thumbnail the rule gives for that size.
TEST(FixtureLoading, EveryFormatGivesItsEntry)
{
    const QString root = QStringLiteral(LUMIVELLE_FIXTURES);
    QFile manifest(root + QStringLiteral("/manifest.tsv"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
    manifest.readLine(); // column names
    int checked = 0;
    while (!manifest.atEnd()) {
        const QStringList columns = QString::fromUtf8(manifest.readLine()).split(u'\t');
        const bool picture = columns.size() >= 6 && columns[0].startsWith(QStringLiteral("images/"));
        if (!picture || columns[5] != QStringLiteral("yes"))
            continue;
        const QString path = root + u'/' + columns[0];
        const QSize size(columns[1].toInt(), columns[2].toInt());
        const auto entry = loadThumbnailEntry(path, true);
        ASSERT_TRUE(entry) << columns[0].toStdString();
        EXPECT_EQ(QSize(entry->width, entry->height), size) << columns[0].toStdString();
        EXPECT_EQ(entry->thumbnail.size(), imaging::thumbnailSize(size)) << columns[0].toStdString();
        EXPECT_EQ(entry->fileSize, QFileInfo(path).size());
        ++checked;
    }
    EXPECT_GT(checked, 100);

    // Palette files beside the Dr. Halo pictures are not pictures.
    for (const QString &name : listImageNames(root + QStringLiteral("/images/cut")))
        EXPECT_FALSE(name.endsWith(QStringLiteral(".pal"), Qt::CaseInsensitive));
}

} // namespace

namespace {

// A picture with transparency is drawn over white into a 24-bit one in its own memory: a
// huge picture never exists twice. The pixels are those of drawing it over white at once.
TEST(PlainBitmap, AlphaIsDrawnOverWhiteInThePicturesOwnMemory)
{
    QImage alpha(131, 150, QImage::Format_ARGB32); // 150 rows: bands of 64, 64 and 22
    for (int y = 0; y < alpha.height(); ++y)
        for (int x = 0; x < alpha.width(); ++x)
            alpha.setPixel(x, y, qRgba(x * 2, y, (x * y) & 0xFF, (x + 3 * y) & 0xFF));
    QImage expected(alpha.size(), QImage::Format_BGR888);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(0, 0, alpha);

    const uchar *memory = alpha.constBits();
    {
        const QImage shared = alpha; // someone else holds it: a new picture, the old one intact
        const QImage copy = toPlainBitmap(shared);
        EXPECT_EQ(copy, expected);
        EXPECT_EQ(shared.pixel(130, 149), qRgba(4, 149, (130 * 149) & 0xFF, (130 + 3 * 149) & 0xFF));
        EXPECT_NE(copy.constBits(), memory);
    }

    const QImage flat = toPlainBitmap(std::move(alpha));
    EXPECT_EQ(flat.format(), QImage::Format_BGR888);
    EXPECT_EQ(flat, expected);
    EXPECT_EQ(flat.constBits(), memory);
}

} // namespace

// A photo stored 800 x 400 with orientation 6 stands 400 x 800: its entry, thumbnail and
// preview are upright; the thumbnail is the scaled stored picture, turned.
TEST(OrientedLoading, EntriesAndPreviewsOfTurnedPhotosAreUpright)
{
    QTemporaryDir dir;
    const QImage upright = oriented_test::blocks(200).convertToFormat(QImage::Format_BGR888)
                               .transformed(QTransform().rotate(90)); // 400 x 600
    for (int tag : {1, 3, 6, 8}) {
        const auto o = imaging::orientationFromTag(tag);
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(tag));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(oriented_test::jpegWithOrientation(oriented_test::storedFor(upright, o), tag));
        file.close();
        for (bool filterOk : {true, false}) {
            const auto entry = loadThumbnailEntry(path, filterOk);
            ASSERT_TRUE(entry) << tag;
            EXPECT_EQ(QSize(entry->width, entry->height), QSize(400, 600)) << tag;
            EXPECT_EQ(entry->thumbnail.size(), QSize(67, 100)) << tag;
            EXPECT_LE(oriented_test::blockCentreDifference(entry->thumbnail.scaled(400, 600), upright, 200), 40) << tag;
            const auto stored = loadThumbnailEntry(path, filterOk, imaging::Orienting::AsStored);
            EXPECT_EQ(stored->thumbnail.size(), imaging::uprightSize(QSize(67, 100), o)) << tag;
        }
        const QImage preview = loadFittedPicture(path, {180, 160}, true);
        EXPECT_EQ(preview.size(), QSize(107, 160)) << tag;
        EXPECT_LE(oriented_test::blockCentreDifference(preview.scaled(400, 600), upright, 200), 40) << tag;
    }
}
