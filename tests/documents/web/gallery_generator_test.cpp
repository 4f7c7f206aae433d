// Writing whole galleries: pages and copies on disk, pictures of every kind, slides
// without a picture, failures collected while the rest is written, the photos' own
// folder left untouched, and the same files with one or two threads.
#include "documents/web/gallery_generator.h"
#include "documents/web/gallery_pages.h"
#include "gallery_test_support.h"
#include "imaging/jpeg_codec.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace webgallery;
using namespace gallery_test;

namespace {

class GalleryGeneratorTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    GalleryTarget target(const QString &folder = QStringLiteral("site")) const
    {
        EXPECT_TRUE(QDir().mkpath(file(folder)));
        return *galleryTarget(file(folder + QStringLiteral("/galerie.htm")));
    }
    QImage jpeg(const QString &path) const
    {
        auto decoded = imaging::loadJpegFile(path);
        EXPECT_TRUE(decoded.has_value()) << path.toStdString();
        return decoded ? *decoded : QImage();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST(GalleryTarget, SplitsTheChosenFile)
{
    const auto t = galleryTarget(QStringLiteral("/srv/www/mes.vacances.html"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->folder, QStringLiteral("/srv/www"));
    EXPECT_EQ(t->base, QStringLiteral("mes.vacances"));
    EXPECT_EQ(t->ext, QStringLiteral(".html"));
    const auto bare = galleryTarget(QStringLiteral("/srv/www/album"));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->base, QStringLiteral("album"));
    EXPECT_EQ(bare->ext, QString());
    EXPECT_FALSE(galleryTarget(QString()));
    EXPECT_FALSE(galleryTarget(QStringLiteral("/srv/www/.htm")));
}

TEST_F(GalleryGeneratorTest, WritesPagesAndBothCopiesOfEveryPicture)
{
    writePicture(file(QStringLiteral("photos/paysage.png")), 400, 300);
    writePicture(file(QStringLiteral("photos/portrait.bmp")), 90, 160);
    writePicture(file(QStringLiteral("photos/petit.jpg")), 60, 40);
    QImage clear(200, 100, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QPainter(&clear).fillRect(0, 0, 100, 100, Qt::red);
    ASSERT_TRUE(clear.save(file(QStringLiteral("photos/transparent.png"))));
    std::vector<GallerySlide> slides = {{file(QStringLiteral("photos/paysage.png")), QStringLiteral("Un paysage")},
                                        {file(QStringLiteral("photos/absente.jpg")), QStringLiteral("Disparue")},
                                        {file(QStringLiteral("photos/portrait.bmp")), QString()},
                                        {file(QStringLiteral("photos/petit.jpg")), QString()},
                                        {file(QStringLiteral("photos/transparent.png")), QString()}};
    GalleryOptions options;
    options.columns = 2;
    options.rows = 2;
    options.captions = true;
    QList<int> progress;
    GalleryWork work;
    work.progress = [&progress](int done) { progress << done; };
    const GalleryReport report = generateGallery(slides, options, target(), work);

    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.pictures, 4);
    EXPECT_EQ(report.missing, 1);
    EXPECT_EQ(progress, QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(report.pages, QStringList({file(QStringLiteral("site/galerie.htm")), file(QStringLiteral("site/galerie1.htm"))}));
    const QStringList page0 = pageLines(readBytes(report.pages[0]));
    const QStringList page1 = pageLines(readBytes(report.pages[1]));
    EXPECT_EQ(imageRows(page0), QList<QStringList>({{QStringLiteral("s_paysage.jpg\",\"paysage.jpg"),
                                                     QStringLiteral("s_absente.jpg\",\"absente.jpg")},
                                                    {QStringLiteral("s_portrait.jpg\",\"portrait.jpg"),
                                                     QStringLiteral("s_petit.jpg\",\"petit.jpg")}}));
    EXPECT_EQ(imageRows(page1), QList<QStringList>({{QStringLiteral("s_transparent.jpg\",\"transparent.jpg")}}));
    EXPECT_TRUE(page0.join(QLatin1Char('\n')).contains(QStringLiteral("Disparue")));

    struct Expected {
        const char *name;
        QSize full, thumbnail;
    };
    for (const Expected &e : {Expected{"paysage", {400, 300}, {100, 75}}, Expected{"portrait", {90, 160}, {56, 100}},
                              Expected{"petit", {60, 40}, {60, 40}}, Expected{"transparent", {200, 100}, {100, 50}}}) {
        const QString name = QString::fromLatin1(e.name);
        EXPECT_EQ(jpeg(file(QStringLiteral("site/%1.jpg").arg(name))).size(), e.full) << e.name;
        EXPECT_EQ(jpeg(file(QStringLiteral("site/s_%1.jpg").arg(name))).size(), e.thumbnail) << e.name;
    }
    // A picture with transparent parts is laid on white before it becomes a JPEG.
    const QImage flat = jpeg(file(QStringLiteral("site/transparent.jpg")));
    EXPECT_GT(qGray(flat.pixel(150, 50)), 245);
    EXPECT_GT(qRed(flat.pixel(50, 50)), 240);
    EXPECT_LT(qGreen(flat.pixel(50, 50)), 15);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("site/absente.jpg"))));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("site/s_absente.jpg"))));
}

