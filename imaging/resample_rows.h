#pragma once
// The per-row loops of the two resampling passes: a portable version and an AVX2 version
// chosen at run time. Both give the same bytes.
#include "imaging/resample_plan.h"

#include <cstddef>
#include <cstdint>

namespace imaging::detail {

// Horizontal pass over one extended line (see HorizontalPlan), writing 3 bytes per output.
void horizontalRowGeneric(const HorizontalPlan &plan, const uchar *ext, uchar *out);

// Horizontal pass over two lines with the same weights. Writes 4 bytes per output at
// 3-byte steps: each output row needs one byte of room after its last pixel.
void horizontalRowPairAvx2(const HorizontalPlan &plan, const uchar *ext0, const uchar *ext1,
                           uchar *out0, uchar *out1);

// Vertical pass for output row `y`: `rowBytes` bytes of the result from the working
// bitmap. `acc` holds rowBytes integers.
void verticalRowGeneric(const VerticalPlan &plan, int y, const uchar *work, std::ptrdiff_t stride,
                        int rowBytes, std::int32_t *acc, uchar *out);

// Same, reading and writing whole 32-byte blocks: the working rows and `out` must hold
// rowBytes rounded up to 32.
void verticalRowAvx2(const VerticalPlan &plan, int y, const uchar *work, std::ptrdiff_t stride,
                     int rowBytes, uchar *out);

bool cpuHasAvx2();

} // namespace imaging::detail
