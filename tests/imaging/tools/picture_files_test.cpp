#include "imaging/tools/picture_files.h"
#include "tools_test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <unistd.h>

using namespace tools_test;
using imagetools::encodeBmp24;
using imagetools::writePictureFile;

TEST(EncodeBmp24, WritesBottomUpRowsPaddedToFourBytesAfterTheTwoHeaders)
{
    QImage picture(3, 2, QImage::Format_BGR888);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(1, 0, qRgb(4, 5, 6));
    picture.setPixel(2, 0, qRgb(7, 8, 9));
    picture.setPixel(0, 1, qRgb(10, 11, 12));
    picture.setPixel(1, 1, qRgb(13, 14, 15));
    picture.setPixel(2, 1, qRgb(16, 17, 18));
    const QByteArray bmp = *encodeBmp24(picture);
    ASSERT_EQ(bmp.size(), 14 + 40 + 2 * 12);
    EXPECT_EQ(bmp.first(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.data() + 2), 78u);  // file size
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.data() + 10), 54u); // pixel offset
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.data() + 14), 40u);
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.data() + 18), 3);
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.data() + 22), 2); // positive height: bottom row first
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.data() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.data() + 30), 0u);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.data() + 34), 24u);
    EXPECT_EQ(bmp.sliced(54), QByteArray("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0"
                                         "\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 24));
    EXPECT_FALSE(encodeBmp24(QImage()));

    // Any picture is written as 24 bits, and the program's reader reads it back.
    QTemporaryDir dir;
    const QImage source = numbered(37, 5);
    writeAll(dir.filePath("a.bmp"), *encodeBmp24(source.convertToFormat(QImage::Format_RGB32)));
    EXPECT_EQ(loaded(dir.filePath("a.bmp")), source);
}

TEST(WritePictureFile, ReplacesTheFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Photo.JPG");
    writeAll(path, "old contents");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    ASSERT_TRUE(writePictureFile(path, "new"));
    EXPECT_EQ(readAll(path), "new");
    EXPECT_EQ(QFileInfo(path).permissions() & 0x7077, permissions); // owner, group, others
    EXPECT_EQ(names(dir.path()), QStringList{"Photo.JPG"}); // no temporary file left, no other case
}

TEST(WritePictureFile, AWriteThatFailsHalfWayLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.bmp");
    const QByteArray old = *encodeBmp24(numbered(40, 40));
    writeAll(path, old);
    // Large contents go to the disk as they are written; small ones wait in a buffer until
    // the end, where a failure is easy to miss.
    for (int size : {200000, 5000, 1001}) {
        FileSizeLimit full(1000); // the disk fills after 1000 bytes
        const auto written = writePictureFile(path, QByteArray(size, 'x'));
        EXPECT_FALSE(written) << size;
    }
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(names(dir.path()), QStringList{"big.bmp"});
}

TEST(WritePictureFile, AFolderThatCannotBeWrittenLeavesTheOldFileAsItWas)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    writeAll(path, "old");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(writePictureFile(path, "new"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readAll(path), "old");
    EXPECT_EQ(names(dir.path()), QStringList{"photo.jpg"});
}

TEST(LoadToolPicture, GivesA24BitPictureWithAlphaOverWhite)
{
    QTemporaryDir dir;
    QImage withAlpha(2, 1, QImage::Format_ARGB32);
    withAlpha.setPixel(0, 0, qRgba(255, 0, 0, 255));
    withAlpha.setPixel(1, 0, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(withAlpha.save(dir.filePath("a.png")));
    auto picture = imagetools::loadToolPicture(dir.filePath("a.png"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bitmap.format(), QImage::Format_BGR888);
    EXPECT_EQ(picture->bitmap.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture->bitmap.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_FALSE(picture->plainBitmap);
    EXPECT_FALSE(imagetools::loadToolPicture(dir.filePath("none.png")));
}
