#include "player/payload/show_payload.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace player;

namespace {

void append32(QByteArray &b, qint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((quint32(v) >> (8 * i)) & 0xFF));
}

// A slide record built by hand: image size, display time, style; the rest zeros.
QByteArray record(qint32 imageSize, qint32 displayTime = 5, qint32 style = 0)
{
    QByteArray r(112, '\0');
    QByteArray head;
    append32(head, imageSize);
    append32(head, displayTime);
    r.replace(0, 8, head);
    QByteArray s;
    append32(s, style);
    r.replace(108, 4, s);
    return r;
}

QByteArray fakeJpeg(int n) { return QByteArray(n, '\x42'); }

// A player of `playerSize` bytes, a header, the given blocks and the trailer.
QByteArray showFile(int playerSize, const QByteArray &blocks, quint32 trailer)
{
    QByteArray f(playerSize, '\x90');
    QByteArray header(84, '\0');
    header[81] = 1;
    f += header;
    f += blocks;
    QByteArray t;
    append32(t, qint32(trailer));
    return f + t;
}

Result<ShowPayload> read(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readShowPayload(buffer);
}

} // namespace

TEST(PayloadReader, ReadsHandBuiltBlocksAndSkipsEmptyRecords)
{
    const QByteArray blocks = record(3, 4, 56) + fakeJpeg(3) + record(0) + record(2, 9, 118) + fakeJpeg(2);
    auto payload = read(showFile(100, blocks, 100));
    ASSERT_TRUE(payload) << payload.error().message.toStdString();
    EXPECT_EQ(payload->headerOffset, 100);
    EXPECT_TRUE(payload->header.loop);
    ASSERT_EQ(payload->slides.size(), 2u);
    EXPECT_EQ(payload->slides[0].jpegOffset, 100 + 84 + 112);
    EXPECT_EQ(payload->slides[0].record.imageSize, 3);
    EXPECT_EQ(payload->slides[0].record.displayTime, 4);
    EXPECT_EQ(payload->slides[0].record.style, 56);
    EXPECT_EQ(payload->slides[1].jpegOffset, 100 + 84 + 112 + 3 + 112 + 112);
    EXPECT_EQ(payload->slides[1].record.style, 118);
    EXPECT_EQ(payload->emptyRecords, 1);
    EXPECT_EQ(payload->stop, PayloadStop::Complete);
}

TEST(PayloadReader, AShowWithNoPlayableSlideIsStillAPayload)
{
    auto none = read(showFile(10, {}, 10));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->slides.empty());
    auto onlyFailed = read(showFile(10, record(0) + record(0), 10));
    ASSERT_TRUE(onlyFailed);
    EXPECT_TRUE(onlyFailed->slides.empty());
    EXPECT_EQ(onlyFailed->emptyRecords, 2);
}

TEST(PayloadReader, StopsAtTheFirstBadBlockKeepingTheGoodOnes)
{
    const QByteArray good = record(3) + fakeJpeg(3);
    struct Case { QByteArray bad; PayloadStop stop; };
    const Case cases[] = {
        {record(-1) + fakeJpeg(8) + good, PayloadStop::NegativeImageSize},
        {record(500) + fakeJpeg(8) + good, PayloadStop::BlockPastTrailer},
        {record(3).left(50), PayloadStop::TruncatedRecord}, // the last block, cut short
    };
    for (const Case &c : cases) {
        auto payload = read(showFile(20, good + c.bad, 20));
        ASSERT_TRUE(payload);
        EXPECT_EQ(payload->slides.size(), 1u);
        EXPECT_EQ(payload->stop, c.stop);
        EXPECT_EQ(payload->stopOffset, 20 + 84 + 115);
        EXPECT_FALSE(describeStop(c.stop).isEmpty());
    }
}

TEST(PayloadReader, RefusesFilesThatCarryNoPayload)
{
    EXPECT_FALSE(read(QByteArray("abc")));                          // shorter than a trailer
    EXPECT_FALSE(read(QByteArray(87, '\0')));                       // trailer 0, no room for the header
    EXPECT_FALSE(read(showFile(10, {}, 11)));                       // header would overlap the trailer
    EXPECT_FALSE(read(showFile(10, {}, 0xFFFFFFF0u)));              // beyond the file ("negative")
    QByteArray elf = showFile(0, {}, 0);
    elf[0] = '\x7F';                                                // music name length 127 > 80
    EXPECT_FALSE(read(elf));
    EXPECT_EQ(read(QByteArray(3, 'x')).error().message, QStringLiteral("Ce fichier ne contient pas de lumivelle."));
}

