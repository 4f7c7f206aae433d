// The show tab's long operations: "Ajouter" of 1,000 to 10,000 explorer entries in a
// real main window, grid layout included (thumbnails are copied, no file is read), and
// opening a project of 2,000 slides, in the document library and in the window.
#include "documents/show/project_file.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "editor/show/show_area.h"
#include "editor/show/show_dialogs.h"
#include "ui/lumivelle_application.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>

namespace {

class NoDialogs final : public editor::ShowDialogs {
public:
    QStringList chooseImages() override { return {}; }
    std::optional<QString> chooseFolder(const QString &) override { return {}; }
    std::optional<QString> saveProject(const QString &) override { return {}; }
    std::optional<QString> openProject() override { return {}; }
    std::optional<QString> openOldScript() override { return {}; }
    std::optional<QString> chooseMusic() override { return {}; }
    std::optional<QColor> chooseColour(const QColor &) override { return {}; }
};

void application();

QTemporaryDir &folder()
{
    application();
    static QTemporaryDir dir;
    return dir;
}

// Empty files stand for the pictures: "Ajouter" only looks whether they exist.
QStringList pictureFiles(int count)
{
    static QStringList made;
    while (made.size() < count) {
        const QString path = folder().filePath(QStringLiteral("photo%1.jpg").arg(made.size(), 5, 10, QLatin1Char('0')));
        QFile(path).open(QIODevice::WriteOnly);
        made << path;
    }
    return made.mid(0, count);
}

// A thumbnail with detail, so that its JPEG weighs what a photo's does (some 4 KB).
QImage thumbnail(int i)
{
    QImage t(100, 75, QImage::Format_BGR888);
    std::uint32_t noise = 2654435761u * std::uint32_t(i + 1);
    for (int y = 0; y < t.height(); ++y) {
        uchar *line = t.scanLine(y);
        for (int x = 0; x < t.width() * 3; ++x) {
            noise = noise * 1664525u + 1013904223u;
            line[x] = uchar((x * 2 + y * 3 + i * 7) % 256 / 2 + (noise >> 27));
        }
    }
    return t;
}

struct Window {
    Window()
        : config(folder().filePath(QStringLiteral("bench.cfg"))), window(config),
          area(editor::installShowArea(window, std::make_unique<NoDialogs>()))
    {
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        window.setList(editor::GridSlot::Explorer, &explorer);
    }
    editor::ConfigFile config;
    editor::TMainLumivelle3000 window;
    editor::ShowArea *area;
    editor::EntryList<editor::TEnrData> explorer;
};

// The editor's application object on the offscreen platform, made before the window.
void application()
{
    static int argc = 1;
    static char name[] = "bench_show";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto *app = new ui::LumivelleApplication(argc, argv);
    (void)app;
}

Window &window()
{
    application();
    static Window *w = new Window; // lives to the end of the program, as the editor's does
    return *w;
}

void BM_AjouterFromExplorer(benchmark::State &state)
{
    const int count = int(state.range(0));
    Window &w = window();
    w.explorer.clear();
    const QStringList paths = pictureFiles(count);
    for (int i = 0; i < count; ++i) {
        editor::TEnrData entry;
        entry.width = 4000;
        entry.height = 3000;
        entry.fileSize = 2600000;
        entry.selected = true;
        entry.thumbnail = thumbnail(i);
        w.explorer.append(paths[i], entry);
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.area->ClearSlideList();
        w.area->document().path = folder().filePath(QStringLiteral("bench.dap"));
        w.window.setActiveTab(1);
        state.ResumeTiming();
        w.area->AjouterExecute();
        if (w.area->slides().count() != count)
            state.SkipWithError("not every entry was added");
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AjouterFromExplorer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

QString projectOf(int count)
{
    const QString path = folder().filePath(QStringLiteral("big%1.dap").arg(count));
    if (QFile::exists(path))
        return path;
    showdoc::ShowProject project;
    const QStringList paths = pictureFiles(count);
    for (int i = 0; i < count; ++i) {
        showdoc::ShowSlide slide;
        slide.path = paths[i];
        slide.entry.thumbnail = thumbnail(i);
        project.slides.push_back(slide);
    }
    (void)showdoc::SaveProjectFile(path, project);
    return path;
}

void BM_ReadProject(benchmark::State &state)
{
    const QString path = projectOf(int(state.range(0)));
    for (auto _ : state) {
        const showdoc::LoadedProject loaded = showdoc::LoadProjectFile(path);
        benchmark::DoNotOptimize(loaded.project.slides.data());
    }
}
BENCHMARK(BM_ReadProject)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenProjectInTheWindow(benchmark::State &state)
{
    const QString path = projectOf(int(state.range(0)));
    Window &w = window();
    for (auto _ : state) {
        w.area->document().path = path;
        if (!w.area->LoadProject(path))
            state.SkipWithError("the project did not open");
    }
}
BENCHMARK(BM_OpenProjectInTheWindow)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
