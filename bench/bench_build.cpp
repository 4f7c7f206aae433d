// The show build in process: reading one 12-megapixel photo as a show stores it, encoding
// it at quality 90, and a show of 8 such photos built with one thread and with the
// read-ahead worker.
#include "documents/show/show_build.h"
#include "imaging/jpeg_codec.h"
#include "player/builder/show_builder_core.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Smooth gradients, edges, texture and sensor noise, some 4 bits per pixel at quality 90.
QImage photoLike(int width, int height, int seed)
{
    QImage picture(width, height, QImage::Format_BGR888);
    std::mt19937 random{std::uint32_t(seed)};
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 17) - 8;
            const double texture = 30 * std::sin(x * 0.9) * std::sin(y * 0.7) * (((x / 300 + y / 200) % 3) == 0);
            const int edge = ((x / 250 + y / 180 + seed) % 2) * 50;
            line[3 * x] = uchar(std::clamp(int(110 + 90 * std::sin(x * 0.002 + y * 0.001) + texture) + noise, 0, 255));
            line[3 * x + 1] = uchar(std::clamp((x + y) * 200 / (width + height) + edge + noise, 0, 255));
            line[3 * x + 2] = uchar(std::clamp(int(60 + edge + texture / 2 + 40 * std::cos(y * 0.004)) + noise, 0, 255));
        }
    }
    return picture;
}

const QStringList &photos()
{
    static QStringList paths = [] {
        QStringList made;
        for (int i = 0; i < 8; ++i) {
            made << folder().filePath(QStringLiteral("photo%1.jpg").arg(i));
            (void)imaging::saveJpegFile(photoLike(4000, 3000, i), made.last(), 90);
        }
        return made;
    }();
    return paths;
}

void BM_DecodeShowPicture(benchmark::State &state)
{
    const QString path = photos().first();
    for (auto _ : state)
        benchmark::DoNotOptimize(player::decodeShowPicture(path)->constBits());
}
BENCHMARK(BM_DecodeShowPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeShowPicture(benchmark::State &state)
{
    const QImage picture = *player::decodeShowPicture(photos().first());
    for (auto _ : state)
        benchmark::DoNotOptimize(player::encodeShowPicture(picture)->size());
}
BENCHMARK(BM_EncodeShowPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildShow(benchmark::State &state)
{
    const QString player = folder().filePath(QStringLiteral("Tolvarine.bin"));
    QFile stub(player);
    stub.open(QIODevice::WriteOnly);
    stub.write(QByteArray(350000, 'p'));
    stub.close();
    showdoc::ShowProject project;
    for (const QString &path : photos())
        project.slides.push_back({path, {}});
    showdoc::BuildHooks hooks;
    hooks.threads = int(state.range(0));
    for (auto _ : state) {
        if (!showdoc::buildShowExecutable(project, player, folder().filePath(QStringLiteral("show.exe")), hooks))
            state.SkipWithError("build failed");
    }
    state.SetItemsProcessed(state.iterations() * project.slides.size());
}
BENCHMARK(BM_BuildShow)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
