#include "editor/show/slide_list.h"

#include "base/path_identity.h"

#include <algorithm>

namespace editor {

QString SlideList::pathKey(const QString &path)
{
    return ::pathKey(path);
}

void SlideList::move(int from, int to)
{
    showdoc::ShowSlide item = std::move(m_items[std::size_t(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(item));
}

void SlideList::sortByPath()
{
    std::stable_sort(m_items.begin(), m_items.end(), [](const showdoc::ShowSlide &a, const showdoc::ShowSlide &b) {
        return a.path.compare(b.path, Qt::CaseInsensitive) < 0;
    });
}

void SlideList::append(QString path, TEnrData_S entry)
{
    ++m_keys[pathKey(path)];
    m_items.push_back({std::move(path), std::move(entry)});
}

void SlideList::forget(const QString &path)
{
    const auto key = m_keys.find(pathKey(path));
    if (key != m_keys.end() && --key.value() <= 0)
        m_keys.erase(key);
}

void SlideList::removeAt(int index)
{
    forget(m_items[std::size_t(index)].path);
    m_items.erase(m_items.begin() + index);
}

int SlideList::removeSelected()
{
    for (const showdoc::ShowSlide &item : m_items)
        if (item.entry.selected)
            forget(item.path);
    // One pass keeps the others in their order, however many are removed.
    return int(std::erase_if(m_items, [](const showdoc::ShowSlide &item) { return item.entry.selected; }));
}

void SlideList::setPath(int index, QString path)
{
    forget(m_items[std::size_t(index)].path);
    ++m_keys[pathKey(path)];
    m_items[std::size_t(index)].path = std::move(path);
}

void SlideList::clear()
{
    m_items.clear();
    m_keys.clear();
}

} // namespace editor
