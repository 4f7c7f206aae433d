#include "base/rounding.h"

#include <cmath>
#include <cstdlib>

int roundHalfEven(double value)
{
    return int(std::nearbyint(value)); // the default FE_TONEAREST mode is ties-to-even
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t num = std::uint64_t(std::llabs(product));
    const std::uint64_t den = std::uint64_t(std::llabs(std::int64_t(c)));
    const std::uint64_t q = (num + den / 2) / den;
    const std::int64_t result = negative ? -std::int64_t(q) : std::int64_t(q);
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int(result);
}
