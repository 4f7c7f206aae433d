#pragma once
// The album list: the ordered (path, entry) pairs of the open album. The order is the
// grid's order and the order of the records in the file. An index of the paths, under the
// platform's path identity, answers "is this picture already in the album?" at once, so
// adding N pictures costs O(N). Loading keeps whatever a file holds, duplicates included;
// the adding commands never add a path that is already there.
#include "documents/album/album_entry.h"

#include <QHash>
#include <QString>
#include <vector>

namespace album {

class AlbumList {
public:
    struct Item {
        QString path;
        TEnrData_C entry;
    };

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const QString &path(int index) const { return m_items[std::size_t(index)].path; }
    TEnrData_C &entry(int index) { return m_items[std::size_t(index)].entry; }
    const TEnrData_C &entry(int index) const { return m_items[std::size_t(index)].entry; }
    const std::vector<Item> &items() const { return m_items; }

    bool containsPath(const QString &path) const;
    void append(QString path, TEnrData_C entry);
    void removeAt(int index);
    void setPath(int index, QString path);
    // Takes the pair out of `from` and inserts it at `to`.
    void move(int from, int to);
    // Orders the pairs by path without regard to case; equal paths keep their order.
    void sortByPath();
    void clear();
    void reserve(int count) { m_items.reserve(std::size_t(count)); }

private:
    void indexAdd(const QString &path);
    void indexRemove(const QString &path);

    std::vector<Item> m_items;
    QHash<QString, int> m_pathCounts; // pathKey -> how many entries carry it
};

} // namespace album
