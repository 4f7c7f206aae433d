// The record items taken from the tags of the directories.
#include "imaging/exif/exif_reader.h"
#include "tests/exif/exif_bytes.h"

#include <gtest/gtest.h>

using exif::TImageInfo;
using exif_test::TiffBytes;

namespace {

TImageInfo readTiff(const TiffBytes &tiff)
{
    TImageInfo info;
    EXPECT_TRUE(exif::readTiffExif(tiff.build(), info));
    return info;
}

} // namespace

TEST(ExifTags, HandWrittenBlocksReadInBothByteOrders)
{
    // II: one directory of two entries, Make "Canon\0" (6 bytes at offset 38) and Flash 1
    // (inline), no next directory.
    const QByteArray little = QByteArray("II\x2A\x00\x08\x00\x00\x00" "\x02\x00"
                                         "\x0F\x01\x02\x00\x06\x00\x00\x00\x26\x00\x00\x00"
                                         "\x09\x92\x03\x00\x01\x00\x00\x00\x01\x00\x00\x00"
                                         "\x00\x00\x00\x00" "Canon\x00", 44);
    TImageInfo info;
    ASSERT_TRUE(exif::readTiffExif(little, info));
    EXPECT_EQ(info.cameraMake, u"Canon");
    EXPECT_EQ(info.flash, 1);
    // MM: the same with FocalLength 78/10 at offset 38.
    const QByteArray big = QByteArray("MM\x00\x2A\x00\x00\x00\x08" "\x00\x02"
                                      "\x01\x0F\x00\x02\x00\x00\x00\x06\x00\x00\x00\x26"
                                      "\x92\x0A\x00\x05\x00\x00\x00\x01\x00\x00\x00\x2C"
                                      "\x00\x00\x00\x00" "NIKON\x00" "\x00\x00\x00\x4E\x00\x00\x00\x0A", 52);
    info = {};
    ASSERT_TRUE(exif::readTiffExif(big, info));
    EXPECT_EQ(info.cameraMake, u"NIKON");
    EXPECT_DOUBLE_EQ(info.focalLength, 7.8);
    EXPECT_EQ(info.flash, -1); // a TIFF without the flash tag has no flash value
}

TEST(ExifTags, TextsLoseOnlyTheirTerminatingZeroAndKeepTheirCapacity)
{
    for (bool big : {false, true}) {
        TiffBytes t(big);
        t.mainAscii(0x010F, "SONY").mainAscii(0x0110, QByteArray("DSC-P10\0", 8));
        t.mainAscii(0x0132, QByteArray(" 2006:02:03 04:05:06\n\0", 22));
        const TImageInfo info = readTiff(t);
        EXPECT_EQ(info.cameraMake, u"SONY"); // no zero written: the last letter stays
        EXPECT_EQ(info.cameraModel, u"DSC-P10");
        EXPECT_EQ(info.photoDate, u"2006:02:03 04:05:06");
    }
    TiffBytes longTexts(false);
    longTexts.mainAscii(0x010F, QByteArray(40, 'M')).mainAscii(0x0110, QByteArray(50, 'm') + '\0');
    longTexts.mainAscii(0x0132, QByteArray("   ") + QByteArray(25, '9'));
    const TImageInfo info = readTiff(longTexts);
    EXPECT_EQ(info.cameraMake.size(), 32);
    EXPECT_EQ(info.cameraModel.size(), 40);
    EXPECT_EQ(info.photoDate, QString(20, u'9')); // trimmed, then cut
}

TEST(ExifTags, DateTimeOriginalWinsOverDateTimeUnlessBlank)
{
    TiffBytes after(false);
    after.mainAscii(0x0132, "2001:01:01 01:01:01").exifAscii(0x9003, "2002:02:02 02:02:02");
    EXPECT_EQ(readTiff(after).photoDate, u"2002:02:02 02:02:02");

    TiffBytes before(true); // the original date in the first directory, DateTime after it
    before.mainAscii(0x9003, "2002:02:02 02:02:02").mainAscii(0x0132, "2001:01:01 01:01:01");
    EXPECT_EQ(readTiff(before).photoDate, u"2002:02:02 02:02:02");

    TiffBytes blank(false);
    blank.mainAscii(0x0132, "2001:01:01 01:01:01").exifAscii(0x9003, QByteArray(19, ' ') + '\0');
    EXPECT_EQ(readTiff(blank).photoDate, u"2001:01:01 01:01:01");
}

TEST(ExifTags, ApertureFromApexOnlyWhenFNumberIsZero)
{
    TiffBytes zero(true);
    zero.exifRational(0x829D, 0, 1).exifRational(0x9202, 4, 1); // APEX 4 is f/4
    EXPECT_DOUBLE_EQ(readTiff(zero).fNumber, 4.0);

    TiffBytes apexFirst(false); // whichever APEX tag comes first, in any order
    apexFirst.exifRational(0x9205, 2, 1).exifRational(0x9202, 6, 1).exifRational(0x829D, 0, 10);
    EXPECT_DOUBLE_EQ(readTiff(apexFirst).fNumber, 2.0);

    TiffBytes set(false);
    set.exifRational(0x829D, 28, 10).exifRational(0x9202, 4, 1);
    EXPECT_DOUBLE_EQ(readTiff(set).fNumber, 2.8);

    TiffBytes apexOnly(false); // without FNumber the aperture stays unknown
    apexOnly.exifRational(0x9202, 4, 1);
    EXPECT_EQ(readTiff(apexOnly).fNumber, -1);
}

