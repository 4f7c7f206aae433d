#pragma once
// The thumbnail cache: the thumbnails the explorer made, kept on disk between visits, so
// that reopening a folder shows its thumbnails without decoding the pictures again.
//
// An entry is found by the file's path, its stamp (size, last-write time to the
// nanosecond, and the file's identity on its disk: a file rewritten through a temporary
// file is a new file) and the two settings the thumbnail depends on, FilterOk and
// AutoOrient. A changed file has another stamp, so its old thumbnail is never served. An
// entry holds the picture's upright width and height and the thumbnail's pixels exactly,
// without loss: a hit gives the very pixels a fresh MakeThumbnail gives.
//
// Each entry is one small file under the cache folder, written to a temporary file that
// replaces the entry only when complete, and checked on reading (its own key, sizes, and
// a CRC-32 of all its bytes): a write cut off by a crash or a damaged disk is never read
// as a thumbnail; such an entry is removed and made again. The folder is kept under a
// bound in bytes: when it grows past it, the entries used longest ago go first (reading
// an entry counts as a use). Several threads, and several programs, may use one folder.
#include "imaging/scan/list_entry.h"

#include <QString>
#include <mutex>
#include <optional>

namespace editor {

struct FileStamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};
// The stamp of a regular file; nothing for anything else or a missing file.
std::optional<FileStamp> stampOf(const QString &path);

struct ThumbnailKey {
    QString path;
    FileStamp stamp;
    bool filterOk = true;
    bool upright = true;
};

class ThumbnailCache {
public:
    // Entries live under `folder`, created when the first one is stored. A bound of 0 or
    // less, or an empty folder, makes a cache that finds and keeps nothing.
    ThumbnailCache(QString folder, qint64 boundBytes);

    // The thumbnail folder in the user's cache folder: "$XDG_CACHE_HOME/lumivelle/
    // thumbnails" when XDG_CACHE_HOME is an absolute path, else "~/.cache/lumivelle/thumbnails".
    static QString userFolder();

    bool enabled() const { return m_bound > 0 && !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }
    qint64 boundBytes() const { return m_bound; }

    // The stored entry of `key`: width, height and thumbnail; fileSize from the stamp.
    // Nothing when there is none, or it is damaged (it is then removed).
    std::optional<TEnrData> find(const ThumbnailKey &key) const;
    // Stores the entry's thumbnail, width and height; false when it cannot be written (a
    // thumbnail of another pixel format than 24 or 32 bits, a full disk...). Goes back
    // under the bound when it grows past it.
    bool store(const ThumbnailKey &key, const TEnrData &entry);
    // Removes the entries used longest ago until the folder holds at most 90 % of the
    // bound, and temporary files left by writes that never ended.
    void trim();
    // What the folder holds now, in bytes.
    qint64 storedBytes() const;
    // Where the entry of `key` is (or would be) stored.
    QString entryPath(const ThumbnailKey &key) const;

private:
    void account(qint64 bytes);

    QString m_folder;
    qint64 m_bound;
    std::mutex m_mutex;                // guards the two below
    std::optional<qint64> m_knownBytes; // what the folder holds, as far as this cache knows
    quint64 m_writes = 0;               // names this process's temporary files
};

// How a scan uses the cache: takes what it holds, or makes every thumbnail afresh
// ("Actualiser") and stores it over what was there.
enum class CacheUse { LookUp, Refresh };

// The entry of `path` (loadThumbnailEntry) through `cache` (may be null): the stored one
// when the file's present stamp has one; otherwise made from the file, and stored when
// the file did not change while it was read.
std::optional<TEnrData> loadThumbnailEntryCached(const QString &path, bool filterOk, bool upright,
                                                 ThumbnailCache *cache, CacheUse use = CacheUse::LookUp);

} // namespace editor
