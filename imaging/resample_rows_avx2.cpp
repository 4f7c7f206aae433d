// AVX2 versions of the resampling row loops. Only the functions marked with the avx2
// target use AVX2 instructions; they run only when the processor has them.
#include "imaging/resample_rows.h"

#include <cstring>
#include <immintrin.h>

namespace imaging::detail {
namespace {

#define LUMIVELLE_AVX2 __attribute__((target("avx2")))

// floor(n / d) clamped to 0..255 for every 32-bit lane, through the reciprocal (see
// Divisor): n is clamped to 0..255 d, then (n * M) >> 32.
LUMIVELLE_AVX2 inline __m256i divideLanes(__m256i sums, __m256i limit, __m256i multiplier)
{
    const __m256i n = _mm256_min_epi32(_mm256_max_epi32(sums, _mm256_setzero_si256()), limit);
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(n, multiplier), 32);
    const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(n, 32), multiplier);
    return _mm256_blend_epi32(even, odd, 0xAA);
}

// The same division one lane at a time, for weight sums the reciprocal does not cover.
LUMIVELLE_AVX2 inline __m256i divideLanesSlowly(__m256i sums, const Divisor &d)
{
    alignas(32) std::int32_t lanes[8];
    _mm256_store_si256(reinterpret_cast<__m256i *>(lanes), sums);
    for (std::int32_t &lane : lanes)
        lane = divideChannel(lane, d);
    return _mm256_load_si256(reinterpret_cast<const __m256i *>(lanes));
}

LUMIVELLE_AVX2 inline __m256i divide(__m256i sums, const Divisor &d)
{
    if (d.mode == Divisor::kReciprocal)
        return divideLanes(sums, _mm256_set1_epi32(d.limit), _mm256_set1_epi32(std::int32_t(d.multiplier)));
    return divideLanesSlowly(sums, d);
}

LUMIVELLE_AVX2 inline std::int32_t weightPair(const std::int16_t *w)
{
    std::int32_t pair;
    std::memcpy(&pair, w, sizeof pair);
    return pair;
}

} // namespace

// Lane 0 works on line 0 and lane 1 on line 1. Each step takes 4 pixels (12 bytes) of a
// line, spreads pixels 0/1 and 2/3 into 16-bit pairs per channel (B0 B1 G0 G1 R0 R1 0 0)
// and multiplies-adds them with the matching weight pairs.
LUMIVELLE_AVX2 void horizontalRowPairAvx2(const HorizontalPlan &plan, const uchar *ext0,
                                          const uchar *ext1, uchar *out0, uchar *out1)
{
    const __m256i spread01 = _mm256_setr_epi8(0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1,
                                              0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1);
    const __m256i spread23 = _mm256_setr_epi8(6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1,
                                              6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1);
    const std::int32_t *start = plan.start.data();
    const std::int32_t *quads = plan.quads.data();
    const std::int32_t *weightOffset = plan.weightOffset.data();
    const std::int16_t *weights = plan.weights.data();
    const Divisor *divisors = plan.divisors.data();
    for (int x = 0; x < plan.outputs; ++x) {
        const std::size_t offset = std::size_t(start[x]) * 3;
        const uchar *p0 = ext0 + offset;
        const uchar *p1 = ext1 + offset;
        const std::int16_t *w = weights + weightOffset[x];
        __m256i acc = _mm256_setzero_si256();
        for (int q = quads[x]; q > 0; --q, p0 += 12, p1 += 12, w += 4) {
            const __m128i line0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p0));
            const __m128i line1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p1));
            const __m256i pixels = _mm256_inserti128_si256(_mm256_castsi128_si256(line0), line1, 1);
            const __m256i first = _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, spread01),
                                                    _mm256_set1_epi32(weightPair(w)));
            const __m256i second = _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, spread23),
                                                     _mm256_set1_epi32(weightPair(w + 2)));
            acc = _mm256_add_epi32(acc, _mm256_add_epi32(first, second));
        }
        const __m256i q = divide(acc, divisors[x]);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(q, q), q);
        const std::int32_t pixel0 = _mm256_cvtsi256_si32(bytes);
        const std::int32_t pixel1 = _mm256_extract_epi32(bytes, 4);
        std::memcpy(out0 + 3 * std::size_t(x), &pixel0, 4);
        std::memcpy(out1 + 3 * std::size_t(x), &pixel1, 4);
    }
}

// 32 bytes of the row at a time, two source rows per step: bytes of both rows are
// interleaved into 16-bit pairs and multiplied-added with the weight pair. The packs at
// the end undo the interleaving, so bytes come out in their original order.
LUMIVELLE_AVX2 void verticalRowAvx2(const VerticalPlan &plan, int y, const uchar *work,
                                    std::ptrdiff_t stride, int rowBytes, uchar *out)
{
    const std::size_t first = std::size_t(plan.first[std::size_t(y)]);
    const std::int32_t *rows = plan.rows.data() + first;
    const std::int16_t *weights = plan.weights.data() + first;
    const int count = plan.count[std::size_t(y)];
    const Divisor d = plan.divisors[std::size_t(y)];
    const __m256i zero = _mm256_setzero_si256();
    for (int o = 0; o < rowBytes; o += 32) {
        __m256i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
        for (int k = 0; k < count; k += 2) {
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(work + rows[k] * stride + o));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(work + rows[k + 1] * stride + o));
            const __m256i w = _mm256_set1_epi32(weightPair(weights + k));
            const __m256i aLow = _mm256_unpacklo_epi8(a, zero), aHigh = _mm256_unpackhi_epi8(a, zero);
            const __m256i bLow = _mm256_unpacklo_epi8(b, zero), bHigh = _mm256_unpackhi_epi8(b, zero);
            acc0 = _mm256_add_epi32(acc0, _mm256_madd_epi16(_mm256_unpacklo_epi16(aLow, bLow), w));
            acc1 = _mm256_add_epi32(acc1, _mm256_madd_epi16(_mm256_unpackhi_epi16(aLow, bLow), w));
            acc2 = _mm256_add_epi32(acc2, _mm256_madd_epi16(_mm256_unpacklo_epi16(aHigh, bHigh), w));
            acc3 = _mm256_add_epi32(acc3, _mm256_madd_epi16(_mm256_unpackhi_epi16(aHigh, bHigh), w));
        }
        const __m256i low = _mm256_packus_epi32(divide(acc0, d), divide(acc1, d));
        const __m256i high = _mm256_packus_epi32(divide(acc2, d), divide(acc3, d));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + o), _mm256_packus_epi16(low, high));
    }
}

} // namespace imaging::detail
