// Entries made from pictures: the EXIF import rules on the EXIF fixtures, and entries of
// pictures that cannot be decoded.
#include "album_test_support.h"
#include "documents/album/album_building.h"
#include "documents/album/album_list.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace album;

namespace {

QString exifFixture(const QString &name)
{
    return QStringLiteral(LUMIVELLE_FIXTURES "/exif/") + name;
}

const exif::ExifLocale kFrench{u',', QStringLiteral("dd/MM/yyyy")};

TEnrData_C imported(const QString &path, const exif::ExifLocale &locale = kFrench)
{
    TEnrData_C entry;
    entry.place = QStringLiteral("lieu");
    entry.keyword = QStringLiteral("clé");
    entry.speed = QStringLiteral("avant");
    importExif(path, entry, locale);
    return entry;
}

} // namespace

TEST(ExifImport, CanonJpegFillsEveryTextButPlaceAndKeyword)
{
    const TEnrData_C entry = imported(exifFixture("exif_II_canon_flash1.jpg"));
    EXPECT_EQ(entry.date, QStringLiteral("2004:05:06 07:08:09"));
    EXPECT_EQ(entry.camera, QStringLiteral("CanonCanon PowerShot A80")); // make then model, no separator
    EXPECT_EQ(entry.flash, QStringLiteral("Oui"));
    EXPECT_EQ(entry.focal, QStringLiteral("7,8 (43 mm)"));
    EXPECT_TRUE(entry.speed.startsWith(QStringLiteral("1/6")));
    EXPECT_EQ(entry.aperture, QStringLiteral("2,8"));
    EXPECT_EQ(entry.comment, QStringLiteral("Photo de test EXIF"));
    EXPECT_EQ(entry.place, QStringLiteral("lieu"));
    EXPECT_EQ(entry.keyword, QStringLiteral("clé"));
}

TEST(ExifImport, FlashSpeedAndApertureRules)
{
    const TEnrData_C nikon = imported(exifFixture("exif_MM_nikon_flash0_fnumber0.jpg"));
    EXPECT_EQ(nikon.camera, QStringLiteral("NIKONE4300"));
    EXPECT_EQ(nikon.flash, QStringLiteral("Non"));
    EXPECT_EQ(nikon.focal, QStringLiteral("5,8 (32 mm)"));
    EXPECT_EQ(nikon.speed, QStringLiteral("1/2")); // 0.5 s: 2.5 rounds to the even 2
    EXPECT_TRUE(nikon.aperture.startsWith(QStringLiteral("2,8"))); // from the APEX aperture, FNumber being 0
    EXPECT_EQ(nikon.comment, QString());

    const TEnrData_C olympus = imported(exifFixture("exif_II_flash16_exp025.jpg"));
    EXPECT_EQ(olympus.speed, QStringLiteral("1/4"));
    EXPECT_EQ(olympus.aperture, QStringLiteral("4"));
    EXPECT_EQ(olympus.comment, QStringLiteral("flash off (16)"));

    // An EXIF block without the flash tag imports "Non"; 0.8 s gives no speed, so the
    // field keeps what it held.
    const TEnrData_C sony = imported(exifFixture("exif_II_no_flash_tag_exp08.jpg"));
    EXPECT_EQ(sony.flash, QStringLiteral("Non"));
    EXPECT_EQ(sony.speed, QStringLiteral("avant"));

    const TEnrData_C fuji = imported(exifFixture("exif_MM_shutterspeed_only.jpg"));
    EXPECT_EQ(fuji.speed, QStringLiteral("1/64"));
}

TEST(ExifImport, LocaleSeparatorAndTiff)
{
    const TEnrData_C dot = imported(exifFixture("exif_II_canon_flash1.jpg"), {u'.', QStringLiteral("MM/dd/yyyy")});
    EXPECT_EQ(dot.focal, QStringLiteral("7.8 (43 mm)"));
    EXPECT_EQ(dot.aperture, QStringLiteral("2.8"));
    const TEnrData_C tiff = imported(exifFixture("tiff_with_exif.tif"));
    EXPECT_EQ(tiff.camera, QStringLiteral("CanonCanon PowerShot A80"));
    EXPECT_EQ(tiff.flash, QStringLiteral("Oui"));
}

