// Reading photo information from files: only the parts needed are read, wherever they lie
// in the file, and a file cut short while it is read fails without bringing the program down.
#include "imaging/exif/exif_reader.h"
#include "imaging/exif/partial_file.h"
#include "tests/exif/exif_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

using exif::TImageInfo;
using exif_test::jpegWith;
using exif_test::segment;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray le16(quint16 v) { QByteArray b(2, '\0'); qToLittleEndian(v, b.data()); return b; }
QByteArray le32(quint32 v) { QByteArray b(4, '\0'); qToLittleEndian(v, b.data()); return b; }

} // namespace

TEST(ExifFile, AJpegHeadLongerThanTheFirstReadIsWalkedToItsEnd)
{
    // 19 counted segments of 60,000 bytes (1.1 MB), the comment as the 20th, then a long
    // scan: the comment lies beyond the first two prefixes read.
    QByteArray segments;
    for (int i = 0; i < 19; ++i)
        segments += segment(0xE2, QByteArray(60000, char('a' + i)));
    segments += segment(0xFE, "Au bout de la tête");
    QTemporaryDir dir;
    const QString path = writeFile(dir, "long.JPG", jpegWith(segments) + QByteArray(3'000'000, '\x55'));
    TImageInfo info;
    ASSERT_TRUE(exif::ReadExif(path, info));
    EXPECT_EQ(info.jpegSegments.comment, segment(0xFE, "Au bout de la tête"));
    EXPECT_EQ(info.fileSize, QFileInfo(path).size());
}

TEST(ExifFile, ATiffDirectoryAtTheEndOfALargeFileIsRead)
{
    // "II", 42, the first directory after 1.5 MB of strip data: one entry, Make, 6 bytes
    // of text stored after the directory.
    const quint32 ifd = 8 + 1'500'000;
    QByteArray tiff = QByteArray("II", 2) + le16(42) + le32(ifd) + QByteArray(1'500'000, '\x33');
    tiff += le16(1) + le16(0x010F) + le16(2) + le32(6) + le32(ifd + 2 + 12 + 4) + le32(0);
    tiff += QByteArray("Nikon\0", 6);
    QTemporaryDir dir;
    TImageInfo info;
    ASSERT_TRUE(exif::ReadExif(writeFile(dir, "scan.tif", tiff), info));
    EXPECT_EQ(info.cameraMake, u"Nikon");
}

TEST(ExifFile, AFileCutShortWhileReadFailsThatReadOnly)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "cut.tif", QByteArray(400'000, '\x21'));
    exif::PartialFile file(path);
    ASSERT_TRUE(file.isOpen());
    ASSERT_TRUE(file.load(0, 10));
    QFile(path).resize(200'000); // another program shortens the file
    EXPECT_FALSE(file.load(300'000, 8));
    EXPECT_TRUE(file.load(70'000, 8)) << "a part still in the file";
    EXPECT_EQ(file.bytes().sliced(70'000, 8), QByteArray(8, '\x21'));
    EXPECT_FALSE(file.load(399'999, 2)) << "beyond the size at opening";
    EXPECT_FALSE(file.load(-1, 2));
}

// A 40 GB file (sparse: it takes no disk space) once made the reader ask for a 40 GB
// buffer and end the program with std::bad_alloc; a named pipe blocked it for ever.
TEST(ExifFile, FilesNoPictureCouldBeAreNotRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.jpg"));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(jpegWith(segment(0xE1, QByteArray("Exif\0\0", 6) + QByteArray(20, 0))));
    ASSERT_TRUE(huge.resize(qint64(40) << 30));
    huge.close();
    TImageInfo info;
    EXPECT_FALSE(exif::ReadExif(path, info));
    EXPECT_FALSE(exif::PartialFile(path).isOpen());
    EXPECT_EQ(info.fileSize, qint64(40) << 30) << "the folder entry still gives the size";

    const QString fifo = dir.filePath(QStringLiteral("pipe.tif"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(exif::ReadExif(fifo, info));
}
