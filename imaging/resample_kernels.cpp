#include "imaging/resample_kernels.h"

#include <cmath>
#include <numbers>

namespace imaging {
namespace {

// Half-open: -0.5 gives 0, 0.5 gives 1, so a pixel centre half-way between two source
// pixels takes exactly one of them.
float box(float x)
{
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float triangle(float t)
{
    return t < 1.0f ? 1.0f - t : 0.0f;
}

float hermite(float t)
{
    return t < 1.0f ? (2.0f * t - 3.0f) * (t * t) + 1.0f : 0.0f;
}

float bell(float t)
{
    if (t < 0.5f)
        return 0.75f - t * t;
    if (t < 1.5f) {
        const float u = t - 1.5f;
        return 0.5f * u * u;
    }
    return 0.0f;
}

float bSpline(float t)
{
    const float t2 = t * t;
    if (t < 1.0f)
        return 0.5f * (t2 * t) - t2 + 2.0f / 3.0f;
    if (t < 2.0f) {
        const float u = 2.0f - t;
        return u * u * u / 6.0f;
    }
    return 0.0f;
}

float sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    const float px = std::numbers::pi_v<float> * x;
    return std::sin(px) / px;
}

float lanczos3(float x, float t)
{
    return t < 3.0f ? sinc(x) * sinc(x / 3.0f) : 0.0f;
}

// Mitchell-Netravali with B = C = 1/3.
float mitchell(float t)
{
    const float t2 = t * t;
    const float t3 = t2 * t;
    if (t < 1.0f)
        return (7.0f * t3 - 12.0f * t2 + 16.0f / 3.0f) / 6.0f;
    if (t < 2.0f)
        return (-(7.0f / 3.0f) * t3 + 12.0f * t2 - 20.0f * t + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

} // namespace

float kernelValue(ResampleKernel kernel, float x)
{
    const float t = std::fabs(x);
    switch (kernel) {
    case ResampleKernel::Box: return box(x);
    case ResampleKernel::Triangle: return triangle(t);
    case ResampleKernel::Hermite: return hermite(t);
    case ResampleKernel::Bell: return bell(t);
    case ResampleKernel::BSpline: return bSpline(t);
    case ResampleKernel::Lanczos3: return lanczos3(x, t);
    case ResampleKernel::Mitchell: return mitchell(t);
    }
    return 0.0f;
}

float defaultRadius(ResampleKernel kernel)
{
    switch (kernel) {
    case ResampleKernel::Box: return 0.5f;
    case ResampleKernel::Triangle: return 1.0f;
    case ResampleKernel::Hermite: return 1.0f;
    case ResampleKernel::Bell: return 1.5f;
    case ResampleKernel::BSpline: return 2.0f;
    case ResampleKernel::Lanczos3: return 3.0f;
    case ResampleKernel::Mitchell: return 2.0f;
    }
    return 1.0f;
}

} // namespace imaging
