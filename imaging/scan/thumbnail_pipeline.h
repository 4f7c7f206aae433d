#pragma once
// Reads the pictures of a folder scan ahead of the window. Worker threads (one per core,
// at least two) load the next few files and make their thumbnails while the consumer
// takes the finished entries, either strictly in name order (takeNext, waitNext) or as
// they finish (takeFinished): then a huge picture that takes seconds to decode holds up
// only its own entry, not the ones after it. At most `readAhead` files are loading or
// waiting to be taken, so memory stays bounded whatever the folder holds. Cancelling drops
// everything read ahead; a load still running finishes on its worker and is discarded.
// Nothing a loader throws leaves its worker: the file counts as unreadable.
//
// Files are started in the order of the run, except those the consumer prefers: the
// explorer asks for the cells on the screen first, and for the rest after them. A run can
// grow while it goes (append), for thumbnails that must be made again.
//
// The explorer's folder scan and the command-line "thumbnails" command both run their
// files through this class, with the same loader (loadThumbnailEntry).
#include "imaging/scan/list_entry.h"

#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace editor {

struct ScanResult {
    QString path;
    std::optional<TEnrData> entry; // none: the file vanished or could not be read
    int index = -1;                // of the path in the run's list
};

class ThumbnailPipeline {
public:
    using Loader = std::function<std::optional<TEnrData>(const QString &path)>;

    // threads 0: one per core, at least two; readAhead 0: twice the threads, at least 4.
    explicit ThumbnailPipeline(int threads = 0, int readAhead = 0);
    ~ThumbnailPipeline();
    ThumbnailPipeline(const ThumbnailPipeline &) = delete;
    ThumbnailPipeline &operator=(const ThumbnailPipeline &) = delete;

    int threads() const { return m_threads; }
    int readAhead() const { return m_readAhead; }

    // Starts loading `paths` (dropping any earlier run). `onReady`, if given, is called on
    // a worker thread each time an entry is finished; it must only wake the consumer.
    void start(QStringList paths, Loader load, std::function<void()> onReady = {});
    // Adds paths at the end of the run (their indices follow the run's); does nothing
    // after cancel().
    void append(const QStringList &paths);
    // Starts these indices of the run before any other that has not started (those
    // already started or taken are skipped); replaces the last preference. Only with
    // takeFinished.
    void prefer(std::vector<int> indices);
    // A run is taken one way only: in order, or as the entries finish.
    // The next entry in order if it is finished.
    std::optional<ScanResult> takeNext();
    // The next entry in order, waiting for it. Only while !atEnd().
    ScanResult waitNext();
    // The finished entry of the lowest index, if any is finished.
    std::optional<ScanResult> takeFinished();
    // Every path of the run has been taken (or the run was cancelled).
    bool atEnd() const;
    // Drops the run and everything read ahead.
    void cancel();

    // The most files that were ever loading or waiting beyond the last one taken.
    int mostReadAhead() const;

private:
    struct Shared;
    void dispatch();

    int m_threads;
    int m_readAhead;
    std::shared_ptr<Shared> m_shared;
    QThreadPool m_pool;
};

} // namespace editor
