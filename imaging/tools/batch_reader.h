#pragma once
// Loads the sources of a batch one after the other. With read-ahead, the next source is
// decoded on a worker thread while the caller resizes, encodes and writes the current
// one; the pictures are the same as loaded in turn. A source that an earlier item of the
// batch writes (a conversion of x.bmp, then of x.jpg, into their own folder) is never read
// ahead: it is loaded when its turn comes, after that write.
#include "imaging/tools/picture_files.h"

#include <QStringList>
#include <future>
#include <vector>

namespace imagetools {

class BatchReader {
public:
    // `targets[i]` is the file item i may write (empty: none).
    BatchReader(QStringList sources, const QStringList &targets, bool readAhead);
    ~BatchReader();
    BatchReader(const BatchReader &) = delete;
    BatchReader &operator=(const BatchReader &) = delete;

    // The picture of item `index` (items are taken in increasing order, some may be
    // left out); starts reading the next item ahead when that is allowed.
    Result<ToolPicture> take(int index);

    // Whether item `index` may be read before the items in front of it are done.
    bool mayReadAhead(int index) const { return m_firstWriter[std::size_t(index)] >= index; }
    int readsAhead() const { return m_readsAhead; }

private:
    void startReading(int index);

    QStringList m_sources;
    // For each source, the first item that writes it (the item count when none does).
    std::vector<int> m_firstWriter;
    bool m_readAhead;
    int m_pendingIndex = -1;
    std::future<Result<ToolPicture>> m_pending;
    int m_readsAhead = 0;
};

// The form under which two paths of the batch name the same file: the real folder (links
// followed) and the name, compared as the platform compares paths.
QString fileIdentity(const QString &path);

} // namespace imagetools
