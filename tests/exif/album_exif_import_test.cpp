// Filling an album entry's text fields from EXIF data.
#include "imaging/exif/album_exif_import.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace exif;

namespace {

const QString kFixtures = QStringLiteral(LUMIVELLE_FIXTURES "/exif/");

AlbumTextFields filledFields()
{
    return {u"Paris"_qs, u"old date"_qs, u"old camera"_qs, u"old flash"_qs, u"old focal"_qs,
            u"old speed"_qs, u"old aperture"_qs, u"old comment"_qs, u"Vacances"_qs};
}

} // namespace

TEST(AlbumExifImport, FillsTheSevenFieldsFromAFixture)
{
    AlbumTextFields fields = filledFields();
    ASSERT_TRUE(importExifFromFile(kFixtures + u"exif_II_canon_flash1.jpg"_qs, ExifLocale{}, fields));
    EXPECT_EQ(fields.place, u"Paris");
    EXPECT_EQ(fields.date, u"2004:05:06 07:08:09");
    EXPECT_EQ(fields.camera, u"CanonCanon PowerShot A80");
    EXPECT_EQ(fields.flash, u"Oui");
    EXPECT_EQ(fields.focal, u"7,8 (43 mm)");
    EXPECT_EQ(fields.speed, u"1/60");
    EXPECT_EQ(fields.aperture, u"2,8");
    EXPECT_EQ(fields.comment, u"Photo de test EXIF");
    EXPECT_EQ(fields.keyword, u"Vacances");
}

TEST(AlbumExifImport, UnknownSourcesKeepTheirFields)
{
    TImageInfo info; // everything unknown
    AlbumTextFields fields = filledFields();
    importExifIntoAlbumFields(info, ExifLocale{}, fields);
    EXPECT_EQ(fields.date, u"old date");
    EXPECT_EQ(fields.camera, u"old camera");
    EXPECT_EQ(fields.flash, u"old flash");
    EXPECT_EQ(fields.speed, u"old speed");
    EXPECT_EQ(fields.comment, u"old comment");

    // An exposure of exactly 0 gives no speed, and the fields after it are still filled;
    // a model without make is the whole camera.
    info.exposureTime = 0;
    info.fNumber = 4;
    info.userComment = u"Plage"_qs;
    info.cameraModel = u"E4300"_qs;
    info.flash = 0;
    importExifIntoAlbumFields(info, ExifLocale{}, fields);
    EXPECT_EQ(fields.speed, u"old speed");
    EXPECT_EQ(fields.aperture, u"4");
    EXPECT_EQ(fields.comment, u"Plage");
    EXPECT_EQ(fields.camera, u"E4300");
    EXPECT_EQ(fields.flash, u"Non");
}

TEST(AlbumExifImport, OnlyReadableJpegAndTiffFilesImport)
{
    AlbumTextFields fields;
    ASSERT_TRUE(importExifFromFile(kFixtures + u"exif_II_no_flash_tag_exp08.jpg"_qs, ExifLocale{}, fields));
    EXPECT_EQ(fields.flash, u"Non"); // EXIF block without a flash tag
    EXPECT_TRUE(fields.speed.isEmpty()); // 0.8 s
    EXPECT_EQ(fields.camera, u"SONYDSC-P10");

    fields = {};
    ASSERT_TRUE(importExifFromFile(kFixtures + u"tiff_with_exif.tif"_qs, ExifLocale{u'.', {}}, fields));
    EXPECT_EQ(fields.focal, u"7.8 (43 mm)");

    fields = {};
    EXPECT_FALSE(importExifFromFile(kFixtures + u"exif_app1_third_segment.jpg"_qs, ExifLocale{}, fields));
    EXPECT_TRUE(fields.camera.isEmpty());

    QTemporaryDir dir;
    const QString jpe = dir.filePath(u"photo.jpe"_qs);
    ASSERT_TRUE(QFile::copy(kFixtures + u"exif_II_canon_flash1.jpg"_qs, jpe));
    EXPECT_FALSE(importExifFromFile(jpe, ExifLocale{}, fields));
    EXPECT_TRUE(fields.camera.isEmpty());
}
