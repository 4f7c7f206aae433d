#include "documents/album/album_list.h"

#include "base/path_identity.h"

#include <algorithm>

namespace album {

bool AlbumList::containsPath(const QString &path) const
{
    return m_pathCounts.contains(pathKey(path));
}

void AlbumList::indexAdd(const QString &path)
{
    ++m_pathCounts[pathKey(path)];
}

void AlbumList::indexRemove(const QString &path)
{
    const auto found = m_pathCounts.find(pathKey(path));
    if (found == m_pathCounts.end())
        return;
    if (--found.value() <= 0)
        m_pathCounts.erase(found);
}

void AlbumList::append(QString path, TEnrData_C entry)
{
    indexAdd(path);
    m_items.push_back({std::move(path), std::move(entry)});
}

void AlbumList::removeAt(int index)
{
    indexRemove(path(index));
    m_items.erase(m_items.begin() + index);
}

void AlbumList::setPath(int index, QString newPath)
{
    indexRemove(path(index));
    indexAdd(newPath);
    m_items[std::size_t(index)].path = std::move(newPath);
}

void AlbumList::move(int from, int to)
{
    Item item = std::move(m_items[std::size_t(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(item));
}

void AlbumList::sortByPath()
{
    std::stable_sort(m_items.begin(), m_items.end(), [](const Item &a, const Item &b) {
        return a.path.compare(b.path, Qt::CaseInsensitive) < 0;
    });
}

void AlbumList::clear()
{
    m_items.clear();
    m_pathCounts.clear();
}

} // namespace album
