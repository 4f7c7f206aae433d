// Reading files for the decoders: whole regular files within a size limit, nothing else,
// and a file shortened while it is read gives a failure, never a crash.
#include "base/file_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(FileBytes, ReadsAWholeFileLargerThanOnePiece)
{
    QTemporaryDir dir;
    QByteArray bytes(3 * 1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 251);
    const auto read = readFileBytes(writeFile(dir, "a.bmp", bytes));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, bytes);
}

TEST(FileBytes, RefusesWhatCannotBeAPictureFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readFileBytes(writeFile(dir, "empty.png", {})));
    EXPECT_FALSE(readFileBytes(dir.filePath(QStringLiteral("missing.png"))));
    EXPECT_FALSE(readFileBytes(dir.path())) << "a folder";

    // A named pipe nobody writes into would block a plain open for ever.
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto piped = readFileBytes(fifo);
    ASSERT_FALSE(piped);
    EXPECT_TRUE(piped.error().message.contains(QStringLiteral("pipe.jpg"))) << piped.error().message.toStdString();

    // Over the limit: refused before anything is allocated, whatever the size.
    EXPECT_FALSE(readFileBytes(writeFile(dir, "b.pcx", QByteArray(101, 'x')), 100));
    EXPECT_TRUE(readFileBytes(writeFile(dir, "c.pcx", QByteArray(100, 'x')), 100));
    const QString sparse = dir.filePath(QStringLiteral("huge.jpg"));
    QFile huge(sparse);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxPictureFileBytes + 1)); // sparse: no disk space taken
    huge.close();
    const auto tooLarge = readFileBytes(sparse);
    ASSERT_FALSE(tooLarge);
    EXPECT_TRUE(tooLarge.error().message.contains(QStringLiteral("trop grand"))) << tooLarge.error().message.toStdString();
}

TEST(FileBytes, AFileShortenedWhileReadFailsTheReadsPastItsNewEnd)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "cut.tif", QByteArray(400'000, '\x21'));
    FileReader file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.size(), 400'000);
    QFile(path).resize(200'000); // another program shortens the file
    QByteArray buffer(300'000, '\0');
    EXPECT_FALSE(file.readAt(0, buffer.data(), 300'000));
    EXPECT_FALSE(file.readAt(199'999, buffer.data(), 2));
    ASSERT_TRUE(file.readAt(100'000, buffer.data(), 100'000));
    EXPECT_EQ(buffer.first(100'000), QByteArray(100'000, '\x21'));
}

} // namespace