TEST(ExifImport, NothingWithoutExifOrForOtherExtensions)
{
    QTemporaryDir dir;
    // APP1 in third place: no EXIF, the read fails and nothing changes.
    const TEnrData_C late = imported(exifFixture("exif_app1_third_segment.jpg"));
    EXPECT_EQ(late.camera, QString());
    EXPECT_EQ(late.speed, QStringLiteral("avant"));
    // Extensions compare in lower case; other extensions are never read.
    const QString upper = dir.filePath("PHOTO.JPG");
    const QString png = dir.filePath("photo.png");
    ASSERT_TRUE(QFile::copy(exifFixture("exif_II_canon_flash1.jpg"), upper));
    ASSERT_TRUE(QFile::copy(exifFixture("exif_II_canon_flash1.jpg"), png));
    EXPECT_EQ(imported(upper).camera, QStringLiteral("CanonCanon PowerShot A80"));
    EXPECT_EQ(imported(png).camera, QString());
}

TEST(AlbumEntries, FromExplorerEntryCopiesAndImports)
{
    editor::TEnrData explorer;
    explorer.width = 64;
    explorer.height = 48;
    explorer.fileSize = 9999;
    explorer.selected = true;
    explorer.thumbnail = album_test::plainThumbnail(64, 48, Qt::yellow);
    TEnrData_C entry;
    buildEntryFromExplorerEntry(exifFixture("exif_II_canon_flash1.jpg"), entry, explorer, kFrench);
    EXPECT_EQ(entry.width, 64);
    EXPECT_EQ(entry.height, 48);
    EXPECT_EQ(entry.fileSize, 9999);
    EXPECT_FALSE(entry.selected);
    EXPECT_EQ(entry.thumbnail.size(), QSize(64, 48));
    EXPECT_EQ(entry.flash, QStringLiteral("Oui"));
}

TEST(AlbumEntries, FromImageFileDecodesOrGivesAnEmptyEntry)
{
    QTemporaryDir dir;
    TEnrData_C entry;
    entry.comment = QStringLiteral("gardé");
    buildEntryFromImageFile(exifFixture("exif_II_canon_flash1.jpg"), entry, true);
    EXPECT_EQ(entry.width, 64);
    EXPECT_EQ(entry.height, 48);
    EXPECT_EQ(entry.fileSize, QFileInfo(exifFixture("exif_II_canon_flash1.jpg")).size());
    EXPECT_EQ(entry.thumbnail.size(), QSize(64, 48));
    EXPECT_EQ(entry.comment, QStringLiteral("gardé")); // no EXIF read, texts kept
    EXPECT_EQ(entry.flash, QString());

    const QString broken = dir.filePath("cassée.jpg");
    ASSERT_TRUE(album_test::writeBytes(broken, QByteArray(1500, 'z')));
    buildEntryFromImageFile(broken, entry, true);
    EXPECT_EQ(entry.width, 0);
    EXPECT_EQ(entry.height, 0);
    EXPECT_EQ(entry.fileSize, 1500);
    EXPECT_TRUE(entry.thumbnail.isNull());
}

TEST(AlbumEntries, MayAddOnlyExistingNewPaths)
{
    QTemporaryDir dir;
    const QString present = dir.filePath("a.jpg");
    const QString fresh = dir.filePath("b.jpg");
    ASSERT_TRUE(album_test::writeBytes(present, "x"));
    ASSERT_TRUE(album_test::writeBytes(fresh, "x"));
    AlbumList list;
    list.append(present, {});
    EXPECT_FALSE(mayAdd(list, present));
    EXPECT_TRUE(mayAdd(list, fresh));
    EXPECT_FALSE(mayAdd(list, dir.filePath("absent.jpg")));
}