TEST(PayloadWriter, TrailerOfA751616BytePlayer)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.exe"));
    {
        QFile player(path);
        ASSERT_TRUE(player.open(QIODevice::WriteOnly));
        player.write(QByteArray(751616, '\x90'));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    PayloadWriter writer(file);
    ASSERT_TRUE(writer.writeHeader(TShowHeader{QStringLiteral("music.mp3"), false, true, false}));
    TSlideRecord r;
    r.caption = QStringLiteral("Plage");
    ASSERT_TRUE(writer.writeSlide(r, QByteArray("\xFF\xD8jpeg\xFF\xD9", 8)));
    ASSERT_TRUE(writer.writeEmptySlide(r));
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(writer.headerOffset(), 751616);

    const qint64 size = file.size();
    EXPECT_EQ(size, 751616 + 84 + 112 + 8 + 112 + 4);
    file.seek(size - 4);
    EXPECT_EQ(file.read(4), QByteArray("\x00\x78\x0B\x00", 4)); // 0x000B7800
    file.seek(751616);
    EXPECT_EQ(file.read(10), QByteArray("\x09music.mp3", 10));

    auto payload = readShowPayload(file);
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->header.musicName, QStringLiteral("music.mp3"));
    EXPECT_TRUE(payload->header.allowCopy);
    ASSERT_EQ(payload->slides.size(), 1u);
    EXPECT_EQ(payload->slides[0].record.caption, QStringLiteral("Plage"));
    EXPECT_EQ(payload->slides[0].record.imageSize, 8);
    file.seek(payload->slides[0].jpegOffset);
    EXPECT_EQ(file.read(8), QByteArray("\xFF\xD8jpeg\xFF\xD9", 8));
    EXPECT_EQ(payload->emptyRecords, 1);
}

namespace {

// Records read in blocks, and runs of empty records in a hole of a sparse file (which is
// never read): the same slides as from the bytes in memory, every record seen in order.
TEST(PayloadReader, BlocksAndHolesGiveTheSameSlidesAsTheBytes)
{
    constexpr qint64 kEmpty = 300'000; // 33.6 MB of zero records, most of them in a hole
    QByteArray head(1000, '\x90');
    QByteArray header(84, '\0');
    header[82] = 1;
    head += header + record(5, 3, 7) + fakeJpeg(5);
    const QByteArray tail = record(4, 6, 9) + fakeJpeg(4);
    const qint64 tailAt = head.size() + kEmpty * 112;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("show.exe")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(head);
    ASSERT_TRUE(file.seek(tailAt)); // the zero records between are a hole
    file.write(tail);
    QByteArray trailer;
    append32(trailer, 1000);
    file.write(trailer);
    ASSERT_TRUE(file.flush());

    std::vector<qint64> seen;
    qint64 nonEmptySeen = 0;
    auto fromFile = readShowPayload(file, [&](qint64 offset, QByteArrayView bytes) {
        if (seen.size() < 3 || bytes.at(0) != 0)
            seen.push_back(offset);
        nonEmptySeen += bytes.at(0) != 0 ? 1 : 0;
    });
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->stop, PayloadStop::Complete);
    EXPECT_EQ(fromFile->emptyRecords, kEmpty);
    ASSERT_EQ(fromFile->slides.size(), 2u);
    EXPECT_EQ(fromFile->slides[0].jpegOffset, 1000 + 84 + 112);
    EXPECT_EQ(fromFile->slides[1].jpegOffset, tailAt + 112);
    EXPECT_EQ(fromFile->slides[1].record.style, 9);
    EXPECT_EQ(seen, (std::vector<qint64>{1084, 1084 + 117, 1084 + 117 + 112, tailAt}));
    EXPECT_EQ(nonEmptySeen, 2);

    file.seek(0);
    auto fromBytes = read(file.readAll());
    ASSERT_TRUE(fromBytes);
    EXPECT_EQ(fromBytes->emptyRecords, kEmpty);
    ASSERT_EQ(fromBytes->slides.size(), 2u);
    EXPECT_EQ(fromBytes->slides[1].jpegOffset, fromFile->slides[1].jpegOffset);
    file.seek(fromFile->slides[1].jpegOffset);
    EXPECT_EQ(file.read(4), fakeJpeg(4)) << "the device reads where it is told after the payload";
}

} // namespace
