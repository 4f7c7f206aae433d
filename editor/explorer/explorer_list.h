#pragma once
// The explorer list: the pictures of the current folder, in name order until the user
// reorders or sorts them, with the two fields only this list has.
//
// A large folder is listed by name first: its entries wait for their thumbnail (width 0)
// until the scan fills them, the ones on the screen first. The list keeps in memory the
// thumbnails of a window of entries around the cells the grid draws, at most about
// `thumbnailBudget` of them: a thumbnail that is also kept on disk leaves memory when it
// is far from the screen, and comes back from the disk when its cell is drawn again or
// when the entry is copied into another list. Drawing never decodes a picture: a
// thumbnail the disk lost meanwhile is asked for again (`remake`) and arrives later.
#include "editor/grid/grid_list.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace editor {

// Thumbnails kept in memory by default: about 45 MB of 100 by 75 24-bit pictures.
inline constexpr int kDefaultThumbnailBudget = 2000;

class ExplorerList : public EntryList<TEnrData> {
public:
    bool cancel = false;         // set by Escape; a scan that sees it stops
    QString lastPreviewedPath;   // the file the preview panel shows; empty when none

    // Where a thumbnail that left memory comes from again. `stored` tells whether the
    // thumbnail of a path is kept on disk (only those may leave memory); `lookUp` gives
    // the entry of a path from the disk only (width, height, size and thumbnail), or
    // nothing; `restore` gives it from the disk or else from the picture file.
    struct ThumbnailSource {
        std::function<bool(const QString &path)> stored;
        std::function<std::optional<TEnrData>(const QString &path)> lookUp;
        std::function<std::optional<TEnrData>(const QString &path)> restore;
    };
    void setThumbnailSource(ThumbnailSource source) { m_source = std::move(source); }
    // 0 or less: every thumbnail stays in memory.
    void setThumbnailBudget(int count) { m_budget = count; }
    int thumbnailBudget() const { return m_budget; }
    // Called with the entries on the screen that wait for their thumbnail.
    std::function<void(std::vector<int> indices)> wanted;
    // Called with the paths on the screen whose thumbnail left memory and is no longer on
    // disk: they must be made again (setThumbnail puts them back).
    std::function<void(QStringList paths)> remake;
    // Entry `index` gets the remade entry of its file, unless it holds a thumbnail again.
    void setThumbnail(int index, TEnrData made);

    // An entry listed by name whose thumbnail has not been read yet; one whose file could
    // not be read. Both are dropped when the scan ends.
    static bool isWaiting(const TEnrData &entry) { return entry.width == 0; }
    static bool isUnreadable(const TEnrData &entry) { return entry.width < 0; }

    void clear()
    {
        EntryList::clear();
        m_resident = m_nextSweepAt = 0;
    }
    // A thumbnail came into memory (the scan filled an entry).
    void thumbnailAdded() { ++m_resident; }
    // Sends thumbnails away from memory when more than the budget are there, keeping a
    // window around entries `first` to `last` (the ones on the screen).
    void keepThumbnailsNear(int first, int last);
    // How many entries hold their thumbnail in memory (counts them).
    int thumbnailsInMemory() const;

    void aboutToDraw(int first, int last) override;
    TEnrData entryWithThumbnail(int index) const override;

private:
    std::optional<TEnrData> restored(int index, bool fromDiskOnly) const;

    ThumbnailSource m_source;
    int m_budget = kDefaultThumbnailBudget;
    int m_resident = 0;      // thumbnails in memory, as counted at the last sweep plus those added
    int m_nextSweepAt = 0;   // a sweep runs when m_resident passes this (and the budget)
};

// The third panel of the status line: " 12 élément(s) trouvé(s)".
QString explorerCountText(int count);

} // namespace editor
