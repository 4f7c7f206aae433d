#pragma once
// The open album's images as the thumbnail grid sees them: the album list of the
// documents library behind the grid's GridList, with the list's GridListState.
#include "documents/album/album_list.h"
#include "editor/grid/grid_list.h"

namespace editor {

class AlbumImages final : public GridList {
public:
    album::AlbumList &items() { return m_items; }
    const album::AlbumList &items() const { return m_items; }
    album::TEnrData_C &albumEntry(int index) { return m_items.entry(index); }
    const album::TEnrData_C &albumEntry(int index) const { return m_items.entry(index); }

    int count() const override { return m_items.count(); }
    QString path(int index) const override { return m_items.path(index); }
    TEnrData &entry(int index) override { return m_items.entry(index); }
    void move(int from, int to) override { m_items.move(from, to); }
    void sortByPath() override { m_items.sortByPath(); }

    // The indexes of the selected entries, in album order.
    std::vector<int> selectedIndexes() const;
    bool currentIsValid() const { return contains(state().currentIndex); }

private:
    album::AlbumList m_items;
};

inline std::vector<int> AlbumImages::selectedIndexes() const
{
    std::vector<int> indexes;
    for (int i = 0; i < count(); ++i)
        if (m_items.entry(i).selected)
            indexes.push_back(i);
    return indexes;
}

} // namespace editor
