// The orientation tag read from the head of a JPEG file and from a TIFF structure.
#include "imaging/exif/orientation_tag.h"
#include "tests/readers/oriented_files.h"

#include <gtest/gtest.h>

using exif::jpegOrientationTag;
using exif::tiffOrientationTag;
using oriented_test::exifOrientationSegment;

namespace {

const QByteArray kStart("\xFF\xD8", 2);
const QByteArray kImageData = QByteArray("\xFF\xDA\x00\x02", 4) + "data" + QByteArray("\xFF\xD9", 2);

QByteArray segment(uchar marker, const QByteArray &payload)
{
    QByteArray s("\xFF");
    s.append(char(marker)).append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 0xFF));
    return s + payload;
}

TEST(JpegOrientationTag, FindsTheExifBlockAmongTheHeadSegmentsInEitherByteOrder)
{
    for (bool bigEndian : {false, true}) {
        EXPECT_EQ(jpegOrientationTag(kStart + exifOrientationSegment(6, bigEndian) + kImageData), 6);
        // After a JFIF segment, an XMP block (APP1 too) and fill bytes.
        const QByteArray xmp = segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
        const QByteArray head = segment(0xE0, QByteArray("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14)) + xmp
                                + QByteArray("\xFF\xFF", 2).sliced(1);
        EXPECT_EQ(jpegOrientationTag(kStart + head + exifOrientationSegment(8, bigEndian) + kImageData), 8);
    }
}

TEST(JpegOrientationTag, GivesNothingWithoutABlockBeforeTheImageDataOrOnDamagedBytes)
{
    EXPECT_EQ(jpegOrientationTag(kStart + kImageData), 0);
    EXPECT_EQ(jpegOrientationTag(kStart + kImageData + exifOrientationSegment(3)), 0); // after the scan
    EXPECT_EQ(jpegOrientationTag(exifOrientationSegment(3)), 0);                     // no start marker
    const QByteArray whole = kStart + exifOrientationSegment(3);
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        EXPECT_EQ(jpegOrientationTag(whole.first(cut)), 0) << cut;
    EXPECT_EQ(jpegOrientationTag(whole), 3);
    // A segment length below 2 ends the walk.
    EXPECT_EQ(jpegOrientationTag(kStart + QByteArray("\xFF\xE0\x00\x01", 4) + exifOrientationSegment(3)), 0);
}

TEST(TiffOrientationTag, ReadsAShortValueOnly)
{
    const QByteArray tiff = oriented_test::tiffWithOrientation(QImage(4, 2, QImage::Format_RGB888), 7);
    EXPECT_EQ(tiffOrientationTag(tiff), 7);
    QByteArray asLong = exifOrientationSegment(5).sliced(10);
    asLong[10 + 2] = 4; // the entry's type: LONG
    EXPECT_EQ(tiffOrientationTag(asLong), 0);
    EXPECT_EQ(tiffOrientationTag(exifOrientationSegment(5).sliced(10)), 5);
    EXPECT_EQ(tiffOrientationTag("II*\0\x08\0\0\0"), 0);
    EXPECT_EQ(tiffOrientationTag("PK"), 0);
}

} // namespace
