// The image tools on a 24-megapixel picture (6000 x 4000): RotateBitmap by each angle.
// With "--write-photo OUT.jpg W H SEED" it writes instead a camera-like JPEG at quality
// 92 for scripts/bench-tools.sh: smooth gradients, edges, fine texture and a little
// sensor noise, some 3 bits a pixel as camera pictures take.
#include "imaging/jpeg_codec.h"
#include "imaging/picture_buffer.h"
#include "imaging/tools/rotate_bitmap.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

QImage photoLikePicture(int width, int height, unsigned seed)
{
    QImage picture = imaging::newLargePicture(width, height, QImage::Format_BGR888);
    std::mt19937 random(seed);
    const double phase = seed * 0.7;
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 9) - 4;
            const double texture = 30 * std::sin(x * 0.9) * std::sin(y * 0.7) * (((x / 300 + y / 200) % 3) == 0);
            const int edge = ((x / 250 + y / 180 + int(seed)) % 2) * 50;
            line[3 * x] = uchar(std::clamp(int(110 + 90 * std::sin(x * 0.002 + y * 0.001 + phase) + texture) + noise, 0, 255));
            line[3 * x + 1] = uchar(std::clamp((x + y) * 200 / (width + height) + edge + noise, 0, 255));
            line[3 * x + 2] = uchar(std::clamp(int(60 + edge + texture / 2 + 40 * std::cos(y * 0.004 + phase)) + noise, 0, 255));
        }
    }
    return picture;
}

const QImage &picture()
{
    static const QImage p = photoLikePicture(6000, 4000, 1);
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

int writePhoto(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: bench_tools --write-photo OUT.jpg W H SEED\n");
        return 1;
    }
    const QImage photo = photoLikePicture(std::atoi(argv[3]), std::atoi(argv[4]), unsigned(std::atoi(argv[5])));
    if (auto saved = imaging::saveJpegFile(photo, QString::fromLocal8Bit(argv[2]), 92); !saved) {
        std::fprintf(stderr, "%s\n", saved.error().message.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--write-photo") == 0)
        return writePhoto(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
