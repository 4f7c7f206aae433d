#include "base/rounding.h"

#include <gtest/gtest.h>
#include <climits>

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
    EXPECT_EQ(roundHalfEven(100.0 * 15 / 1000), 2);  // 1000x15 thumbnail side
    EXPECT_EQ(roundHalfEven(100.0 * 25 / 1000), 2);  // 1000x25 thumbnail side
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(480, 1, 100), 5);   // 4.8
    EXPECT_EQ(MulDiv(6, 480, 640), 5);   // 4.5 rounds up
    EXPECT_EQ(MulDiv(-6, 480, 640), -5); // -4.5 rounds away from zero
    EXPECT_EQ(MulDiv(6, -480, 640), -5);
    EXPECT_EQ(MulDiv(640, 1, 100), 6);   // 6.4
    EXPECT_EQ(MulDiv(10, 1, 3), 3);
    EXPECT_EQ(MulDiv(20, 1, 3), 7);
    EXPECT_EQ(MulDiv(-20, 1, -3), 7);
}

TEST(MulDiv, NoOverflowAndZeroDivisor)
{
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 4, 1), -1); // result does not fit
}
