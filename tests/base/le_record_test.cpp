#include "base/byte_view.h"
#include "base/le_record.h"

#include <gtest/gtest.h>

TEST(LeRecord, FieldsAreLittleEndianAtTheirOffsets)
{
    QByteArray record(12, '\0');
    le::putU32(record.data(), 0, 0x000B7800);
    le::putI32(record.data(), 4, -2);
    le::putBool(record.data(), 8, true);
    le::putU16(record.data(), 10, 0xBEEF);
    EXPECT_EQ(record, QByteArray("\x00\x78\x0B\x00\xFE\xFF\xFF\xFF\x01\x00\xEF\xBE", 12));
    EXPECT_EQ(le::getU32(record.constData(), 0), 0x000B7800u);
    EXPECT_EQ(le::getI32(record.constData(), 4), -2);
    record[8] = char(7);
    EXPECT_TRUE(le::getBool(record.constData(), 8)); // any non-zero byte is true
}

TEST(ByteView, NeverReadsPastTheEnd)
{
    const QByteArray data("\x01\x02\x03\x04\x05", 5);
    const ByteView view(data);
    EXPECT_EQ(view.le32(0), 0x04030201u);
    EXPECT_EQ(view.be16(3), 0x0405u);
    EXPECT_EQ(view.le32(2), 0u); // runs past the end: reads as 0
    EXPECT_FALSE(view.has(2, 4));
    EXPECT_FALSE(view.has(-1, 1));
    EXPECT_FALSE(view.has(1, -1));
    EXPECT_TRUE(view.has(5, 0));
    EXPECT_TRUE(view.slice(4, 2).isEmpty());
    EXPECT_EQ(view.slice(1, 2).toByteArray(), QByteArray("\x02\x03"));
    EXPECT_EQ(view.from(3).toByteArray(), QByteArray("\x04\x05"));
    EXPECT_TRUE(view.from(6).isEmpty());
    EXPECT_TRUE(view.startsWith(1, QByteArrayView("\x02\x03", 2)));
    EXPECT_FALSE(view.startsWith(4, QByteArrayView("\x05\x06", 2)));
}
