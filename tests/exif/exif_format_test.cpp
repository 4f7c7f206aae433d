// The texts of reals, focal lengths, speeds and flash values.
#include "imaging/exif/exif_format.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace exif;

TEST(ExifFormat, GeneralFormatOfReals)
{
    struct Case {
        long double value;
        const char *expected;
    };
    const Case cases[] = {
        {2.8, "2,8"}, {4, "4"}, {1.5, "1,5"}, {0, "0"}, {-2.5, "-2,5"}, {100, "100"},
        {0.1, "0,1"},                       // 0.1 as a double: 15 digits hide its error
        {1.0 / 3, "0,333333333333333"},     // 15 significant digits
        {2.0 / 3, "0,666666666666667"},
        {123456789012345, "123456789012345"},
        {999999999999999.9L, "1E15"},       // rounds up to 16 integer digits
        {1234567890123456, "1,23456789012346E15"},
        {1e20, "1E20"},
        {0.00001, "0,00001"},               // not below 0.00001: still fixed
        {0.000015, "0,000015"},
        {0.0000099, "9,9E-6"},
        {1.5e-7, "1,5E-7"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatGeneral(c.value, u','), QString::fromUtf8(c.expected)) << double(c.value);
    EXPECT_EQ(formatGeneral(2.8, u'.'), u"2.8");
}

TEST(ExifFormat, FocalTextWithItsEquivalent)
{
    EXPECT_EQ(focalText(7.8, u','), u"7,8 (43 mm)");   // 43.29
    EXPECT_EQ(focalText(5.8, u','), u"5,8 (32 mm)");   // 32.19
    EXPECT_EQ(focalText(5.8, u'.'), u"5.8 (32 mm)");
    EXPECT_EQ(focalText(10, u','), u"10 (56 mm)");     // 55.5 rounds to even
    EXPECT_EQ(focalText(30, u','), u"30 (166 mm)");    // 166.5 rounds to even
}

TEST(ExifFormat, SpeedOnlyForHalfASecondOrLess)
{
    EXPECT_EQ(speedText(0.5), u"1/2");
    EXPECT_EQ(speedText(0.25), u"1/4");
    EXPECT_EQ(speedText(1.0 / 64), u"1/64");
    EXPECT_EQ(speedText(0.001), u"1/1000");
    // 1/60 and 1/30 as doubles are a hair off: 1/t must still round to 60 and 30 (adding
    // 0.5 before rounding made them "1/61" and "1/31").
    EXPECT_EQ(speedText(1.0 / 60), u"1/60");
    EXPECT_EQ(speedText(1.0 / 30), u"1/30");
    EXPECT_EQ(speedText(1.0 / 125), u"1/125");
    EXPECT_EQ(speedText(0.3), u"1/3");        // 3.33 to the nearest
    EXPECT_EQ(speedText(1.0 / 59.7), u"1/60");
    EXPECT_EQ(speedText(1.0 / 60.6), u"1/61");
    EXPECT_FALSE(speedText(1));
    EXPECT_FALSE(speedText(0.8));
    EXPECT_FALSE(speedText(0.5000001));
    EXPECT_FALSE(speedText(0));
    EXPECT_FALSE(speedText(-1));
}

TEST(ExifFormat, FlashFiredIsBitZero)
{
    EXPECT_EQ(flashText(0), u"Non");
    EXPECT_EQ(flashText(1), u"Oui");
    EXPECT_EQ(flashText(16), u"Non"); // flash off
    EXPECT_EQ(flashText(24), u"Non"); // automatic, did not fire
    EXPECT_EQ(flashText(25), u"Oui");
    EXPECT_EQ(flashText(0x4F), u"Oui");
}

TEST(ExifFormat, LocaleGivesSeparatorAndShortDate)
{
    const ExifLocale french = ExifLocale::fromQLocale(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(french.decimalSeparator, u',');
    EXPECT_EQ(QDate(2004, 5, 6).toString(french.shortDateFormat), u"06/05/2004");
    EXPECT_EQ(ExifLocale::fromQLocale(QLocale::c()).decimalSeparator, u'.');
}
