// Damaged directories: the read stops inside the data, keeps what it had, and never loops.
#include "imaging/exif/exif_reader.h"
#include "tests/exif/exif_bytes.h"

#include <gtest/gtest.h>

using exif::TImageInfo;
using exif_test::TiffBytes;

namespace {

// II header, then one directory at offset 8 whose entries are given, then `next`.
QByteArray littleTiff(std::uint16_t declaredCount, const QByteArray &entries, std::uint32_t next)
{
    TiffBytes b(false);
    return QByteArray("II\x2A\x00\x08\x00\x00\x00", 8) + b.u16(declaredCount) + entries + b.u32(next);
}

QByteArray entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value)
{
    TiffBytes b(false);
    return b.u16(tag) + b.u16(type) + b.u32(count) + b.u32(value);
}

} // namespace

TEST(MalformedExif, TruncatedDirectoryKeepsTheEntriesBeforeTheCut)
{
    // Ten entries announced, two present, the file ends in the third.
    const QByteArray bytes = littleTiff(10, entry(0x9209, 3, 1, 1) + entry(0xA002, 4, 1, 640) + QByteArray("\x0A\x92\x05", 3), 0)
                                 .chopped(4); // no room left for the next-directory offset
    TImageInfo info;
    EXPECT_TRUE(exif::readTiffExif(bytes, info)); // "II" is all a TIFF read needs
    EXPECT_EQ(info.flash, 1);
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.focalLength, -1);
}

TEST(MalformedExif, OffsetsPastTheEndStopTheRead)
{
    // Make points far past the end, then a flash entry that is never reached.
    TImageInfo info;
    exif::readTiffExif(littleTiff(2, entry(0x010F, 2, 10, 0x7FFFFFF0) + entry(0x9209, 3, 1, 1), 0), info);
    EXPECT_TRUE(info.cameraMake.isEmpty());
    EXPECT_EQ(info.flash, -1);

    // A count so large that count x size wraps a 32-bit product.
    info = {};
    exif::readTiffExif(littleTiff(1, entry(0x829A, 5, 0x20000001, 8), 0), info);
    EXPECT_EQ(info.exposureTime, -1);

    // First directory and EXIF sub-directory beyond the data.
    info = {};
    EXPECT_TRUE(exif::readTiffExif(QByteArray("MM\x00\x2A\xFF\xFF\xFF\xF0", 8), info));
    info = {};
    exif::readTiffExif(littleTiff(2, entry(0x9209, 3, 1, 16) + entry(0x8769, 4, 1, 4000), 0), info);
    EXPECT_EQ(info.flash, 16);

    // Tags of no interest may point anywhere: a broken maker note does not stop the read.
    info = {};
    exif::readTiffExif(littleTiff(2, entry(0x927C, 7, 100000, 0xFFFFFF00) + entry(0x9209, 3, 1, 1), 0), info);
    EXPECT_EQ(info.flash, 1);
}

TEST(MalformedExif, CyclicChainsEndTheRead)
{
    TImageInfo info;
    // The directory at 8 names itself as the next one.
    exif::readTiffExif(littleTiff(1, entry(0x9209, 3, 1, 1), 8), info);
    EXPECT_EQ(info.flash, 1);
    // Its EXIF pointer leads back to it.
    info = {};
    exif::readTiffExif(littleTiff(2, entry(0x9209, 3, 1, 1) + entry(0x8769, 4, 1, 8), 0), info);
    EXPECT_EQ(info.flash, 1);
    // Two directories naming each other: 8 -> 26 -> 8.
    TiffBytes b(false);
    const QByteArray two = littleTiff(1, entry(0x9209, 3, 1, 1), 26) + b.u16(1) + entry(0xA002, 3, 1, 99) + b.u32(8);
    info = {};
    exif::readTiffExif(two, info);
    EXPECT_EQ(info.flash, 1);
    EXPECT_EQ(info.width, 99);
}

TEST(MalformedExif, ZeroDenominatorsAndOddTypesLeaveItemsUnknown)
{
    TiffBytes t(true);
    t.exifRational(0x920A, 7, 0).exifAscii(0x9209, "1").exif(0x9206, 99, 1, t.u32(1));
    t.exif(0xA002, 12, 1, QByteArray("\x7F\xF8\0\0\0\0\0\0", 8)); // a double NaN
    TImageInfo info;
    EXPECT_TRUE(exif::readTiffExif(t.build(), info));
    EXPECT_EQ(info.focalLength, -1);
    EXPECT_EQ(info.flash, -1);
    EXPECT_EQ(info.subjectDistance, -1);
    EXPECT_EQ(info.width, -1);
}
