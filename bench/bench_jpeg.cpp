// JPEG speed on a 12-megapixel picture (4000 x 3000): full and 1/8 decode, encode at 90.
#include "imaging/jpeg_codec.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// Smooth gradients with some detail, closer to a photograph than noise is.
QImage photoLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            line[3 * x] = uchar(128 + 100 * std::sin(x * 0.01 + y * 0.003));
            line[3 * x + 1] = uchar((x + y) * 255 / (width + height));
            line[3 * x + 2] = uchar(((x / 40 + y / 40) % 2) * 60 + (x * y) % 97);
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
    state.SetLabel(state.range(0) == 8 ? "1/8 scale" : "full scale");
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
