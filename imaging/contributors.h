#pragma once
// Contributor lists of one resampling pass: for every output pixel, the source pixels
// that contribute to it and their weights, fixed point with 8 fractional bits (256 = 1).
// The kernel is evaluated only here, once per output column or row.
#include "imaging/resample_kernels.h"

#include <cstdint>
#include <vector>

namespace imaging {

struct TContributorEntry {
    std::int32_t weight; // kernel value x 256, rounded halves to even
    std::int32_t pixel;  // source index, reflected (and clamped) into the line
};
using TContributors = std::vector<TContributorEntry>;

struct ContributorRecord {
    std::int32_t n = 0; // entries used
    TContributors p;
};
using TContributorList = std::vector<ContributorRecord>; // one record per output pixel

// Scale factor of one direction: target / source for a 1-pixel source, otherwise
// (target - 1) / (source - 1), so the first and last output pixels land on the first and
// last source pixels. A factor of exactly 0 (a 1-pixel target) is taken as 0.1.
float resampleScale(int sourceLength, int targetLength);

// Brings a source position into the line: -1 reads pixel 1, m reads m - 1. On lines
// shorter than the filter's reach the reflected index is clamped to the line.
int reflectIndex(int position, int length);

// One contributor before reflection: `position` may lie outside 0..length-1.
struct RawContributor {
    std::int32_t weight;
    std::int32_t position;
};

// The contributors of output pixel `i`, in increasing position, weights of 0 dropped.
// When every weight rounds to 0 (reductions so strong that each source pixel's share is
// below 1/512), the nearest source pixel is taken with the full weight: without it the
// output pixel would be black.
std::vector<RawContributor> contributorsOf(int i, float scale, ResampleKernel kernel, float radius);

TContributorList BuildContributorList(int targetLength, int sourceLength, float scale,
                                      ResampleKernel kernel, float radius);

} // namespace imaging
