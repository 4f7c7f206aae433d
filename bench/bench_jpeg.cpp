// JPEG speed on a 12-megapixel picture (4000 x 3000): full and 1/8 decode, encode at 90.
#include "imaging/jpeg_codec.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Smooth gradients, hard edges, fine texture and a little sensor noise: compressed at
// quality 90 it takes some 3 bits per pixel, as camera pictures do.
QImage photoLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    std::mt19937 random(3);
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 9) - 4;
            const double texture = 30 * std::sin(x * 0.9) * std::sin(y * 0.7) * (((x / 300 + y / 200) % 3) == 0);
            const int edge = ((x / 250 + y / 180) % 2) * 50;
            line[3 * x] = uchar(std::clamp(int(110 + 90 * std::sin(x * 0.002 + y * 0.001) + texture) + noise, 0, 255));
            line[3 * x + 1] = uchar(std::clamp((x + y) * 200 / (width + height) + edge + noise, 0, 255));
            line[3 * x + 2] = uchar(std::clamp(int(60 + edge + texture / 2 + 40 * std::cos(y * 0.004)) + noise, 0, 255));
        }
    }
    return picture;
}

const QImage &picture()
{
    static const QImage p = photoLikePicture(4000, 3000);
    return p;
}

const QByteArray &encoded()
{
    static const QByteArray bytes = *imaging::encodeJpeg(picture(), 90);
    return bytes;
}

void BM_JpegDecode12MP(benchmark::State &state)
{
    const QSize atLeast = state.range(0) == 8 ? QSize(500, 375) : QSize();
    for (auto _ : state) {
        auto decoded = imaging::decodeJpeg(encoded(), atLeast);
        benchmark::DoNotOptimize(decoded);
    }
    state.SetLabel(QStringLiteral("%1, file of %2 KB").arg(state.range(0) == 8 ? "1/8 scale" : "full scale")
                       .arg(encoded().size() / 1024).toStdString());
}
BENCHMARK(BM_JpegDecode12MP)->Arg(1)->Arg(8)->ArgName("denominator")->Unit(benchmark::kMillisecond);

void BM_JpegEncode12MP_q90(benchmark::State &state)
{
    for (auto _ : state) {
        auto bytes = imaging::encodeJpeg(picture(), 90);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_JpegEncode12MP_q90)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
