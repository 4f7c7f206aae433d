#include "imaging/resample_rows.h"

namespace imaging::detail {

void horizontalRowGeneric(const HorizontalPlan &plan, const uchar *ext, uchar *out)
{
    const std::int16_t *weights = plan.weights.data();
    for (int x = 0; x < plan.outputs; ++x) {
        const uchar *pixel = ext + std::size_t(plan.start[std::size_t(x)]) * 3;
        const std::int16_t *w = weights + plan.weightOffset[std::size_t(x)];
        const int count = plan.quads[std::size_t(x)] * 4;
        std::int32_t blue = 0, green = 0, red = 0;
        for (int k = 0; k < count; ++k, pixel += 3) {
            blue += w[k] * pixel[0];
            green += w[k] * pixel[1];
            red += w[k] * pixel[2];
        }
        const Divisor &d = plan.divisors[std::size_t(x)];
        out[3 * x] = uchar(divideChannel(blue, d));
        out[3 * x + 1] = uchar(divideChannel(green, d));
        out[3 * x + 2] = uchar(divideChannel(red, d));
    }
}

void verticalRowGeneric(const VerticalPlan &plan, int y, const uchar *work, std::ptrdiff_t stride,
                        int rowBytes, std::int32_t *acc, uchar *out)
{
    const std::size_t first = std::size_t(plan.first[std::size_t(y)]);
    const int count = plan.count[std::size_t(y)];
    for (int x = 0; x < rowBytes; ++x)
        acc[x] = 0;
    for (int k = 0; k < count; ++k) {
        const std::int32_t w = plan.weights[first + std::size_t(k)];
        const uchar *row = work + plan.rows[first + std::size_t(k)] * stride;
        for (int x = 0; x < rowBytes; ++x)
            acc[x] += w * row[x];
    }
    const Divisor &d = plan.divisors[std::size_t(y)];
    for (int x = 0; x < rowBytes; ++x)
        out[x] = uchar(divideChannel(acc[x], d));
}

bool cpuHasAvx2()
{
    return __builtin_cpu_supports("avx2");
}

} // namespace imaging::detail
