#include "editor/explorer/image_explorer.h"

#include "imaging/scan/picture_loading.h"
#include "ui/busy_cursor.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"
#include "editor/shell/status_line.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProgressBar>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>

namespace editor {

namespace {

inline const QString kFileGoneMessage = QStringLiteral("Le fichier n'existe plus à l'emplacement d'origine !");
// A names-first scan lets events through at least this often (milliseconds) while
// thumbnails come faster than that.
constexpr qint64 kEventsEveryMs = 8;
// Reading a folder's names lets events through only once it took this long (milliseconds).
constexpr int kListingQuietMs = 20;

// Runs `action` when the scope ends, however it ends.
template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : m_action(std::move(action)) {}
    ~ScopeExit() { m_action(); }
    ScopeExit(const ScopeExit &) = delete;
    ScopeExit &operator=(const ScopeExit &) = delete;

private:
    Action m_action;
};

} // namespace

ImageExplorer::ImageExplorer(const EditorSettings &settings, QWidget *previewPanel, QProgressBar *progress,
                             QObject *parent)
    : QObject(parent), m_settings(settings), m_grid(new ThumbnailGrid), m_preview(previewPanel),
      m_progress(progress), m_cancel(&m_list.cancel)
{
    m_grid->setObjectName(QStringLiteral("GrilleImage"));
    m_grid->setList(&m_list);
    connect(m_grid, &ThumbnailGrid::clicked, this, &ImageExplorer::GrilleImageClick);
    connect(m_grid, &ThumbnailGrid::laidOut, this, [this] { m_list.lastPreviewedPath.clear(); });
    m_list.remake = [this](const QStringList &paths) { remakeThumbnails(paths); };
}

ImageExplorer::~ImageExplorer()
{
    m_pipeline.cancel();
    m_remakes.cancel();
    if (m_grid && !m_grid->parent())
        delete m_grid;
    else if (m_grid)
        m_grid->setList(nullptr);
}

bool ImageExplorer::folderSelected(const QString &path)
{
    if (isBusy())
        return false;
    if (!QFileInfo(path).isDir())
        return true;
    const QString left = std::exchange(m_folder, path);
    emit folderEntered(left, path);
    m_preview.clear();
    m_list.state().currentPath.clear();
    ScanFolder(ScanStart::FolderSelection);
    return true;
}

void ImageExplorer::ActualiserExecute()
{
    if (!isBusy() && !m_folder.isEmpty())
        ScanFolder(ScanStart::Refresh);
}

void ImageExplorer::ScanFolder(ScanStart start)
{
    if (m_scanning)
        return; // one scan at a time: the busy flag keeps every caller away meanwhile
    *m_cancel = false;
    ClearExplorerList();
    m_grid->setColumnsFromWidth();
    QPointer<ImageExplorer> alive(this);
    {
        m_scanning = m_list.state().busy = true;
        ScopeExit idle([alive] {
            if (alive)
                alive->m_scanning = alive->m_list.state().busy = false;
        });
        ui::BusyCursor hourglass;
        std::optional<QStringList> listed = listFolder();
        if (!listed)
            return; // the explorer went away meanwhile
        const QStringList &paths = *listed;
        const CacheUse use = start == ScanStart::Refresh ? CacheUse::Refresh : CacheUse::LookUp;
        const bool scanned = paths.size() >= m_namesFirstFrom ? scanNamesFirst(paths, use) : scanAll(paths, use);
        if (!scanned)
            return; // the explorer went away while the scan let events through
    }
    if (start != ScanStart::Other && !m_list.isEmpty())
        makeFirstCurrent();
}

// The paths of the folder's pictures, read on a worker thread while the window goes on
// answering: a folder of thousands of files or a slow disk does not freeze it. Nothing
// when the explorer went away meanwhile; an empty list when Escape was pressed.
std::optional<QStringList> ImageExplorer::listFolder()
{
    QPointer<ImageExplorer> alive(this);
    auto ready = std::make_shared<std::atomic<bool>>(false);
    auto reading = std::async(std::launch::async, [folder = m_folder, ready] {
        QStringList paths;
        const QStringList names = listImageNames(folder);
        paths.reserve(names.size());
        for (const QString &name : names)
            paths << pathInFolder(folder, name);
        ready->store(true);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] {}, Qt::QueuedConnection); // wakes the loop
        return paths;
    });
    // A folder read within a moment lets no event through, as before the worker read it.
    if (reading.wait_for(std::chrono::milliseconds(kListingQuietMs)) == std::future_status::ready)
        return reading.get();
    while (!ready->load()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!alive)
            return std::nullopt; // `reading` waits for the worker as it goes
        if (cancelRequested())
            return QStringList();
    }
    return reading.get();
}

