#include "imaging/resample_plan.h"

#include "imaging/contributors.h"

#include <algorithm>
#include <cstring>

namespace imaging::detail {

Divisor makeDivisor(std::int32_t weightSum)
{
    Divisor d;
    d.weightSum = weightSum;
    if (weightSum == 0) {
        d.mode = Divisor::kZeroSum;
        return d;
    }
    if (weightSum < 2)
        return d; // negative sums and 1 (whose reciprocal needs 33 bits) divide exactly
    const std::uint64_t two32 = std::uint64_t(1) << 32;
    const std::uint64_t sum = std::uint64_t(weightSum);
    const std::uint64_t multiplier = (two32 + sum - 1) / sum;
    const std::uint64_t excess = multiplier * sum - two32;
    if (255 * sum * excess >= two32)
        return d;
    d.mode = Divisor::kReciprocal;
    d.multiplier = std::uint32_t(multiplier);
    d.limit = 255 * weightSum;
    return d;
}

namespace {

struct Run {
    std::vector<RawContributor> entries;
    int first = 0; // position of the first entry
    int length = 0;
};

std::int32_t weightSum(const std::vector<RawContributor> &entries)
{
    std::int32_t sum = 0;
    for (const RawContributor &e : entries)
        sum += e.weight;
    return sum;
}

} // namespace

HorizontalPlan buildHorizontalPlan(int sourceWidth, int targetWidth, ResampleKernel kernel,
                                   float radius)
{
    HorizontalPlan plan;
    plan.outputs = targetWidth;
    plan.sourceWidth = sourceWidth;
    const float scale = resampleScale(sourceWidth, targetWidth);
    std::vector<Run> runs(static_cast<std::size_t>(targetWidth));
    int lowest = 0;
    int highest = sourceWidth - 1;
    for (int i = 0; i < targetWidth; ++i) {
        Run &run = runs[std::size_t(i)];
        run.entries = contributorsOf(i, scale, kernel, radius);
        run.first = run.entries.front().position;
        run.length = run.entries.back().position - run.first + 1;
        const int quads = (run.length + 3) / 4;
        lowest = std::min(lowest, run.first);
        highest = std::max(highest, run.first + quads * 4 - 1);
    }
    plan.pad = -lowest;
    plan.extPixels = highest + 1 + plan.pad;
    plan.start.reserve(std::size_t(targetWidth));
    plan.quads.reserve(std::size_t(targetWidth));
    plan.weightOffset.reserve(std::size_t(targetWidth));
    plan.divisors.reserve(std::size_t(targetWidth));
    for (const Run &run : runs) {
        const int quads = (run.length + 3) / 4;
        const std::size_t offset = plan.weights.size();
        plan.start.push_back(run.first + plan.pad);
        plan.quads.push_back(quads);
        plan.weightOffset.push_back(std::int32_t(offset));
        plan.weights.resize(offset + std::size_t(quads) * 4, 0);
        for (const RawContributor &e : run.entries)
            plan.weights[offset + std::size_t(e.position - run.first)] = std::int16_t(e.weight);
        plan.divisors.push_back(makeDivisor(weightSum(run.entries)));
    }
    return plan;
}

void fillExtendedLine(const HorizontalPlan &plan, const uchar *sourceRow, uchar *ext)
{
    const int width = plan.sourceWidth;
    std::memcpy(ext + std::size_t(plan.pad) * 3, sourceRow, std::size_t(width) * 3);
    for (int k = 0; k < plan.extPixels; ++k) {
        if (k == plan.pad)
            k += width;
        if (k >= plan.extPixels)
            break;
        const int source = reflectIndex(k - plan.pad, width);
        std::memcpy(ext + std::size_t(k) * 3, sourceRow + std::size_t(source) * 3, 3);
    }
    std::memset(ext + std::size_t(plan.extPixels) * 3, 0, 16);
}

VerticalPlan buildVerticalPlan(int sourceHeight, int targetHeight, ResampleKernel kernel,
                               float radius)
{
    VerticalPlan plan;
    const float scale = resampleScale(sourceHeight, targetHeight);
    const TContributorList list = BuildContributorList(targetHeight, sourceHeight, scale, kernel, radius);
    for (const ContributorRecord &record : list) {
        plan.first.push_back(std::int32_t(plan.rows.size()));
        std::int32_t sum = 0;
        for (const TContributorEntry &e : record.p) {
            plan.rows.push_back(e.pixel);
            plan.weights.push_back(std::int16_t(e.weight));
            sum += e.weight;
        }
        if (record.n % 2 != 0) {
            plan.rows.push_back(record.p.back().pixel);
            plan.weights.push_back(0);
        }
        plan.count.push_back(std::int32_t(plan.rows.size()) - plan.first.back());
        plan.divisors.push_back(makeDivisor(sum));
    }
    return plan;
}

} // namespace imaging::detail
