#pragma once
// The image explorer of the first tab: the explorer list, its grid GrilleImage and the
// quick preview, and the handlers that fill and refresh them. The main window gives it the
// preview panel, the progress bar and the flag Escape sets, and shows the count it reports.
//
// A folder scan runs on the window's thread and keeps the window responsive: the worker
// threads of a ThumbnailPipeline read the files ahead, and the scan puts the finished
// entries in the list one by one as they come, each at its place in name order,
// processing pending events after each, until the folder is done or Escape is pressed.
// A picture that takes seconds to decode thus holds up only its own cell. The busy flag
// keeps commands away meanwhile.
//
// A folder of many pictures (namesFirstFrom or more) is listed by name at once; its
// thumbnails fill in, those on the screen first, then the rest in name order; entries
// that could not be read, or were not read when Escape stopped the scan, leave the list
// when the scan ends.
//
// Thumbnails are kept in the user's thumbnail cache (ThumbnailCache, bound ThumbCacheMB):
// a file that did not change since its thumbnail was made is not decoded again.
// "Actualiser" and the thumbnail refresh make them afresh and replace what was kept.
#include "editor/explorer/explorer_list.h"
#include "editor/explorer/quick_preview.h"
#include "editor/grid/thumbnail_grid.h"
#include "imaging/scan/thumbnail_cache.h"
#include "imaging/scan/thumbnail_pipeline.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

class QProgressBar;

namespace editor {

struct EditorSettings;

class ImageExplorer : public QObject {
    Q_OBJECT

public:
    // Who asked for a scan: a folder selection and "Actualiser" make the first entry
    // current afterwards; the other callers leave no entry selected.
    enum class ScanStart { FolderSelection, Refresh, Other };

    ImageExplorer(const EditorSettings &settings, QWidget *previewPanel, QProgressBar *progress,
                  QObject *parent = nullptr);
    ~ImageExplorer() override;

    ExplorerList &list() { return m_list; }
    ThumbnailGrid *GrilleImage() const { return m_grid; }
    QuickPreview &preview() { return m_preview; }
    const QuickPreview &preview() const { return m_preview; }
    QString currentFolder() const { return m_folder; }
    bool isBusy() const { return m_list.state().busy; }
    // The flag Escape sets (the list's own until the window gives its own).
    void useCancelFlag(bool *flag) { m_cancel = flag; }
    // Folders of at least this many pictures are listed by name first.
    void setNamesFirstFrom(int count) { m_namesFirstFrom = count; }
    // The thumbnail cache as the settings give it now (null when ThumbCacheMB is 0 or less).
    std::shared_ptr<ThumbnailCache> thumbnailCache();

    // The folder tree selected `path`: refused while busy; ignored unless it is a folder.
    bool folderSelected(const QString &path);
    void ActualiserExecute();
    void ScanFolder(ScanStart start);
    void ClearExplorerList();
    // Reads entry `index`'s file again; keeps the old values when it cannot be read.
    void ReloadEntry(int index);
    void RefreshVignetteExecute();
    void GrilleImageClick();
    void UpdatePreview();
    void setPreviewOn(bool on);
    void previewSplitterMoved();
    void folderSplitterMoved();

signals:
    // The list changed: the status line's count text.
    void countChanged(const QString &text);
    // The folder tree made `entered` the current folder, leaving `left` (empty at the
    // first selection); sent before the new folder is scanned.
    void folderEntered(const QString &left, const QString &entered);

private:
    std::optional<QStringList> listFolder();
    ThumbnailPipeline::Loader scanLoader(CacheUse use);
    bool scanAll(const QStringList &paths, CacheUse use);
    bool scanNamesFirst(const QStringList &paths, CacheUse use);
    void dropUnread();
    bool waitForNext(std::optional<ScanResult> &result);
    void appendScanned(ScanResult &&result);
    void fillScanned(ScanResult &&result);
    void remakeThumbnails(const QStringList &paths);
    void takeRemade();
    void makeFirstCurrent();
    bool cancelRequested() const { return *m_cancel; }

    const EditorSettings &m_settings;
    ExplorerList m_list;
    QPointer<ThumbnailGrid> m_grid; // the window's tab may delete it first
    QuickPreview m_preview;
    QProgressBar *m_progress;
    bool *m_cancel;
    ThumbnailPipeline m_pipeline;
    std::vector<int> m_scanIndices; // the run index of each entry listed by the running scan
    std::shared_ptr<ThumbnailCache> m_cache;
    // Thumbnails that left memory and were no longer in the cache, made again in the
    // background while the window goes on.
    ThumbnailPipeline m_remakes;
    ThumbnailPipeline::Loader m_remakeLoader;
    QSet<QString> m_remaking;
    bool m_remakeRunning = false;
    QString m_folder;
    bool m_scanning = false;
    int m_namesFirstFrom = 1000;
};

} // namespace editor
