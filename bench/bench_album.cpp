// Album speed: opening an album and showing its grid (1,000 and 10,000 entries), the
// all-fields search over 10,000 entries, and adding 1,000 explorer entries with their
// EXIF import ("Ajouter les images à l'album"), whose EXIF read touches only the head of
// each file (bytes read per entry are reported).
#include "documents/album/album_building.h"
#include "documents/album/album_list.h"
#include "documents/album/album_search.h"
#include "documents/album/ccl_format.h"
#include "editor/albums/album_area.h"
#include "editor/albums/album_dialogs.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "imaging/jpeg_codec.h"
#include "ui/lumivelle_application.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A thumbnail with gradients and noise, like a reduced photo.
QImage photoThumbnail(int seed)
{
    QImage picture(100, 75, QImage::Format_BGR888);
    std::mt19937 random{unsigned(seed)};
    for (int y = 0; y < 75; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < 100; ++x) {
            const int noise = int(random() % 17) - 8;
            line[3 * x] = uchar(std::clamp(int(120 + 80 * std::sin(x * 0.07 + seed)) + noise, 0, 255));
            line[3 * x + 1] = uchar(std::clamp((x + y + seed) % 256 + noise, 0, 255));
            line[3 * x + 2] = uchar(std::clamp(int(90 + 60 * std::cos(y * 0.09)) + noise, 0, 255));
        }
    }
    return picture;
}

album::TEnrData_C typicalEntry(int i)
{
    album::TEnrData_C entry;
    entry.width = 4000 - i % 7;
    entry.height = 3000;
    entry.fileSize = 2000000 + i * 37;
    entry.place = QStringLiteral("Saint-Malo, plage du Sillon %1").arg(i % 50);
    entry.date = QStringLiteral("2007:08:%1 10:11:12").arg(i % 28 + 1, 2, 10, QChar(u'0'));
    entry.camera = QStringLiteral("EASTMAN KODAK COMPANYKODAK DX4530");
    entry.flash = i % 3 ? QStringLiteral("Non") : QStringLiteral("Oui");
    entry.focal = QStringLiteral("5,8 (32 mm)");
    entry.speed = QStringLiteral("1/125");
    entry.aperture = QStringLiteral("5,6");
    entry.comment = QStringLiteral("Vacances d'été en Bretagne, jour %1").arg(i % 30);
    entry.keyword = i % 5 ? QStringLiteral("mer") : QStringLiteral("famille");
    return entry;
}

QString albumOf(int count)
{
    const QString path = workDir().filePath(QStringLiteral("album%1.ccl").arg(count));
    if (QFile::exists(path))
        return path;
    album::AlbumList list;
    std::vector<QImage> thumbnails;
    for (int i = 0; i < 64; ++i)
        thumbnails.push_back(photoThumbnail(i));
    for (int i = 0; i < count; ++i) {
        album::TEnrData_C entry = typicalEntry(i);
        entry.thumbnail = thumbnails[std::size_t(i % 64)];
        list.append(QStringLiteral("/photos/vacances/IMG_%1.JPG").arg(i, 5, 10, QChar(u'0')), entry);
    }
    (void)album::writeAlbumFile(path, list);
    return path;
}

// The window needs the application object; the benchmarks run offscreen.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_album";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new ui::LumivelleApplication(argc, argv);
    }
}

// The album tab of a main window, with dialogs nobody answers.
struct AlbumWindow {
    bool applicationReady = (ensureApplication(), true);
    editor::ConfigFile config{workDir().filePath(QStringLiteral("Lumivelle.cfg"))};
    editor::TMainLumivelle3000 window{config};
    editor::AlbumArea *area = editor::installAlbumArea(
        window, std::make_unique<editor::WidgetAlbumDialogs>(&window), workDir().filePath(QStringLiteral("motcle.cfg")));

    AlbumWindow()
    {
        window.resize(1024, 768);
        window.show();
        window.setActiveTab(3);
        QCoreApplication::processEvents();
    }
};

