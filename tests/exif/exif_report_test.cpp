// The report text, and the fixture files read end to end.
#include "imaging/exif/exif_reader.h"
#include "imaging/exif/exif_report.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace exif;

namespace {

const QString kFixtures = QStringLiteral(LUMIVELLE_FIXTURES "/exif/");

QStringList fileHeader(const QString &path)
{
    const QFileInfo file(path);
    return {u"Nom du fichier    : "_qs + file.fileName(),
            u"Date du fichier   : "_qs + file.lastModified().date().toString(u"dd/MM/yyyy"_qs),
            u"Taille du fichier : "_qs + QString::number(file.size() / 1000) + u" Ko"_qs,
            QString(59, u'_'), QString()};
}

QStringList reportOf(const QString &name)
{
    return exifReportForFile(kFixtures + name, ExifLocale{});
}

} // namespace

TEST(ExifReport, EveryKnownItemInItsOrder)
{
    TImageInfo info;
    info.fileName = u"/photos/vacances/IMG_0001.JPG"_qs;
    info.fileDate = QDateTime(QDate(2007, 8, 14), QTime(10, 0));
    info.fileSize = 1999;
    info.photoDate = u"2007:08:14 09:58:01"_qs;
    info.width = 2272;
    info.height = 1704;
    info.cameraMake = u"Canon"_qs;
    info.cameraModel = u"Canon PowerShot A80"_qs;
    info.flash = 0;
    info.focalLength = 5.8;
    info.exposureTime = 0.25;
    info.fNumber = 2.8;
    info.subjectDistance = 1.5;
    info.sensorWidth = 7.125;
    info.userComment = u"Vacances 2007"_qs;
    const QStringList expected = {
        u"Nom du fichier    : IMG_0001.JPG"_qs, u"Date du fichier   : 14/08/2007"_qs,
        u"Taille du fichier : 1 Ko"_qs, QString(59, u'_'), QString(),
        u"Date de la photo  : 2007:08:14 09:58:01"_qs, u"Largeur           : 2272"_qs,
        u"Hauteur           : 1704"_qs, u"Marque            : Canon"_qs,
        u"Modèle            : Canon PowerShot A80"_qs, u"Flash             : Non"_qs,
        u"Focale            : 5,8 (32 mm)"_qs, u"Vitesse           : 1/4"_qs,
        u"Ouverture         : 2,8"_qs, u"Distance          : 1,5"_qs,
        u"CCDWidth          : 7,125"_qs, u"Commentaires      : Vacances 2007"_qs,
    };
    EXPECT_EQ(exifReportLines(true, info, ExifLocale{}), expected);
    EXPECT_EQ(exifReportLines(false, info, ExifLocale{}), QStringList{u"Aucunes informations à afficher"_qs});

    // Unknown items and speeds beyond half a second leave their lines out.
    TImageInfo bare;
    bare.fileName = u"a.tif"_qs;
    bare.exposureTime = 0.8;
    EXPECT_EQ(exifReportLines(true, bare, ExifLocale{}).size(), 5);
}

TEST(ExifReport, FixturesOfBothByteOrders)
{
    QStringList canon = fileHeader(kFixtures + u"exif_II_canon_flash1.jpg"_qs);
    canon << u"Date de la photo  : 2004:05:06 07:08:09"_qs << u"Marque            : Canon"_qs
          << u"Modèle            : Canon PowerShot A80"_qs << u"Flash             : Oui"_qs
          << u"Focale            : 7,8 (43 mm)"_qs << u"Vitesse           : 1/60"_qs
          << u"Ouverture         : 2,8"_qs << u"Distance          : 1,5"_qs
          << u"CCDWidth          : 0,200338028169014"_qs // 64 px at 8114.2857 px per inch
          << u"Commentaires      : Photo de test EXIF"_qs;
    EXPECT_EQ(reportOf(u"exif_II_canon_flash1.jpg"_qs), canon);

    QStringList nikon = fileHeader(kFixtures + u"exif_MM_nikon_flash0_fnumber0.jpg"_qs);
    nikon << u"Date de la photo  : 2003:01:02 03:04:05"_qs << u"Marque            : NIKON"_qs
          << u"Modèle            : E4300"_qs << u"Flash             : Non"_qs
          << u"Focale            : 5,8 (32 mm)"_qs << u"Vitesse           : 1/2"_qs
          << u"Ouverture         : 2,80000000407192"_qs // APEX 24361/8200
          << u"Distance          : 2,5"_qs << u"CCDWidth          : 0,161636570274025"_qs;
    EXPECT_EQ(reportOf(u"exif_MM_nikon_flash0_fnumber0.jpg"_qs), nikon);
}

