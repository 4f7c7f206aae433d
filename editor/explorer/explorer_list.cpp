#include "editor/explorer/explorer_list.h"

#include <algorithm>

namespace editor {

std::optional<TEnrData> ExplorerList::restored(int index, bool fromDiskOnly) const
{
    const auto &source = fromDiskOnly ? m_source.lookUp : m_source.restore;
    if (!source)
        return std::nullopt;
    auto fresh = source(path(index));
    if (fresh)
        fresh->selected = entry(index).selected;
    return fresh;
}

void ExplorerList::aboutToDraw(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    std::vector<int> waiting;
    QStringList lost;
    for (int i = first; i <= last; ++i) {
        TEnrData &e = entry(i);
        if (isWaiting(e)) {
            waiting.push_back(i);
        } else if (!isUnreadable(e) && e.thumbnail.isNull()) {
            if (auto fresh = restored(i, true)) {
                e = std::move(*fresh);
                ++m_resident;
            } else {
                lost << path(i);
            }
        }
    }
    if (!waiting.empty() && wanted)
        wanted(std::move(waiting));
    if (!lost.isEmpty() && remake)
        remake(std::move(lost));
    keepThumbnailsNear(first, last);
}

// Amortised: a sweep walks the whole list once, then the next waits until half a budget
// more thumbnails came in, even when few could leave memory.
void ExplorerList::keepThumbnailsNear(int first, int last)
{
    if (m_budget <= 0 || m_resident <= std::max(m_budget, m_nextSweepAt) || !m_source.stored)
        return;
    const int margin = m_budget / 4;
    const int keepFrom = std::max(first, 0) - margin;
    const int keepTo = std::max(last, first) + margin;
    int resident = 0;
    for (int i = 0; i < count(); ++i) {
        TEnrData &e = entry(i);
        if (e.thumbnail.isNull())
            continue;
        if ((i < keepFrom || i > keepTo) && e.width > 0 && m_source.stored(path(i)))
            e.thumbnail = QImage();
        else
            ++resident;
    }
    m_resident = resident;
    m_nextSweepAt = resident + m_budget / 2;
}

int ExplorerList::thumbnailsInMemory() const
{
    int resident = 0;
    for (int i = 0; i < count(); ++i)
        resident += entry(i).thumbnail.isNull() ? 0 : 1;
    return resident;
}

TEnrData ExplorerList::entryWithThumbnail(int index) const
{
    const TEnrData &e = entry(index);
    if (e.thumbnail.isNull() && e.width > 0)
        if (auto fresh = restored(index, false))
            return std::move(*fresh);
    return e;
}

void ExplorerList::setThumbnail(int index, TEnrData made)
{
    TEnrData &e = entry(index);
    if (!e.thumbnail.isNull() || made.thumbnail.isNull())
        return;
    made.selected = e.selected;
    e = std::move(made);
    ++m_resident;
}

QString explorerCountText(int count)
{
    return QStringLiteral(" %1 élément(s) trouvé(s)").arg(count);
}

} // namespace editor