TEST(ExifTags, ExposureFromShutterSpeedOnlyWithoutAnExposureTime)
{
    TiffBytes alone(true);
    alone.exifSRational(0x9201, 6, 1);
    EXPECT_DOUBLE_EQ(readTiff(alone).exposureTime, 1.0 / 64);

    TiffBytes both(false); // ExposureTime wins whatever the order
    both.exifSRational(0x9201, 6, 1).exifRational(0x829A, 1, 250);
    EXPECT_DOUBLE_EQ(readTiff(both).exposureTime, 1.0 / 250);

    TiffBytes zero(false); // an exposure of 0 is unknown, the APEX value then counts
    zero.exifRational(0x829A, 0, 1).exifSRational(0x9201, 1, 1);
    EXPECT_DOUBLE_EQ(readTiff(zero).exposureTime, 0.5);

    TiffBytes zeroAlone(false);
    zeroAlone.exifRational(0x829A, 0, 1).exifRational(0x920A, 0, 0); // and 0/0 is no focal
    EXPECT_EQ(readTiff(zeroAlone).exposureTime, -1);
    EXPECT_EQ(readTiff(zeroAlone).focalLength, -1);
}

TEST(ExifTags, NumbersOfEveryIntegerTypeAndRounding)
{
    TiffBytes t(true);
    t.exifShort(0xA002, 2272).exifLong(0xA003, 1704).exifRational(0x9209, 5, 2);
    t.exifRational(0x9206, 3, 2);
    const TImageInfo info = readTiff(t);
    EXPECT_EQ(info.width, 2272);
    EXPECT_EQ(info.height, 1704);
    EXPECT_EQ(info.flash, 2); // 2.5 rounds to even
    EXPECT_DOUBLE_EQ(info.subjectDistance, 1.5);
}

TEST(ExifTags, UserCommentDecodesItsCharacterCode)
{
    struct Case {
        bool big;
        QByteArray value;
        QString expected;
    };
    const Case cases[] = {
        {false, QByteArray("ASCII\0\0\0Vacances 2007", 21), u"Vacances 2007"_qs},
        {false, QByteArray("ASCII\0\0\0Plage\0\0\0   ", 19), u"Plage"_qs},
        {false, QByteArray("UNICODE\0\xE9\x00t\x00\xE9\x00", 14), u"été"_qs},
        {true, QByteArray("UNICODE\0\x00\xE9\x00t\x00\xE9", 14), u"été"_qs},
        {true, QByteArray("UNICODE\0\xFF\xFE\xE9\x00", 12), u"é"_qs}, // a byte-order mark wins
        {false, QByteArray("\0\0\0\0\0\0\0\0Caf\xE9  ", 14), u"Café"_qs},
        {false, QByteArray("JIS\0\0\0\0\0abc", 11), u"abc"_qs},
        {false, QByteArray("ASCII\0\0\0", 8) + QByteArray(20, ' '), QString()},
        {false, QByteArray(" Sans code\0", 11), u"Sans code"_qs},
    };
    for (const Case &c : cases) {
        TiffBytes t(c.big);
        t.exifUndefined(0x9286, c.value);
        EXPECT_EQ(readTiff(t).userComment, c.expected) << c.value.toHex().constData();
    }
}

TEST(ExifTags, SensorWidthFromTheFocalPlaneResolution)
{
    struct Case {
        std::uint16_t unit; // 0: no unit tag, inches
        double expected;
    };
    // 2272 pixels at 8114.2857 pixels per unit
    const Case cases[] = {{0, 2272 * 25.4 / 8114.2857}, {1, 2272 * 25.4 / 8114.2857},
                          {2, 2272 * 25.4 / 8114.2857}, {3, 2272 * 10 / 8114.2857},
                          {4, 2272 / 8114.2857},        {5, 2272 * 0.001 / 8114.2857},
                          {6, -1}};
    for (const Case &c : cases) {
        TiffBytes t(false);
        t.exifShort(0xA002, 2272).exifRational(0xA20E, 81142857, 10000);
        if (c.unit)
            t.exifShort(0xA210, c.unit);
        EXPECT_NEAR(readTiff(t).sensorWidth, c.expected, 1e-12) << c.unit;
    }
    TiffBytes mainWidth(false); // without PixelXDimension the image width counts
    mainWidth.main(0x0100, 3, 1, mainWidth.u16(1000)).exifRational(0xA20E, 1000, 1).exifShort(0xA210, 4);
    EXPECT_DOUBLE_EQ(readTiff(mainWidth).sensorWidth, 1.0);
    TiffBytes noWidth(false); // no width at all: unknown, never 0
    noWidth.exifRational(0xA20E, 1000, 1);
    EXPECT_EQ(readTiff(noWidth).sensorWidth, -1);
}
