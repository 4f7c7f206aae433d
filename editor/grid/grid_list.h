#pragma once
// What a thumbnail grid needs of the list it shows: an ordered list of (full path, entry)
// pairs with its own GridListState. The explorer, slide and album lists all provide it
// through EntryList, so one grid widget draws and selects any of them.
#include "imaging/scan/list_entry.h"

#include <QString>
#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

namespace editor {

struct GridListState {
    int currentIndex = -1;   // entry last made current by a click or a key; -1 for none
    QString currentPath;     // path of that entry
    int anchorIndex = 0;     // entry whose selected flag changed last; start of a Shift range
    int dragSourceIndex = -1;
    bool dragging = false;   // a plain click went down on an entry and is not yet released
    bool busy = false;       // the list is being filled, laid out or cleared
};

class GridList {
public:
    virtual ~GridList() = default;

    virtual int count() const = 0;
    virtual QString path(int index) const = 0;
    virtual TEnrData &entry(int index) = 0;
    const TEnrData &entry(int index) const { return const_cast<GridList *>(this)->entry(index); }
    // Takes the pair out of `from` and inserts it at `to`; the pairs in between shift by one.
    virtual void move(int from, int to) = 0;
    // Orders the pairs by full path without regard to case; equal paths keep their order.
    virtual void sortByPath() = 0;
    // The grid is about to draw; entries `first` to `last` are the ones its viewport shows
    // (none when last < first). A list that keeps only some thumbnails in memory brings
    // theirs back here.
    virtual void aboutToDraw(int first, int last) { (void)first, (void)last; }
    // Entry `index` with its thumbnail, for a copy into another list.
    virtual TEnrData entryWithThumbnail(int index) const { return entry(index); }

    bool isEmpty() const { return count() == 0; }
    bool contains(int index) const { return index >= 0 && index < count(); }
    int selectedCount() const;

    GridListState &state() { return m_state; }
    const GridListState &state() const { return m_state; }

private:
    GridListState m_state;
};

// An owning list of (path, Entry) pairs, Entry being TEnrData or an extension of it.
template <class Entry>
class EntryList : public GridList {
    static_assert(std::is_base_of_v<TEnrData, Entry>);

public:
    struct Item {
        QString path;
        Entry entry;
    };

    int count() const override { return int(m_items.size()); }
    QString path(int index) const override { return m_items[std::size_t(index)].path; }
    Entry &entry(int index) override { return m_items[std::size_t(index)].entry; }
    const Entry &entry(int index) const { return m_items[std::size_t(index)].entry; }

    void append(QString path, Entry entry) { m_items.push_back({std::move(path), std::move(entry)}); }
    // The file was renamed or moved: the entry keeps its place and its fields.
    void setPath(int index, QString path) { m_items[std::size_t(index)].path = std::move(path); }
    void removeAt(int index) { m_items.erase(m_items.begin() + index); }
    // Removes every pair whose entry `drop` picks, keeping the order of the others, in one
    // pass; returns how many went.
    template <class Pick>
    int removeIf(Pick drop)
    {
        return int(std::erase_if(m_items, [&drop](const Item &item) { return drop(item.entry); }));
    }
    void reserve(int count) { m_items.reserve(std::size_t(count)); }
    void clear() { m_items.clear(); }

    void move(int from, int to) override
    {
        Item item = std::move(m_items[std::size_t(from)]);
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, std::move(item));
    }

    void sortByPath() override
    {
        std::stable_sort(m_items.begin(), m_items.end(), [](const Item &a, const Item &b) {
            return a.path.compare(b.path, Qt::CaseInsensitive) < 0;
        });
    }

private:
    std::vector<Item> m_items;
};

} // namespace editor
