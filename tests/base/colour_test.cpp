#include "base/colour.h"

#include <gtest/gtest.h>

TEST(Colour, RedIsTheLowByte)
{
    EXPECT_EQ(makeColour(0xC0, 0xC0, 0xC0), kColourSilver);
    const Colour orange = makeColour(255, 128, 0);
    EXPECT_EQ(orange, 0x0080FFu);
    EXPECT_EQ(toQColor(orange), QColor(255, 128, 0));
    EXPECT_EQ(fromQColor(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(fromQColor(toQColor(0x123456)), 0x123456u);
}

TEST(Colour, HtmlIsRedFirstUpperCase)
{
    EXPECT_EQ(ColorToHtml(0x0080FF), QStringLiteral("#FF8000"));
    EXPECT_EQ(ColorToHtml(kColourSilver), QStringLiteral("#C0C0C0"));
    EXPECT_EQ(ColorToHtml(0x0A0B0C), QStringLiteral("#0C0B0A"));
    EXPECT_EQ(ColorToHtml(0), QStringLiteral("#000000"));
}
