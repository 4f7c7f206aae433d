// Milliseconds per composed transition frame, for every style, at 1920x1080 and 3840x2160.
// Each iteration composes the frames at progress 25, 50 and 75; the reported time is the
// composing thread's CPU time per frame, so time the machine spends on other work while
// the benchmark waits does not count against a style.
#include "transitions/core/frame_composer.h"
#include "transitions/core/style_names.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <utility>

namespace {

struct Pictures {
    QImage oldPicture, newPicture, screen;
};

// Two busy, different pictures, so nothing is faster for being uniform.
const Pictures &pictures(int width, int height)
{
    static std::map<std::pair<int, int>, Pictures> cache;
    auto found = cache.find({width, height});
    if (found != cache.end())
        return found->second;
    Pictures p{QImage(width, height, transitions::kFrameFormat), QImage(width, height, transitions::kFrameFormat),
               QImage(width, height, transitions::kFrameFormat)};
    for (int y = 0; y < height; ++y) {
        auto *o = reinterpret_cast<std::uint32_t *>(p.oldPicture.scanLine(y));
        auto *n = reinterpret_cast<std::uint32_t *>(p.newPicture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            o[x] = 0xFF000000u | std::uint32_t((x * 255 / width) << 16) | std::uint32_t((y * 255 / height) << 8);
            n[x] = 0xFF000000u | std::uint32_t(((x ^ y) & 0xFF) << 8) | std::uint32_t((x * y) & 0xFF);
        }
    }
    p.screen.fill(0);
    return cache.emplace(std::pair{width, height}, std::move(p)).first->second;
}

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_ComposeFrame(benchmark::State &state)
{
    const int style = int(state.range(0));
    const int width = int(state.range(1)), height = int(state.range(2));
    const Pictures &p = pictures(width, height);
    QImage screen = p.screen;
    screen.detach();
    for (auto _ : state) {
        const double start = threadSeconds();
        for (int progress : {25, 50, 75})
            benchmark::DoNotOptimize(transitions::composeFrame(p.oldPicture, p.newPicture, screen, style, progress, 4));
        state.SetIterationTime((threadSeconds() - start) / 3);
    }
    state.SetLabel(transitions::styleName(style).toStdString());
}

void allStyles(benchmark::internal::Benchmark *b)
{
    for (const auto &[w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}})
        for (int style = 0; style < transitions::kStyleCount; ++style)
            b->Args({style, w, h});
}

BENCHMARK(BM_ComposeFrame)->Apply(allStyles)->ArgNames({"style", "w", "h"})->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.1);

} // namespace

BENCHMARK_MAIN();
