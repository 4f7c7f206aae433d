// The division of channel sums by weight sums through reciprocals.
#include "imaging/resample_plan.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

using namespace imaging::detail;

namespace {

int plainDivision(std::int32_t sum, std::int32_t weights)
{
    const std::int64_t value = weights != 0 ? sum / weights : std::int64_t(std::uint32_t(sum) >> 8);
    return int(std::clamp<std::int64_t>(value, 0, 255));
}

} // namespace

TEST(Divisor, ReciprocalIsExactForEverySumOfSmallWeightSums)
{
    for (std::int32_t weights = 2; weights <= 1024; ++weights) {
        const Divisor d = makeDivisor(weights);
        ASSERT_EQ(d.mode, Divisor::kReciprocal) << weights;
        for (std::int32_t sum = 0; sum <= 255 * weights; ++sum)
            if (divideChannel(sum, d) != sum / weights)
                FAIL() << sum << " / " << weights;
    }
}

TEST(Divisor, LargerWeightSumsAreExactOrFallBack)
{
    // Beyond 1024, check every remainder boundary (q d - 1, q d) and the clamp bounds.
    int reciprocal = 0;
    for (std::int32_t weights = 1025; weights <= 70000; ++weights) {
        const Divisor d = makeDivisor(weights);
        reciprocal += d.mode == Divisor::kReciprocal;
        for (std::int32_t q = 0; q <= 256; ++q)
            for (std::int32_t sum : {q * weights - 1, q * weights, q * weights + weights - 1})
                if (divideChannel(sum, d) != plainDivision(sum, weights))
                    FAIL() << sum << " / " << weights << " mode " << d.mode;
    }
    EXPECT_GT(reciprocal, 3000); // the common sums near 256 x a few stay fast
}

TEST(Divisor, ClampsZeroSumsAndNegativeWeights)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<std::int32_t> sums(-300000, 300000);
    for (std::int32_t weights : {-300, -1, 0, 1, 2, 3, 255, 256, 257, 511, 4103, 4104, 100000}) {
        const Divisor d = makeDivisor(weights);
        for (int k = 0; k < 20000; ++k) {
            const std::int32_t sum = sums(random);
            ASSERT_EQ(divideChannel(sum, d), plainDivision(sum, weights)) << sum << " / " << weights;
        }
    }
    const Divisor zero = makeDivisor(0);
    EXPECT_EQ(divideChannel(0x1234, zero), 0x12); // shifted right by 8
    EXPECT_EQ(divideChannel(-256, zero), 255);     // as an unsigned number: huge, clamped
    EXPECT_EQ(divideChannel(-5, makeDivisor(256)), 0);
    EXPECT_EQ(divideChannel(-512, makeDivisor(-2)), 255);
}