void BM_OpenAlbumAndShowGrid(benchmark::State &state)
{
    const QString path = albumOf(int(state.range(0)));
    AlbumWindow album;
    for (auto _ : state) {
        album.area->LoadAlbum(path);
        const QPixmap shown = album.area->GrilleCollec()->viewport()->grab(); // paints the visible cells
        benchmark::DoNotOptimize(shown);
    }
    if (album.area->images().count() != state.range(0))
        state.SkipWithError("the album did not load");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel(QStringLiteral("file of %1 MB").arg(QFileInfo(path).size() / 1e6, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_OpenAlbumAndShowGrid)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadAlbumFileOnly(benchmark::State &state)
{
    const QString path = albumOf(int(state.range(0)));
    for (auto _ : state) {
        album::AlbumList list;
        benchmark::DoNotOptimize(album::loadAlbumFile(path, list));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadAlbumFileOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SearchAllFields(benchmark::State &state)
{
    album::AlbumList list;
    for (int i = 0; i < state.range(0); ++i)
        list.append(QStringLiteral("/photos/vacances/IMG_%1.JPG").arg(i, 5, 10, QChar(u'0')), typicalEntry(i));
    const album::SearchQuery query{album::SearchMode::AllFields, QStringLiteral("Sillon 4"), false};
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<int> indexes = album::searchAlbum(list, query);
        const std::vector<int> selected = album::entriesWithPaths(list, album::pathsOf(list, indexes));
        found = selected.size();
        benchmark::DoNotOptimize(selected);
    }
    state.counters["found"] = double(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchAllFields)->Arg(10000)->Unit(benchmark::kMillisecond);

// Bytes this process has read through read() so far.
double bytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    double value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

// A 12-megapixel camera file: the EXIF block of a fixture, then a large JPEG body.
QByteArray cameraFile()
{
    QFile fixture(QStringLiteral(LUMIVELLE_FIXTURES "/exif/exif_II_canon_flash1.jpg"));
    fixture.open(QIODevice::ReadOnly);
    const QByteArray small = fixture.readAll();
    const int app1 = int(small.indexOf("\xFF\xE1"));
    const int length = (uchar(small[app1 + 2]) << 8) | uchar(small[app1 + 3]);
    QImage picture(4000, 3000, QImage::Format_BGR888);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 4000 * 3; ++x)
            picture.scanLine(y)[x] = uchar((x * 7 + y * 3) ^ (x / 30));
    const QByteArray body = *imaging::encodeJpeg(picture, 90);
    return body.left(2) + small.mid(app1, length + 2) + body.mid(2);
}

void BM_AddCollecWithExif(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString folder = workDir().filePath(QStringLiteral("photos"));
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        const QString first = QDir(folder).filePath(QStringLiteral("IMG_00000.JPG"));
        QFile out(first);
        out.open(QIODevice::WriteOnly);
        out.write(cameraFile());
        out.close();
        for (int i = 1; i < count; ++i) // the same camera file under many names
            ::link(QFile::encodeName(first).constData(),
                   QFile::encodeName(QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QChar(u'0')))).constData());
    }
    std::vector<std::pair<QString, editor::TEnrData>> explorer;
    for (int i = 0; i < count; ++i) {
        editor::TEnrData entry;
        entry.width = 4000;
        entry.height = 3000;
        entry.fileSize = 3000000;
        entry.thumbnail = photoThumbnail(i % 16);
        explorer.emplace_back(QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QChar(u'0'))), entry);
    }
    const exif::ExifLocale locale{u',', QStringLiteral("dd/MM/yyyy")};
    double read = 0;
    for (auto _ : state) {
        album::AlbumList list;
        const double before = bytesRead();
        for (const auto &[path, explorerEntry] : explorer) {
            if (!album::mayAdd(list, path))
                continue;
            album::TEnrData_C entry;
            album::buildEntryFromExplorerEntry(path, entry, explorerEntry, locale);
            list.append(path, std::move(entry));
        }
        read = (bytesRead() - before) / count;
        if (list.count() != count || list.entry(0).camera.isEmpty())
            state.SkipWithError("the pictures were not added with their EXIF data");
    }
    state.counters["per_entry_us"] =
        benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["bytes_read_per_entry"] = read;
    state.counters["file_bytes"] = double(QFileInfo(explorer.front().first).size());
}
BENCHMARK(BM_AddCollecWithExif)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
