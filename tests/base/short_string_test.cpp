#include "base/short_string.h"
#include "base/cp1252.h"

#include <gtest/gtest.h>
#include <array>

TEST(Cp1252, WesternTextIsOneBytePerCharacter)
{
    EXPECT_EQ(*encodeCp1252(QStringLiteral("été")), QByteArray("\xE9t\xE9"));
    EXPECT_EQ(*encodeCp1252(QStringLiteral("à €")), QByteArray("\xE0 \x80"));
    EXPECT_EQ(*encodeCp1252(QStringLiteral("Œuvre…")), QByteArray("\x8Cuvre\x85"));
    EXPECT_FALSE(encodeCp1252(QStringLiteral("Москва")).has_value());
    EXPECT_EQ(decodeCp1252("\x80\x9C\xFF"), QStringLiteral("€œÿ"));
    // Undefined bytes survive a round trip as control characters.
    EXPECT_EQ(*encodeCp1252(decodeCp1252("\x81\x8D")), QByteArray("\x81\x8D"));
}

TEST(ShortString, FieldLayoutIsLengthThenTextThenZeros)
{
    std::array<char, 11> field;
    field.fill('\x55');
    writeShortString(field.data(), 10, QStringLiteral("Noël"));
    const std::array<char, 11> expected = {4, 'N', 'o', '\xEB', 'l', 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(field, expected);
    EXPECT_EQ(readShortString(field.data(), 10), QStringLiteral("Noël"));
}

TEST(ShortString, LongTextIsCutToCapacity)
{
    std::array<char, 81> field{};
    const QString eighty(80, QLatin1Char('x'));
    writeShortString(field.data(), 80, eighty);
    EXPECT_EQ(static_cast<unsigned char>(field[0]), 80);
    EXPECT_EQ(readShortString(field.data(), 80), eighty);
    writeShortString(field.data(), 80, eighty + QStringLiteral("yz"));
    EXPECT_EQ(readShortString(field.data(), 80), eighty);
    EXPECT_EQ(truncateToCapacity(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
}

TEST(ShortString, NamesOutsideTheCodePageSurviveAsUtf8)
{
    std::array<char, 21> field{};
    const QString cyrillic = QStringLiteral("Москва.jpg");
    writeShortString(field.data(), 20, cyrillic);
    EXPECT_EQ(static_cast<unsigned char>(field[0]), cyrillic.toUtf8().size());
    EXPECT_EQ(readShortString(field.data(), 20), cyrillic);

    // Cut at a character boundary: 2-byte letters in a 5-byte field keep two letters.
    std::array<char, 6> small{};
    writeShortString(small.data(), 5, QStringLiteral("Жжжж"));
    EXPECT_EQ(static_cast<unsigned char>(small[0]), 4);
    EXPECT_EQ(readShortString(small.data(), 5), QStringLiteral("Жж"));
}

TEST(ShortString, ReadingToleratesBadLengths)
{
    std::array<char, 4> field = {char(200), 'a', 'b', 'c'};
    EXPECT_EQ(readShortString(field.data(), 3), QStringLiteral("abc"));
    // A byte >= 0x80 that is not valid UTF-8 is code page 1252.
    std::array<char, 4> latin = {2, '\xE9', 't', 0};
    EXPECT_EQ(readShortString(latin.data(), 3), QStringLiteral("ét"));
}