// Takes the pipeline's entries as they finish and puts each at its place in name order,
// so a picture that takes long to read holds up only its own cell. False when the
// explorer was destroyed meanwhile.
bool ImageExplorer::scanAll(const QStringList &paths, CacheUse use)
{
    QPointer<ImageExplorer> alive(this);
    ProgressSteps progress(m_progress, int(paths.size()));
    m_scanIndices.clear();
    m_pipeline.start(paths, scanLoader(use), [this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); });
    for (qsizetype i = 0; i < paths.size(); ++i) {
        progress.step();
        std::optional<ScanResult> result;
        if (cancelRequested())
            break;
        if (!waitForNext(result)) {
            if (!alive)
                return false;
            break;
        }
        appendScanned(std::move(*result));
        QCoreApplication::processEvents();
        if (!alive)
            return false;
    }
    m_pipeline.cancel(); // whatever was read ahead is dropped
    m_scanIndices.clear();
    return true;
}

std::shared_ptr<ThumbnailCache> ImageExplorer::thumbnailCache()
{
    const qint64 bound = qint64(std::max(m_settings.ThumbCacheMB, 0)) * 1024 * 1024;
    if (bound <= 0)
        return {};
    const QString folder = ThumbnailCache::userFolder();
    if (!m_cache || m_cache->boundBytes() != bound || m_cache->folder() != folder)
        m_cache = std::make_shared<ThumbnailCache>(folder, bound);
    return m_cache;
}

// The loader of this scan, with the settings as they are now; it also tells the list how
// thumbnails that leave memory come back, as this scan made them.
ThumbnailPipeline::Loader ImageExplorer::scanLoader(CacheUse use)
{
    const bool filterOk = m_settings.FilterOk;
    const bool upright = m_settings.AutoOrient;
    std::shared_ptr<ThumbnailCache> cache = thumbnailCache();
    ExplorerList::ThumbnailSource source;
    if (cache) {
        // Asking the disk for every thumbnail that leaves memory would cost more than it
        // saves: the scan stored each one it made, and one the cache lost or could not
        // keep is made again when its cell is drawn.
        source.stored = [](const QString &) { return true; };
        source.lookUp = [cache, filterOk, upright](const QString &path) -> std::optional<TEnrData> {
            const auto stamp = stampOf(path);
            return stamp ? cache->find({path, *stamp, filterOk, upright}) : std::nullopt;
        };
    }
    source.restore = [cache, filterOk, upright](const QString &path) {
        return loadThumbnailEntryCached(path, filterOk, upright, cache.get());
    };
    m_list.setThumbnailSource(std::move(source));
    m_remakeLoader = [cache, filterOk, upright](const QString &path) {
        return loadThumbnailEntryCached(path, filterOk, upright, cache.get());
    };
    return [cache, filterOk, upright, use](const QString &path) {
        return loadThumbnailEntryCached(path, filterOk, upright, cache.get(), use);
    };
}

// Lists every name at once, then fills the entries as their thumbnails come, those the
// grid shows first. Events go through every few milliseconds, and whenever no thumbnail
// is ready. False when the explorer was destroyed meanwhile.
bool ImageExplorer::scanNamesFirst(const QStringList &paths, CacheUse use)
{
    QPointer<ImageExplorer> alive(this);
    ProgressSteps progress(m_progress, int(paths.size()));
    m_list.reserve(int(paths.size()));
    for (const QString &path : paths)
        m_list.append(path, TEnrData{});
    m_grid->entriesChanged();
    emit countChanged(explorerCountText(m_list.count()));
    m_list.wanted = [this](std::vector<int> indices) { m_pipeline.prefer(std::move(indices)); };
    m_pipeline.start(paths, scanLoader(use), [this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); });
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        progress.step();
        std::optional<ScanResult> result;
        if (cancelRequested())
            break;
        if (!waitForNext(result)) {
            if (!alive)
                return false;
            break;
        }
        fillScanned(std::move(*result));
        if (sinceEvents.elapsed() >= kEventsEveryMs) {
            QCoreApplication::processEvents();
            if (!alive)
                return false;
            sinceEvents.restart();
        }
    }
    m_list.wanted = nullptr;
    m_pipeline.cancel();
    dropUnread();
    return true;
}

void ImageExplorer::fillScanned(ScanResult &&result)
{
    if (!m_list.contains(result.index))
        return;
    TEnrData &entry = m_list.entry(result.index);
    if (result.entry) {
        entry = std::move(*result.entry);
        entry.selected = false;
        m_list.thumbnailAdded();
    } else {
        entry.width = -1; // unreadable: leaves the list when the scan ends
    }
    const auto [first, last] = m_grid->visibleRange();
    if (result.index >= first && result.index <= last)
        m_grid->viewport()->update(m_grid->cellRect(result.index));
    m_list.keepThumbnailsNear(first, last);
}

void ImageExplorer::remakeThumbnails(const QStringList &paths)
{
    QStringList fresh;
    for (const QString &path : paths)
        if (!m_remaking.contains(path)) {
            m_remaking.insert(path);
            fresh << path;
        }
    if (fresh.isEmpty() || !m_remakeLoader)
        return;
    if (m_remakeRunning) {
        m_remakes.append(fresh);
        return;
    }
    m_remakeRunning = true;
    m_remakes.start(fresh, m_remakeLoader, [this] {
        QMetaObject::invokeMethod(this, [this] { takeRemade(); }, Qt::QueuedConnection);
    });
}

