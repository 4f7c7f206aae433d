#include "reference_resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace testing_support {
namespace {

using imaging::ResampleKernel;

struct Entry {
    int weight;
    int pixel;
};
using Contributors = std::vector<std::vector<Entry>>;

int roundEven(float value)
{
    return int(std::nearbyint(double(value)));
}

int reflect(int j, int m)
{
    int index = j < 0 ? -j : (j < m ? j : 2 * m - 1 - j);
    return std::clamp(index, 0, m - 1);
}

float scaleOf(int source, int target)
{
    const float f = source == 1 ? float(target) / float(source) : float(target - 1) / float(source - 1);
    return f == 0.0f ? 0.1f : f;
}

Contributors contributors(int outputs, int m, float f, ResampleKernel kernel, float radius)
{
    Contributors list(static_cast<std::size_t>(outputs));
    for (int i = 0; i < outputs; ++i) {
        const float c = float(i) / f;
        const float width = f >= 1.0f ? radius : radius / f;
        for (int j = int(std::floor(c - width)); j <= int(std::ceil(c + width)); ++j) {
            const float w = f >= 1.0f ? imaging::kernelValue(kernel, c - float(j)) * 256.0f
                                      : imaging::kernelValue(kernel, (c - float(j)) * f) * f * 256.0f;
            if (roundEven(w) != 0)
                list[std::size_t(i)].push_back({roundEven(w), reflect(j, m)});
        }
        if (list[std::size_t(i)].empty()) // every share below 1/512: the nearest pixel
            list[std::size_t(i)].push_back({256, reflect(roundEven(c), m)});
    }
    return list;
}

int weightedChannel(const std::vector<Entry> &entries, const std::vector<int> &scratch)
{
    std::int32_t sum = 0, weights = 0;
    for (const Entry &e : entries) {
        sum += e.weight * scratch[std::size_t(e.pixel)];
        weights += e.weight;
    }
    const std::int64_t value = weights != 0 ? sum / weights : std::int64_t(std::uint32_t(sum) >> 8);
    return int(std::clamp<std::int64_t>(value, 0, 255));
}

// Filters `count` lines of `length` pixels; pixel k of line n is at in(n, k), out(n, i).
template <class In, class Out>
void filterLines(int count, int length, const Contributors &list, In in, Out out)
{
    const auto n = static_cast<std::size_t>(length);
    std::vector<int> blue(n), green(n), red(n);
    for (int line = 0; line < count; ++line) {
        for (int k = 0; k < length; ++k) {
            const uchar *p = in(line, k);
            blue[std::size_t(k)] = p[0];
            green[std::size_t(k)] = p[1];
            red[std::size_t(k)] = p[2];
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            uchar *p = out(line, int(i));
            p[0] = uchar(weightedChannel(list[i], blue));
            p[1] = uchar(weightedChannel(list[i], green));
            p[2] = uchar(weightedChannel(list[i], red));
        }
    }
}

} // namespace

QImage referenceStretch(int dw, int dh, ResampleKernel kernel, float radius, QImage source)
{
    if (radius == 0.0f)
        radius = imaging::defaultRadius(kernel);
    source.convertTo(QImage::Format_BGR888);
    const int sw = source.width(), sh = source.height();
    QImage work(dw, sh, QImage::Format_BGR888);
    filterLines(sh, sw, contributors(dw, sw, scaleOf(sw, dw), kernel, radius),
                [&](int y, int x) { return source.constScanLine(y) + 3 * x; },
                [&](int y, int x) { return work.scanLine(y) + 3 * x; });
    QImage target(dw, dh, QImage::Format_BGR888);
    filterLines(dw, sh, contributors(dh, sh, scaleOf(sh, dh), kernel, radius),
                [&](int x, int y) { return work.constScanLine(y) + 3 * x; },
                [&](int x, int y) { return target.scanLine(y) + 3 * x; });
    return target;
}

QImage randomPicture(int width, int height, unsigned seed, QImage::Format format)
{
    QImage picture(width, height, format);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (qsizetype i = 0; i < picture.bytesPerLine(); ++i)
            line[i] = uchar(random());
    }
    return picture;
}

QByteArray pixelBytes(const QImage &picture)
{
    QByteArray bytes;
    const qsizetype rowBytes = qsizetype(picture.width()) * picture.depth() / 8;
    for (int y = 0; y < picture.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(picture.constScanLine(y)), rowBytes);
    return bytes;
}

} // namespace testing_support
