// Resampler speed on the sizes the programs meet: a camera picture to a screen, a screen
// to a thumbnail, and a small picture enlarged. Arguments: kernel, threads.
#include "imaging/resampler.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using imaging::ResampleKernel;

QImage noisyPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    std::mt19937 random(1);
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < 3 * width; ++x)
            line[x] = uchar((x * 7 + y * 3 + (random() & 31)) & 255);
    }
    return picture;
}

void resize(benchmark::State &state, int sw, int sh, int dw, int dh)
{
    QImage source = noisyPicture(sw, sh);
    const auto kernel = ResampleKernel(state.range(0));
    const imaging::StretchOptions options{int(state.range(1)), state.range(2) != 0};
    QImage target;
    for (auto _ : state) {
        if (!imaging::StretchBitmap(dw, dh, kernel, 0.0f, source, target, options))
            state.SkipWithError("resize failed");
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetLabel(state.range(0) == int(ResampleKernel::Triangle) ? "Triangle" : "Lanczos3");
}

void kernelsAndThreads(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"kernel", "threads", "simd"});
    for (int kernel : {int(ResampleKernel::Triangle), int(ResampleKernel::Lanczos3)})
        for (int threads : {1, 2})
            b->Args({kernel, threads, 1});
    b->Args({int(ResampleKernel::Triangle), 1, 0}); // the portable loops, for comparison
    b->Unit(benchmark::kMillisecond);
    b->UseRealTime();
}

void BM_Resize_6000x4000_to_1920x1280(benchmark::State &state) { resize(state, 6000, 4000, 1920, 1280); }
void BM_Resize_1920x1080_to_100x56(benchmark::State &state) { resize(state, 1920, 1080, 100, 56); }
void BM_Resize_640x480_to_1920x1440(benchmark::State &state) { resize(state, 640, 480, 1920, 1440); }

BENCHMARK(BM_Resize_6000x4000_to_1920x1280)->Apply(kernelsAndThreads);
BENCHMARK(BM_Resize_1920x1080_to_100x56)->Apply(kernelsAndThreads);
BENCHMARK(BM_Resize_640x480_to_1920x1440)->Apply(kernelsAndThreads);

} // namespace

BENCHMARK_MAIN();
