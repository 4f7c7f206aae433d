// Opens one folder in the explorer tab's list as the editor does (a shown window, the
// thumbnail cache of XDG_CACHE_HOME) and prints what the user waits for, as key=value
// pairs on one line:
//   listed_ms       the first entries are in the list
//   first_ms        the first cell on the screen has its thumbnail
//   all_ms          the scan is over (every thumbnail made or found)
//   stall_ms        the longest time the event loop did not answer, measured by a timer
//                   that fires every 2 ms (its own period taken off)
//   peak_rss_mb     the process's peak resident memory; base_rss_mb before the scan
//   thumbs_mb       the thumbnails held in memory at the end (most seen: thumbs_peak_mb)
//   select_all_ms, sort_ms   selecting every entry, then Tri (sorting by path) of the list
//                   in name order
//
//   bench_explorer FOLDER [--refresh] [--scroll-end] [--cache-mb N] [--plain]
// --refresh scans as "Actualiser" does (the cache is bypassed and rewritten);
// --scroll-end scrolls to the last cell as soon as the names are listed: first_ms is
// then the time to the first thumbnail at the end of the folder.
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/editor_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace editor;

namespace {

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

qint64 thumbnailBytes(const ExplorerList &list)
{
    qint64 bytes = 0;
    for (int i = 0; i < list.count(); ++i)
        bytes += list.entry(i).thumbnail.sizeInBytes();
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_explorer FOLDER [--refresh] [--scroll-end] [--cache-mb N] [--plain]\n");
        return 2;
    }
    EditorSettings settings;
    const int cacheAt = int(args.indexOf(QStringLiteral("--cache-mb")));
    if (cacheAt > 0 && cacheAt + 1 < args.size())
        settings.ThumbCacheMB = args[cacheAt + 1].toInt();
    settings.FilterOk = !args.contains(QStringLiteral("--plain"));

    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *previewPanel = new QWidget(&window);
    previewPanel->setFixedSize(190, 170);
    QProgressBar progress;
    ImageExplorer explorer(settings, previewPanel, &progress);
    layout->addWidget(previewPanel);
    layout->addWidget(explorer.GrilleImage());
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    {
        // The editor has drawn text long before a folder is opened: the fonts are loaded
        // here, so their one-time loading does not count as a stall of the scan.
        QImage scratch(200, 40, QImage::Format_RGB32);
        QPainter painter(&scratch);
        for (int size : {6, 8}) {
            QFont font(QStringLiteral("Arial"));
            font.setPointSize(size);
            painter.setFont(font);
            painter.drawText(scratch.rect(), Qt::AlignCenter, QStringLiteral("IMG_00001.jpg 320 x 240"));
        }
    }

    const double baseRss = peakRssMb();
    QElapsedTimer clock;
    const bool scrollEnd = args.contains(QStringLiteral("--scroll-end"));
    bool scrolled = false;
    qint64 lastTick = 0, stall = 0, listed = -1, first = -1, thumbsPeak = 0;
    int ticks = 0;
    QTimer probe;
    probe.setInterval(2);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stall = std::max(stall, now - lastTick); // from the start: the listing counts too
        lastTick = now;
        const ExplorerList &list = explorer.list();
        if (listed < 0 && list.count() > 0)
            listed = now;
        if (scrollEnd && !scrolled && list.count() > 0) {
            explorer.GrilleImage()->scrollToIndex(list.count() - 1);
            scrolled = true;
        } else if (first < 0 && list.count() > 0) {
            const int shown = std::max(0, explorer.GrilleImage()->visibleRange().first);
            if (shown < list.count() && !list.entry(shown).thumbnail.isNull())
                first = now;
        }
        if (++ticks % 64 == 0)
            thumbsPeak = std::max(thumbsPeak, thumbnailBytes(list));
    });
    clock.start();
    probe.start();
    const QString folder = args[1];
    if (args.contains(QStringLiteral("--refresh"))) {
        explorer.folderSelected(folder); // the folder becomes current, then "Actualiser"
        clock.restart();
        lastTick = 0, stall = 0, listed = -1, first = -1;
        explorer.ActualiserExecute();
    } else {
        explorer.folderSelected(folder);
    }
    const qint64 all = clock.nsecsElapsed();
    probe.stop();
    ExplorerList &list = explorer.list();
    const qint64 thumbs = thumbnailBytes(list);
    QElapsedTimer timed;
    timed.start();
    explorer.GrilleImage()->SelectAll();
    QApplication::processEvents();
    const qint64 selectAll = timed.nsecsElapsed();
    timed.restart();
    explorer.GrilleImage()->Tri();
    QApplication::processEvents();
    const qint64 sort = timed.nsecsElapsed();
    thumbsPeak = std::max(thumbsPeak, thumbs);
    auto ms = [](qint64 ns) { return double(ns) / 1e6; };
    std::printf("entries=%d listed_ms=%.1f first_ms=%.1f all_ms=%.1f stall_ms=%.1f peak_rss_mb=%.1f "
                "base_rss_mb=%.1f thumbs_mb=%.1f thumbs_peak_mb=%.1f in_memory=%d select_all_ms=%.1f sort_ms=%.1f\n",
                list.count(), listed < 0 ? ms(all) : ms(listed), first < 0 ? ms(all) : ms(first), ms(all),
                std::max(0.0, ms(stall) - 2.0), peakRssMb(), baseRss, double(thumbs) / 1048576.0,
                double(thumbsPeak) / 1048576.0, list.thumbnailsInMemory(), ms(selectAll), ms(sort));
    return list.count() > 0 ? 0 : 1;
}