// Puts the remade thumbnails back, wherever their entries are now.
void ImageExplorer::takeRemade()
{
    while (auto result = m_remakes.takeFinished()) {
        m_remaking.remove(result->path);
        if (!result->entry)
            continue;
        for (int i = 0; i < m_list.count(); ++i)
            if (m_list.path(i) == result->path) {
                m_list.setThumbnail(i, std::move(*result->entry));
                m_grid->viewport()->update(m_grid->cellRect(i));
                break;
            }
    }
}

// Entries not read (Escape) or unreadable leave the list, in one pass.
void ImageExplorer::dropUnread()
{
    const int dropped = m_list.removeIf([](const TEnrData &e) {
        return ExplorerList::isWaiting(e) || ExplorerList::isUnreadable(e);
    });
    if (dropped > 0) {
        m_grid->entriesChanged();
        emit countChanged(explorerCountText(m_list.count()));
    }
}

// Lets events through until an entry is ready; false when Escape stopped the scan or the
// explorer went away.
bool ImageExplorer::waitForNext(std::optional<ScanResult> &result)
{
    QPointer<ImageExplorer> alive(this);
    while (!(result = m_pipeline.takeFinished())) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!alive || cancelRequested())
            return false;
    }
    return true;
}

void ImageExplorer::appendScanned(ScanResult &&result)
{
    if (!result.entry)
        return; // vanished or unreadable files are not listed
    // The entries listed so far come from the scan (the busy flag kept every command
    // away), so the place of this one follows from the name order of the run.
    const auto place = std::lower_bound(m_scanIndices.begin(), m_scanIndices.end(), result.index);
    const int at = int(place - m_scanIndices.begin());
    m_scanIndices.insert(place, result.index);
    m_list.append(std::move(result.path), std::move(*result.entry));
    m_list.thumbnailAdded();
    m_grid->entryAppended();
    if (at < m_list.count() - 1) {
        m_list.move(m_list.count() - 1, at);
        m_grid->viewport()->update(); // the cells from `at` on moved by one
    }
    emit countChanged(explorerCountText(m_list.count()));
}

void ImageExplorer::makeFirstCurrent()
{
    GridListState &state = m_list.state();
    state.currentPath = m_list.path(0);
    m_list.entry(0).selected = true;
    state.currentIndex = 0;
    m_grid->viewport()->update(m_grid->cellRect(0));
    GrilleImageClick();
}

void ImageExplorer::ClearExplorerList()
{
    m_remakes.cancel();
    m_remaking.clear();
    m_remakeRunning = false;
    const bool wasBusy = std::exchange(m_list.state().busy, true);
    m_list.clear();
    m_grid->setColumnsFromWidth();
    m_grid->viewport()->update();
    m_list.state().currentPath.clear();
    m_list.state().currentIndex = -1;
    m_list.lastPreviewedPath.clear();
    m_preview.clear();
    m_list.state().busy = wasBusy;
    emit countChanged(explorerCountText(0));
}

void ImageExplorer::ReloadEntry(int index)
{
    if (!m_list.contains(index))
        return;
    const bool wasBusy = std::exchange(m_list.state().busy, true);
    ui::BusyCursor hourglass;
    if (auto fresh = loadThumbnailEntryCached(m_list.path(index), m_settings.FilterOk, m_settings.AutoOrient,
                                              thumbnailCache().get(), CacheUse::Refresh)) {
        TEnrData &entry = m_list.entry(index);
        fresh->selected = entry.selected;
        entry = std::move(*fresh);
    }
    m_list.state().busy = wasBusy;
}

void ImageExplorer::RefreshVignetteExecute()
{
    const int selected = m_list.selectedCount();
    if (m_list.isEmpty() || selected == 0 || isBusy())
        return;
    ProgressSteps progress(m_progress, selected);
    for (int i = 0; i < m_list.count(); ++i) {
        if (!m_list.entry(i).selected)
            continue;
        if (QFileInfo(m_list.path(i)).isFile()) {
            ReloadEntry(i);
            m_list.lastPreviewedPath.clear();
            m_grid->SetSelected(i, true);
            GrilleImageClick();
        } else {
            messages::warning(kFileGoneMessage);
        }
        progress.step();
    }
}

void ImageExplorer::GrilleImageClick()
{
    const GridListState &state = m_list.state();
    if (m_list.selectedCount() < 1 || m_list.isEmpty() || !m_list.contains(state.currentIndex) ||
        !QFileInfo(state.currentPath).isFile())
        return;
    if (state.currentPath != m_list.lastPreviewedPath && m_settings.Apercu)
        UpdatePreview();
    m_list.lastPreviewedPath = state.currentPath;
}

void ImageExplorer::UpdatePreview()
{
    m_preview.show(m_list.state().currentPath, m_settings.FilterOk);
}

void ImageExplorer::setPreviewOn(bool on)
{
    if (!on)
        m_preview.clear();
}

void ImageExplorer::previewSplitterMoved()
{
    UpdatePreview();
}

void ImageExplorer::folderSplitterMoved()
{
    m_grid->layoutKeepingCurrentPath();
    UpdatePreview();
}

} // namespace editor
