// The extension list, the choice of reader by extension and by content, and loading files.
#include "imaging/readers/picture_loader.h"
#include "imaging/readers/reader_registry.h"
#include "test_pattern.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace readers_test;

QByteArray fixture(const char *relative)
{
    QFile f(QStringLiteral(LUMIVELLE_FIXTURES "/images/") + QLatin1String(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

TEST(ExtensionList, HoldsTheThirtySevenExtensionsInTheProgramsOrder)
{
    const QStringList expected = QStringLiteral(
        "bmp ico wmf emf jpg jpeg rle dib win vst vda tga icb tiff tif fax pcx pcc scr rpf rla sgi rgba rgb bw "
        "psd pdd ppm pgm pbm cel pic pcd gif cut psp png").split(QLatin1Char(' '));
    QStringList actual;
    for (const imaging::ImageExtension &e : imaging::ExtensionList())
        actual << e.extension;
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(imaging::ExtensionList().size(), 37);
}

TEST(ExtensionList, GroupsExtensionsByFamily)
{
    using imaging::readers::familyForExtension;
    EXPECT_EQ(familyForExtension(u"rle"), familyForExtension(u"bmp"));
    EXPECT_EQ(familyForExtension(u"dib"), familyForExtension(u"bmp"));
    EXPECT_EQ(familyForExtension(u"emf"), familyForExtension(u"wmf"));
    for (const char16_t *targa : {u"win", u"vst", u"vda", u"icb"})
        EXPECT_EQ(familyForExtension(targa), familyForExtension(u"tga"));
    EXPECT_EQ(familyForExtension(u"fax"), familyForExtension(u"tif"));
    EXPECT_EQ(familyForExtension(u"scr"), familyForExtension(u"pcx"));
    EXPECT_EQ(familyForExtension(u"bw"), familyForExtension(u"sgi"));
    EXPECT_EQ(familyForExtension(u"pic"), familyForExtension(u"cel"));
    EXPECT_NE(familyForExtension(u"pcx"), familyForExtension(u"pcd"));
    EXPECT_TRUE(familyForExtension(u"bmp")->plainBitmap);
    int plain = 0;
    for (const auto &family : imaging::readers::readerFamilies())
        plain += family.plainBitmap ? 1 : 0;
    EXPECT_EQ(plain, 1);
}

TEST(ExtensionList, MatchesWithoutRegardToCaseWithOrWithoutTheDot)
{
    for (const char16_t *known : {u"jpg", u"JPG", u"Jpeg", u".PNG", u"RgBa", u"bw", u"BW"})
        EXPECT_TRUE(imaging::IsKnownImageExtension(known)) << QString::fromUtf16(known).toStdString();
    for (const char16_t *unknown : {u"", u".", u"txt", u"jp", u"jpgx", u"pal", u"webp", u"pngg"})
        EXPECT_FALSE(imaging::IsKnownImageExtension(unknown)) << QString::fromUtf16(unknown).toStdString();
}

TEST(LoadPicture, FallsBackToTheReaderTheContentNames)
{
    QTemporaryDir dir;
    // A PNG named .jpg, a BMP named .png, a TIFF named .tga, a GIF without a known extension.
    const QString png = writeFile(dir, QStringLiteral("photo.jpg"), fixture("png/png_rgb8_64x48.png"));
    const QString bmp = writeFile(dir, QStringLiteral("image.PNG"), fixture("bmp/bmp_24bit_64x48.bmp"));
    const QString tif = writeFile(dir, QStringLiteral("scan.tga"), fixture("tiff/tif_lzw_rgb_67x45.tif"));
    const QString gif = writeFile(dir, QStringLiteral("anim.dat"), fixture("gif/gif89a_256col_64x48.gif"));
    auto a = imaging::LoadPicture(png), b = imaging::LoadPicture(bmp), c = imaging::LoadPicture(tif), d = imaging::LoadPicture(gif);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(a->family, QStringLiteral("PNG"));
    EXPECT_FALSE(a->plainBitmap);
    EXPECT_EQ(b->family, QStringLiteral("Bitmap Windows"));
    EXPECT_TRUE(b->plainBitmap); // a bitmap whatever its name
    EXPECT_EQ(c->image.size(), QSize(67, 45));
    EXPECT_EQ(d->image.size(), QSize(64, 48));
    EXPECT_FALSE(firstMismatch(a->image, expectationFor(QStringLiteral("png_rgb8"))).has_value());
}

TEST(LoadPicture, ReportsFilesItCannotRead)
{
    QTemporaryDir dir;
    const QString text = writeFile(dir, QStringLiteral("notes.jpg"), "not a picture at all, just words");
    const QString empty = writeFile(dir, QStringLiteral("empty.png"), {});
    const QString unknown = writeFile(dir, QStringLiteral("data.xyz"), "plain text");
    const auto a = imaging::LoadPicture(text), b = imaging::LoadPicture(empty), c = imaging::LoadPicture(unknown);
    const auto d = imaging::LoadPicture(dir.filePath(QStringLiteral("missing.bmp")));
    ASSERT_FALSE(a || b || c || d);
    EXPECT_FALSE(a.error().message.isEmpty());
    EXPECT_TRUE(b.error().message.contains(QStringLiteral("vide")));
    EXPECT_EQ(c.error().message, QStringLiteral("Format d'image non reconnu."));
    EXPECT_TRUE(d.error().message.contains(QStringLiteral("missing.bmp")));
}

TEST(LoadPicture, DrHaloPicturesFindTheirPaletteWhateverItsCase)
{
    QTemporaryDir dir;
    const QString cut = writeFile(dir, QStringLiteral("halo.CUT"), fixture("cut/cut_64x48.cut"));
    auto grey = imaging::LoadPicture(cut);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->image.pixel(5, 5), qRgb(1, 1, 1)); // index 1 as a grey level
    writeFile(dir, QStringLiteral("halo.PAL"), fixture("cut/cut_64x48.pal"));
    auto coloured = imaging::LoadPicture(cut);
    ASSERT_TRUE(coloured);
    EXPECT_EQ(coloured->image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(LoadPicture, AsksJpegForAReducedScaleThatIsStillLargeEnough)
{
    const QString path = QStringLiteral(LUMIVELLE_FIXTURES "/images/jpeg/jpg_restart_optimize_320x240.jpeg");
    auto full = imaging::LoadPicture(path), quarter = imaging::LoadPicture(path, QSize(70, 50));
    auto png = imaging::LoadPicture(QStringLiteral(LUMIVELLE_FIXTURES "/images/png/png_rgb8_64x48.png"), QSize(8, 8));
    ASSERT_TRUE(full && quarter && png);
    EXPECT_EQ(full->image.size(), QSize(320, 240));
    EXPECT_EQ(quarter->image.size(), QSize(80, 60));
    EXPECT_EQ(png->image.size(), QSize(64, 48)); // other formats ignore the wish
}

TEST(ReadPictureSize, GivesEveryFixturesSizeWithoutDecoding)
{
    QFile manifest(QStringLiteral(LUMIVELLE_FIXTURES "/manifest.tsv"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    int checked = 0;
    while (!manifest.atEnd()) {
        const QStringList cells = QString::fromUtf8(manifest.readLine()).split(QLatin1Char('\t'));
        if (cells.size() < 3 || !cells[0].startsWith(QLatin1String("images/")) || cells[1].toInt() == 0)
            continue;
        const auto size = imaging::ReadPictureSize(QStringLiteral(LUMIVELLE_FIXTURES "/") + cells[0]);
        ASSERT_TRUE(size) << cells[0].toStdString();
        EXPECT_EQ(*size, QSize(cells[1].toInt(), cells[2].toInt())) << cells[0].toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 130);
}

} // namespace
