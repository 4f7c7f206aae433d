#pragma once
// The contributor lists of both passes laid out for the row loops: weights as 16-bit
// integers, horizontal contributors as contiguous runs over an extended source line, and
// each output pixel's division by its weight sum turned into a multiplication.
#include "imaging/resample_kernels.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging::detail {

// Division of a channel sum by the weight sum, clamped to 0..255, with truncation toward
// zero; a weight sum of 0 shifts the sum right by 8 bits as an unsigned number.
//
// kReciprocal: for 0 <= n <= 255 d, floor(n / d) == (n * M) >> 32 with M = ceil(2^32 / d).
// Writing M d = 2^32 + e (0 <= e < d) and n = q d + r (0 <= r < d):
//     n M / 2^32 = q + r / d + n e / (d 2^32),
// whose floor is q as long as r + n e / 2^32 < d, which holds whenever n e < 2^32, i.e.
// (n being at most 255 d) whenever 255 d e < 2^32. makeDivisor checks exactly that and
// falls back to kExact otherwise. Sums below 0 give 0 and sums above 255 d give 255 with
// either rule, so they are clamped into 0..255 d before the multiplication.
struct Divisor {
    enum Mode : std::int32_t { kReciprocal, kZeroSum, kExact };
    std::int32_t limit = 0;       // 255 x weight sum
    std::uint32_t multiplier = 0; // ceil(2^32 / weight sum)
    std::int32_t weightSum = 0;
    std::int32_t mode = kExact;
};

Divisor makeDivisor(std::int32_t weightSum);

inline int divideChannel(std::int32_t sum, const Divisor &d)
{
    switch (d.mode) {
    case Divisor::kReciprocal: {
        const std::int32_t n = sum < 0 ? 0 : (sum > d.limit ? d.limit : sum);
        return int((std::uint64_t(std::uint32_t(n)) * d.multiplier) >> 32);
    }
    case Divisor::kZeroSum: {
        const std::uint32_t shifted = std::uint32_t(sum) >> 8;
        return shifted > 255 ? 255 : int(shifted);
    }
    default: {
        const std::int32_t q = sum / d.weightSum;
        return q < 0 ? 0 : (q > 255 ? 255 : int(q));
    }
    }
}

// Horizontal pass. Source row r is copied into an extended line: `pad` reflected pixels,
// the row, then reflected pixels up to `extPixels`, so that every output pixel reads one
// contiguous run of pixels; weights are padded with zeros to groups of 4.
struct HorizontalPlan {
    int outputs = 0;
    int sourceWidth = 0;
    int pad = 0;
    int extPixels = 0;
    std::vector<std::int32_t> start; // first extended pixel of each output
    std::vector<std::int32_t> quads; // groups of 4 weights of each output
    std::vector<std::int32_t> weightOffset;
    std::vector<std::int16_t> weights;
    std::vector<Divisor> divisors;

    // Bytes of an extended line buffer, with room for 16-byte reads at the last group.
    std::size_t extBytes() const { return std::size_t(extPixels) * 3 + 16; }
};

HorizontalPlan buildHorizontalPlan(int sourceWidth, int targetWidth, ResampleKernel kernel,
                                   float radius);
void fillExtendedLine(const HorizontalPlan &plan, const uchar *sourceRow, uchar *ext);

// Vertical pass: per output row, its source rows and weights, padded to an even count
// (a zero weight on the last row) so they can be taken in pairs.
struct VerticalPlan {
    std::vector<std::int32_t> first; // index into rows/weights
    std::vector<std::int32_t> count;
    std::vector<std::int32_t> rows;
    std::vector<std::int16_t> weights;
    std::vector<Divisor> divisors;
};

VerticalPlan buildVerticalPlan(int sourceHeight, int targetHeight, ResampleKernel kernel,
                               float radius);

} // namespace imaging::detail