TEST_F(GalleryGeneratorTest, TheGalleryInThePhotosFolderLeavesThePhotosAlone)
{
    const QString photo = writePicture(file(QStringLiteral("photos/photo.jpg")), 320, 240);
    const QString other = writePicture(file(QStringLiteral("ailleurs/photo.png")), 300, 200);
    const QByteArray before = readBytes(photo);
    const GalleryReport report = generateGallery({{photo, {}}, {other, {}}}, {}, target(QStringLiteral("photos")));
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(readBytes(photo), before);
    EXPECT_EQ(jpeg(file(QStringLiteral("photos/photo_2.jpg"))).size(), QSize(320, 240));
    EXPECT_EQ(jpeg(file(QStringLiteral("photos/photo_3.jpg"))).size(), QSize(300, 200));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("photos/s_photo_2.jpg"))));
    EXPECT_EQ(imageRows(pageLines(readBytes(report.pages[0]))),
              QList<QStringList>({{QStringLiteral("s_photo_2.jpg\",\"photo_2.jpg"),
                                   QStringLiteral("s_photo_3.jpg\",\"photo_3.jpg")}}));
}

TEST_F(GalleryGeneratorTest, FailuresAreCollectedAndTheRestIsWritten)
{
    const QString good = writePicture(file(QStringLiteral("photos/bon.png")), 120, 80);
    const QString blocked = writePicture(file(QStringLiteral("photos/bloque.png")), 120, 80);
    const QString broken = file(QStringLiteral("photos/casse.jpg"));
    QFile junk(broken);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("ceci n'est pas une image");
    junk.close();
    const GalleryTarget site = target();
    // A folder where a copy and a page should go: neither can be written.
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("site/bloque.jpg"))));
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("site/galerie1.htm"))));
    GalleryOptions options;
    options.columns = 1;
    options.rows = 2;
    const GalleryReport report = generateGallery({{broken, {}}, {blocked, {}}, {good, {}}}, options, site);

    QStringList files;
    for (const GalleryProblem &p : report.problems) {
        files << QFileInfo(p.file).fileName();
        EXPECT_FALSE(p.reason.isEmpty());
    }
    EXPECT_EQ(files, QStringList({QStringLiteral("galerie1.htm"), QStringLiteral("casse.jpg"), QStringLiteral("bloque.jpg")}));
    EXPECT_EQ(report.pictures, 1);
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/galerie.htm"))).isFile());
    EXPECT_EQ(jpeg(file(QStringLiteral("site/bon.jpg"))).size(), QSize(120, 80));
    EXPECT_EQ(jpeg(file(QStringLiteral("site/s_bloque.jpg"))).size(), QSize(100, 67));

    const QString message = problemsMessage(report.problems);
    const QStringList lines = message.split(QLatin1Char('\r'));
    EXPECT_EQ(lines.value(0), QStringLiteral("Certains fichiers du lumivelle Web n'ont pas pu être lus ou écrits :"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith(QDir::toNativeSeparators(broken) + QStringLiteral(" (")));

    std::vector<GalleryProblem> many(40, GalleryProblem{QStringLiteral("/x/y.jpg"), QStringLiteral("disque plein")});
    const QStringList long_ = problemsMessage(many).split(QLatin1Char('\r'));
    EXPECT_EQ(long_.size(), 17);
    EXPECT_EQ(long_.last(), QStringLiteral("... et 25 autre(s)"));
}

TEST_F(GalleryGeneratorTest, OneAndTwoThreadsWriteTheSameFiles)
{
    std::vector<GallerySlide> slides;
    for (int i = 0; i < 5; ++i)
        slides.push_back({writePicture(file(QStringLiteral("photos/p%1.png").arg(i)), 300 + 37 * i, 200 + 11 * i), {}});
    slides.insert(slides.begin() + 2, GallerySlide{file(QStringLiteral("photos/absente.png")), {}});
    for (const bool filterOk : {true, false}) {
        GalleryWork one, two;
        one.threads = 1;
        two.threads = 2;
        one.filterOk = two.filterOk = filterOk;
        int idles = 0;
        two.idle = [&idles] { ++idles; };
        const GalleryReport a = generateGallery(slides, {}, target(QStringLiteral("one")), one);
        const GalleryReport b = generateGallery(slides, {}, target(QStringLiteral("two")), two);
        EXPECT_EQ(a.pictures, 5);
        EXPECT_EQ(b.pictures, 5);
        const QStringList names = QDir(file(QStringLiteral("one"))).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(names.size(), 11);
        EXPECT_EQ(QDir(file(QStringLiteral("two"))).entryList(QDir::Files, QDir::Name), names);
        for (const QString &name : names)
            EXPECT_EQ(readBytes(file(QStringLiteral("one/") + name)), readBytes(file(QStringLiteral("two/") + name)))
                << name.toStdString();
    }
}
