#include "player/payload/show_payload_records.h"

#include <gtest/gtest.h>

using namespace player;

namespace {
// Bytes of a header written field by field, as the format table lists them.
QByteArray handWrittenHeader()
{
    QByteArray b(84, '\0');
    b[0] = 9;
    b.replace(1, 9, "f\xEAte.mp3\0", 9); // "fête.mp3" in code page 1252, 8 characters
    b[0] = 8;
    b[81] = 1;  // loop
    b[82] = 0;  // allow copy
    b[83] = 5;  // maximum quality: any non-zero byte is true
    return b;
}

QByteArray handWrittenRecord()
{
    QByteArray b(112, '\0');
    auto put32 = [&b](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    put32(0, 1234);         // image size
    put32(4, 7);            // display time
    put32(8, 0x0000FF);     // border colour: red
    b[12] = 1;              // border
    b[13] = 'x'; b[14] = 'y'; b[15] = 'z'; // alignment: ignored
    put32(16, 0x123456);    // background colour
    b[20] = 6;              // caption length
    b.replace(21, 6, "\xC9t\xE9 !!", 6); // "Été !!"
    b[101] = 'q';           // alignment: ignored
    put32(104, 0xC0C0C0);   // caption colour
    put32(108, 127);        // style
    return b;
}
} // namespace

TEST(PayloadRecords, HeaderFieldsSitAtTheirOffsets)
{
    const TShowHeader header = decodeShowHeader(handWrittenHeader().constData());
    EXPECT_EQ(header.musicName, QStringLiteral("fête.mp3"));
    EXPECT_TRUE(header.loop);
    EXPECT_FALSE(header.allowCopy);
    EXPECT_TRUE(header.maxQuality);

    TShowHeader written{QStringLiteral("fête.mp3"), true, false, true};
    QByteArray expected = handWrittenHeader();
    expected[83] = 1; // the writer writes 0 or 1
    expected[9] = 0;
    const QByteArray bytes = encodeShowHeader(written);
    ASSERT_EQ(bytes.size(), 84);
    EXPECT_EQ(bytes, expected);
}

TEST(PayloadRecords, SlideRecordFieldsSitAtTheirOffsets)
{
    const TSlideRecord r = decodeSlideRecord(handWrittenRecord().constData());
    EXPECT_EQ(r.imageSize, 1234);
    EXPECT_EQ(r.displayTime, 7);
    EXPECT_EQ(r.borderColour, 0x0000FFu);
    EXPECT_TRUE(r.border);
    EXPECT_EQ(r.backgroundColour, 0x123456u);
    EXPECT_EQ(r.caption, QStringLiteral("Été !!"));
    EXPECT_EQ(r.captionColour, 0xC0C0C0u);
    EXPECT_EQ(r.style, 127);

    QByteArray expected = handWrittenRecord();
    expected[13] = expected[14] = expected[15] = expected[101] = 0; // written as zeros
    const QByteArray bytes = encodeSlideRecord(r);
    ASSERT_EQ(bytes.size(), 112);
    EXPECT_EQ(bytes, expected);
}

TEST(PayloadRecords, CaptionsAreCutToEightyCharacters)
{
    TSlideRecord r;
    r.caption = QString(80, QLatin1Char('a'));
    EXPECT_EQ(decodeSlideRecord(encodeSlideRecord(r).constData()).caption, r.caption);
    r.caption += QStringLiteral("bcd");
    const QByteArray bytes = encodeSlideRecord(r);
    EXPECT_EQ(static_cast<unsigned char>(bytes[20]), 80);
    EXPECT_EQ(decodeSlideRecord(bytes.constData()).caption, QString(80, QLatin1Char('a')));
    EXPECT_EQ(bytes[101], 0); // nothing spills into the alignment bytes
}

TEST(PayloadRecords, DefaultsAreThoseOfANewSlide)
{
    const TSlideRecord r;
    EXPECT_EQ(r.displayTime, 5);
    EXPECT_TRUE(r.border);
    EXPECT_EQ(r.borderColour, kColourSilver);
    EXPECT_EQ(r.backgroundColour, kColourBlack);
    EXPECT_EQ(r.captionColour, kColourSilver);
    EXPECT_EQ(r.style, 0);
}
