#pragma once
// The resampler shared by the editor and the player: a separable two-pass filter resize
// of 24-bit pictures (QImage::Format_BGR888) with the kernels of resample_kernels.h, and
// the filter list of the resize dialog.
#include "base/result.h"
#include "imaging/resample_kernels.h"

#include <QImage>

namespace imaging {

struct StretchOptions {
    int threads = 1;        // 2 or more splits both passes into two bands of rows
    bool allowSimd = true;  // false forces the portable loops (tests compare both)
};

// Resizes `source` into `target` (emptied, then 24-bit and newWidth x newHeight).
// A radius of exactly 0 means the kernel's default radius. `source` is converted to
// 24-bit in place. `source` and `target` may be the same picture. Fails on a null
// source, a size below 1 x 1 or lack of memory; `target` is then null.
Result<void> StretchBitmap(int newWidth, int newHeight, ResampleKernel kernel, float radius,
                           QImage &source, QImage &target, const StretchOptions &options = {});

// The filter list of the resize dialog: 0 "Rapide (sans interpolation)" is the plain
// stretch, 1..7 the kernels in order at their default radius. Any other index leaves
// `target` as it is and succeeds.
inline constexpr int kFilterListCount = 8;
Result<void> ResizeBitmap(QImage &source, QImage &target, int newWidth, int newHeight,
                          int listIndex, const StretchOptions &options = {});

// Unfiltered nearest-pixel stretch that keeps the pixel format and colour table. Null
// when the size is below 1 x 1 or memory runs out.
QImage plainStretch(const QImage &source, int newWidth, int newHeight);

} // namespace imaging
