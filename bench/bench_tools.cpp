// The image tools on a 24-megapixel picture (6000 x 4000): RotateBitmap by each angle.
#include "imaging/picture_buffer.h"
#include "imaging/tools/rotate_bitmap.h"

#include <benchmark/benchmark.h>

namespace {

const QImage &picture()
{
    static const QImage p = [] {
        // Decoded pictures live in large-page memory, as the readers allocate them.
        QImage image = imaging::newLargePicture(6000, 4000, QImage::Format_BGR888);
        for (int y = 0; y < image.height(); ++y) {
            uchar *line = image.scanLine(y);
            for (int x = 0; x < image.width() * 3; ++x)
                line[x] = uchar(x * 7 + y * 13);
        }
        return image;
    }();
    return p;
}

void BM_RotateBitmap24MP(benchmark::State &state)
{
    const int angle = int(state.range(0));
    picture();
    for (auto _ : state) {
        auto turned = imagetools::RotateBitmap(angle, picture());
        benchmark::DoNotOptimize(turned);
    }
}
BENCHMARK(BM_RotateBitmap24MP)->Arg(90)->Arg(180)->Arg(270)->ArgName("angle")->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
