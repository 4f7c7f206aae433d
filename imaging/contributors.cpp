#include "imaging/contributors.h"

#include "base/rounding.h"

#include <algorithm>
#include <cmath>

namespace imaging {

float resampleScale(int sourceLength, int targetLength)
{
    const float scale = sourceLength == 1 ? float(targetLength) / float(sourceLength)
                                          : float(targetLength - 1) / float(sourceLength - 1);
    return scale == 0.0f ? 0.1f : scale;
}

int reflectIndex(int position, int length)
{
    int index = position;
    if (position < 0)
        index = -position;
    else if (position >= length)
        index = 2 * length - 1 - position;
    return std::clamp(index, 0, length - 1);
}

std::vector<RawContributor> contributorsOf(int i, float scale, ResampleKernel kernel, float radius)
{
    std::vector<RawContributor> entries;
    const float centre = float(i) / scale;
    const bool enlarging = scale >= 1.0f;
    const float width = enlarging ? radius : radius / scale;
    entries.reserve(std::size_t(2.0f * width + 1.0f));
    const int left = int(std::floor(centre - width));
    const int right = int(std::ceil(centre + width));
    for (int j = left; j <= right; ++j) {
        const float weight = enlarging
                                 ? kernelValue(kernel, centre - float(j)) * 256.0f
                                 : kernelValue(kernel, (centre - float(j)) * scale) * scale * 256.0f;
        const int rounded = roundHalfEven(weight);
        if (rounded != 0)
            entries.push_back({rounded, j});
    }
    if (entries.empty())
        entries.push_back({256, roundHalfEven(centre)});
    return entries;
}

TContributorList BuildContributorList(int targetLength, int sourceLength, float scale,
                                      ResampleKernel kernel, float radius)
{
    TContributorList list(std::size_t(std::max(targetLength, 0)));
    for (int i = 0; i < targetLength; ++i) {
        ContributorRecord &record = list[std::size_t(i)];
        for (const RawContributor &raw : contributorsOf(i, scale, kernel, radius))
            record.p.push_back({raw.weight, reflectIndex(raw.position, sourceLength)});
        record.n = std::int32_t(record.p.size());
    }
    return list;
}

} // namespace imaging