TEST(ExifReport, FixturesOfTheSpecialCases)
{
    const QStringList noFlashTag = reportOf(u"exif_II_no_flash_tag_exp08.jpg"_qs);
    EXPECT_TRUE(noFlashTag.contains(u"Flash             : Non"_qs));
    EXPECT_FALSE(noFlashTag.join(u'\n').contains(u"Vitesse"));

    const QStringList shutter = reportOf(u"exif_MM_shutterspeed_only.jpg"_qs);
    EXPECT_TRUE(shutter.contains(u"Vitesse           : 1/64"_qs));
    EXPECT_FALSE(shutter.join(u'\n').contains(u"Ouverture")); // APEX aperture without FNumber

    const QStringList flash16 = reportOf(u"exif_II_flash16_exp025.jpg"_qs);
    EXPECT_TRUE(flash16.contains(u"Flash             : Non"_qs));
    EXPECT_TRUE(flash16.contains(u"Vitesse           : 1/4"_qs));
    EXPECT_TRUE(flash16.contains(u"Marque            : OLYMPUS OPTICAL CO.,LTD"_qs));

    EXPECT_EQ(reportOf(u"exif_app1_third_segment.jpg"_qs), QStringList{QString::fromUtf16(kNoExifInformation)});
    EXPECT_EQ(reportOf(u"jpeg_comment_only.jpg"_qs), fileHeader(kFixtures + u"jpeg_comment_only.jpg"_qs));
    EXPECT_EQ(reportOf(u"jpeg_iptc_app13.jpg"_qs), fileHeader(kFixtures + u"jpeg_iptc_app13.jpg"_qs));

    const QStringList tiff = reportOf(u"tiff_with_exif.tif"_qs);
    EXPECT_EQ(tiff.size(), 12);
    EXPECT_TRUE(tiff.contains(u"Flash             : Oui"_qs));
    EXPECT_TRUE(tiff.contains(u"Date de la photo  : 2004:05:06 07:08:09"_qs));
}

TEST(ExifReport, ExtensionsCompareInLowerCase)
{
    QTemporaryDir dir;
    const QString source = kFixtures + u"exif_II_canon_flash1.jpg"_qs;
    for (const char *name : {"PHOTO.JPG", "photo.Jpeg", "photo.jpe", "photo.png", "photo"}) {
        const QString copy = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::copy(source, copy));
        TImageInfo info;
        const bool jpeg = !copy.endsWith(u"png") && copy.contains(u'.');
        EXPECT_EQ(ReadExif(copy, info), jpeg) << name;
        EXPECT_EQ(info.cameraMake, jpeg ? u"Canon"_qs : QString()) << name;
        EXPECT_EQ(info.fileSize, QFileInfo(source).size()); // filled before the extension test
    }
    EXPECT_TRUE(hasExifExtension(u"a/B.TIFF"_qs));
    EXPECT_FALSE(hasExifExtension(u"a/b.jpe"_qs)); // read, but neither imported nor shown

    TImageInfo info;
    info.cameraMake = u"stale"_qs;
    EXPECT_FALSE(ReadExif(dir.filePath(u"missing.jpg"_qs), info));
    EXPECT_TRUE(info.cameraMake.isEmpty()); // every read starts from the unknown values
    EXPECT_EQ(info.fileSize, -1);
}
