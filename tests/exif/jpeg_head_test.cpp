// The segment walk of JPEG files: which segments count, what is found and kept.
#include "imaging/exif/exif_reader.h"
#include "tests/exif/exif_bytes.h"

#include <gtest/gtest.h>

using exif::TImageInfo;
using exif_test::TiffBytes;
using exif_test::exifSegment;
using exif_test::jpegWith;
using exif_test::segment;

namespace {

const QByteArray kJfif = segment(0xE0, QByteArray("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));

QByteArray makeExif(const QByteArray &make)
{
    return exifSegment(TiffBytes(false).mainAscii(0x010F, make).build());
}

} // namespace

TEST(JpegHead, ExifBlockIsTakenAsFirstOrSecondSegmentOnly)
{
    TImageInfo info;
    ASSERT_TRUE(exif::readJpegExif(jpegWith(makeExif("Canon")), info));
    EXPECT_EQ(info.cameraMake, u"Canon");
    info = {};
    ASSERT_TRUE(exif::readJpegExif(jpegWith(kJfif + makeExif("Canon")), info));
    EXPECT_EQ(info.cameraMake, u"Canon");
    EXPECT_EQ(info.flash, 0); // an EXIF block without the flash tag

    info = {};
    const QByteArray app2 = segment(0xE2, "ICC_PROFILE");
    EXPECT_FALSE(exif::readJpegExif(jpegWith(kJfif + app2 + makeExif("Canon")), info));
    EXPECT_TRUE(info.cameraMake.isEmpty());
    EXPECT_EQ(info.flash, -1);
    EXPECT_TRUE(info.jpegSegments.exif.isEmpty());
}

TEST(JpegHead, LateApp1IsNotCountedAgainstTheTwentySegments)
{
    // 2 segments, 5 ignored APP1, 17 more: the comment is the 20th counted segment.
    const QByteArray app2 = segment(0xE2, "x");
    QByteArray segments = kJfif + app2;
    for (int i = 0; i < 5; ++i)
        segments += segment(0xE1, "late");
    for (int i = 0; i < 17; ++i)
        segments += app2;
    TImageInfo info;
    EXPECT_TRUE(exif::readJpegExif(jpegWith(segments + segment(0xFE, "vingt")), info));
    // one more counted segment and the comment is past the limit
    info = {};
    EXPECT_FALSE(exif::readJpegExif(jpegWith(segments + app2 + segment(0xFE, "vingt et un")), info));
}

TEST(JpegHead, CommentOrIptcAloneIsASuccess)
{
    TImageInfo info;
    EXPECT_TRUE(exif::readJpegExif(jpegWith(segment(0xFE, "Commentaire")), info));
    EXPECT_TRUE(exif::readJpegExif(jpegWith(kJfif + segment(0xED, "Photoshop 3.0")), info));
    EXPECT_FALSE(exif::readJpegExif(jpegWith(kJfif), info));
    EXPECT_FALSE(exif::readJpegExif(QByteArray("\xFF\xD9", 2), info));
    // an APP1 that is no EXIF block (XMP) is no success either, but the walk goes on
    const QByteArray xmp = segment(0xE1, "http://ns.adobe.com/xap/1.0/\0");
    EXPECT_FALSE(exif::readJpegExif(jpegWith(xmp), info));
    EXPECT_TRUE(exif::readJpegExif(jpegWith(xmp + makeExif("Pentax")), info));
    EXPECT_EQ(info.cameraMake, u"Pentax");
}

TEST(JpegHead, KeepsTheMetadataSegmentsWholeForRewriting)
{
    const QByteArray exifBlock = makeExif("Canon");
    const QByteArray iptc = segment(0xED, "Photoshop 3.0");
    const QByteArray comment = segment(0xFE, "Commentaire");
    const QByteArray sof = segment(0xC0, QByteArray("\x08\x00\x30\x00\x40\x03", 6));
    // fill bytes before a marker are skipped and not kept
    const QByteArray bytes = jpegWith(kJfif + exifBlock + QByteArray("\xFF\xFF", 2) + iptc + comment
                                      + segment(0xFE, "second") + sof);
    TImageInfo info;
    ASSERT_TRUE(exif::readJpegExif(bytes, info));
    EXPECT_EQ(info.jpegSegments.app0, kJfif);
    EXPECT_EQ(info.jpegSegments.exif, exifBlock);
    EXPECT_EQ(info.jpegSegments.iptc, iptc);
    EXPECT_EQ(info.jpegSegments.comment, comment); // the first of two
}

TEST(JpegHead, BrokenSegmentsEndTheWalkKeepingWhatWasFound)
{
    const QByteArray comment = segment(0xFE, "Commentaire");
    TImageInfo info;
    const QByteArray start("\xFF\xD8", 2);
    EXPECT_TRUE(exif::readJpegExif(start + comment + QByteArray("\xFF\xE2\x40\x00short", 9), info));
    EXPECT_TRUE(exif::readJpegExif(start + comment + QByteArray("\xFF\xE2\x00\x01", 4), info));
    EXPECT_TRUE(exif::readJpegExif(start + comment + QByteArray("garbage"), info));
    EXPECT_FALSE(exif::readJpegExif(start + QByteArray("\xFF\x00\xFF\xFE\x00\x03x", 7), info));
    EXPECT_FALSE(exif::readJpegExif(start + QByteArray("\xFF\xFF\xFF", 3), info));
    EXPECT_FALSE(exif::readJpegExif(QByteArray("\xFF\xD8\xFF", 3), info));
    EXPECT_FALSE(exif::readJpegExif(QByteArray("\xFF", 1), info));
    EXPECT_FALSE(exif::readJpegExif(QByteArray("II*\0", 4), info));
    // an EXIF block whose directories are damaged still counts as found
    info = {};
    EXPECT_TRUE(exif::readJpegExif(jpegWith(exifSegment(QByteArray("MM\0\x2A\0\0\xFF\xFF", 8))), info));
    EXPECT_EQ(info.flash, 0);
}

TEST(JpegHead, SensorWidthFallsBackToTheFrameWidth)
{
    TiffBytes t(true);
    t.exifRational(0xA20E, 64, 1).exifShort(0xA210, 4); // 64 pixels per millimetre
    const QByteArray sof = segment(0xC2, QByteArray("\x08\x00\x30\x01\x00\x03", 6)); // 256 wide
    TImageInfo info;
    ASSERT_TRUE(exif::readJpegExif(jpegWith(exifSegment(t.build()) + sof), info));
    EXPECT_DOUBLE_EQ(info.sensorWidth, 4.0);
}
