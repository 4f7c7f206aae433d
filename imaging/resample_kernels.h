#pragma once
// The seven resampling kernels and their default radii (support half-width in source
// pixels). Values are computed in single precision.
namespace imaging {

enum class ResampleKernel : int { Box, Triangle, Hermite, Bell, BSpline, Lanczos3, Mitchell };
inline constexpr int kResampleKernelCount = 7;

float kernelValue(ResampleKernel kernel, float x);
float defaultRadius(ResampleKernel kernel);

} // namespace imaging
