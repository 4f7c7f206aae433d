#include "editor/explorer/image_explorer.h"

#include "imaging/scan/picture_loading.h"
#include "ui/busy_cursor.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"
#include "editor/shell/status_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProgressBar>
#include <algorithm>

namespace editor {

namespace {

inline const QString kFileGoneMessage = QStringLiteral("Le fichier n'existe plus à l'emplacement d'origine !");

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
}

ImageExplorer::~ImageExplorer()
{
    m_pipeline.cancel();
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
    QStringList paths;
    for (const QString &name : listImageNames(m_folder))
        paths << pathInFolder(m_folder, name);
    QPointer<ImageExplorer> alive(this);
    {
        m_scanning = m_list.state().busy = true;
        ScopeExit idle([alive] {
            if (alive)
                alive->m_scanning = alive->m_list.state().busy = false;
        });
        ui::BusyCursor hourglass;
        if (!scanAll(paths))
            return; // the explorer went away while the scan let events through
    }
    if (start != ScanStart::Other && !m_list.isEmpty())
        makeFirstCurrent();
}

// Takes the pipeline's entries as they finish and puts each at its place in name order,
// so a picture that takes long to read holds up only its own cell. False when the
// explorer was destroyed meanwhile.
bool ImageExplorer::scanAll(const QStringList &paths)
{
    QPointer<ImageExplorer> alive(this);
    ProgressSteps progress(m_progress, int(paths.size()));
    const bool filterOk = m_settings.FilterOk;
    m_scanIndices.clear();
    m_pipeline.start(
        paths, [filterOk](const QString &path) { return loadThumbnailEntry(path, filterOk); },
        [this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); });
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
    if (auto fresh = loadThumbnailEntry(m_list.path(index), m_settings.FilterOk)) {
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
