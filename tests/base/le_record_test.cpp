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

TEST(ByteReader, NeverReadsPastTheEnd)
{
    const QByteArray data("\x01\x02\x03\x04\x05", 5);
    ByteReader reader(data);
    EXPECT_EQ(reader.u32(), 0x04030201u);
    EXPECT_FALSE(reader.u32().has_value());
    EXPECT_EQ(reader.position(), 4); // a failed read does not move
    EXPECT_EQ(reader.u8(), 5);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.skip(1));
    EXPECT_FALSE(reader.seek(6));
    EXPECT_TRUE(reader.seek(1));
    EXPECT_FALSE(reader.take(-1).has_value());
    EXPECT_EQ(reader.take(2)->toByteArray(), QByteArray("\x02\x03"));
}
