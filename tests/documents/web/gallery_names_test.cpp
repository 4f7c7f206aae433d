// The names of the pictures' copies: one per picture, however their files are named, and
// never the name of a slide's own picture in the gallery's folder.
#include "documents/web/gallery_names.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace webgallery;

namespace {

QStringList images(const std::vector<PictureNames> &names)
{
    QStringList out;
    for (const PictureNames &n : names) {
        EXPECT_EQ(n.thumbnail, QStringLiteral("s_") + n.image);
        out << n.image;
    }
    return out;
}

} // namespace

TEST(GalleryNames, PicturesThatWouldShareANameGetTheNextFreeOne)
{
    const QString out = QStringLiteral("/nowhere/site");
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/a/photo.png"), QStringLiteral("/b/photo.png"),
                                         QStringLiteral("/c/photo.bmp"), QStringLiteral("/a/photo.jpeg")},
                                        out, {QStringLiteral("g.htm")})),
              QStringList({QStringLiteral("photo.jpg"), QStringLiteral("photo_2.jpg"), QStringLiteral("photo_3.jpg"),
                           QStringLiteral("photo_4.jpg")}));
    // Extension replaced, the rest of the name kept; a name already ending like a
    // numbered one is only numbered when it clashes.
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/a/my.holiday.tif"), QStringLiteral("/a/photo_2.png"),
                                         QStringLiteral("/b/photo.png"), QStringLiteral("/b/noext")},
                                        out, {})),
              QStringList({QStringLiteral("my.holiday.jpg"), QStringLiteral("photo_2.jpg"), QStringLiteral("photo.jpg"),
                           QStringLiteral("noext.jpg")}));
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/a/photo.png"), QStringLiteral("/a/photo_2.png"),
                                         QStringLiteral("/b/photo.png")},
                                        out, {})),
              QStringList({QStringLiteral("photo.jpg"), QStringLiteral("photo_2.jpg"), QStringLiteral("photo_3.jpg")}));
}

TEST(GalleryNames, ThumbnailsAndPagesTakePartInTheClashes)
{
    const QString out = QStringLiteral("/nowhere/site");
    // "s_a" makes s_a.jpg, which the thumbnail of "a" would overwrite.
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/p/s_a.png"), QStringLiteral("/p/a.png")}, out, {})),
              QStringList({QStringLiteral("s_a.jpg"), QStringLiteral("a_2.jpg")}));
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/p/a.png"), QStringLiteral("/p/s_a.png")}, out, {})),
              QStringList({QStringLiteral("a.jpg"), QStringLiteral("s_a_2.jpg")}));
    // A gallery named index.jpg keeps its page.
    EXPECT_EQ(images(assignPictureNames({QStringLiteral("/p/index.png")}, out,
                                        {QStringLiteral("index.jpg"), QStringLiteral("index1.jpg")})),
              QStringList({QStringLiteral("index_2.jpg")}));
}

TEST(GalleryNames, LetterCaseFollowsTheFileSystem)
{
    const auto names = images(assignPictureNames({QStringLiteral("/p/IMG.png"), QStringLiteral("/q/img.png")},
                                                 QStringLiteral("/nowhere"), {}));
#ifdef Q_OS_WIN
    EXPECT_EQ(names, QStringList({QStringLiteral("IMG.jpg"), QStringLiteral("img_2.jpg")}));
#else
    EXPECT_EQ(names, QStringList({QStringLiteral("IMG.jpg"), QStringLiteral("img.jpg")}));
#endif
}

TEST(GalleryNames, NoCopyReplacesASlidesPicture)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    ASSERT_TRUE(QDir().mkpath(photos));
    for (const char *name : {"photo.jpg", "s_b.jpg", "x.jpg"}) {
        QFile f(QDir(photos).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList sources = {QDir(photos).filePath(QStringLiteral("photo.jpg")),
                                 dir.filePath(QStringLiteral("b.png")), // its thumbnail would be photos/s_b.jpg
                                 QDir(photos).filePath(QStringLiteral("s_b.jpg")), // s_b_2.jpg is b's thumbnail
                                 dir.filePath(QStringLiteral("x.png")), // would take photos/x.jpg
                                 QDir(photos).filePath(QStringLiteral("x.jpg"))};
    const QStringList expected = {QStringLiteral("photo_2.jpg"), QStringLiteral("b_2.jpg"), QStringLiteral("s_b_3.jpg"),
                                  QStringLiteral("x_2.jpg"), QStringLiteral("x_3.jpg")};
    EXPECT_EQ(images(assignPictureNames(sources, photos, {})), expected);

    // The same folder reached through a link, or named with a detour.
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(photos, link));
    EXPECT_EQ(images(assignPictureNames(sources, link, {})), expected);
    EXPECT_EQ(images(assignPictureNames(sources, photos + QStringLiteral("/../photos/."), {})), expected);

    // Written elsewhere, the copies keep the plain names.
    EXPECT_EQ(images(assignPictureNames({sources[0]}, dir.path(), {})), QStringList({QStringLiteral("photo.jpg")}));
}
