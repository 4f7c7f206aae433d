#pragma once
// The open show's slides as the show grid GrilleScript shows them: an ordered list of
// (picture path, TEnrData_S) pairs, the show order, with its own GridListState. A path is
// added at most once; an index of path keys beside the list answers "already there?" at
// once, so adding N pictures costs O(N). Paths are compared as the platform's file system
// compares them (samePath).
#include "documents/show/slide_entry.h"
#include "editor/grid/grid_list.h"

#include <QHash>
#include <QString>
#include <vector>

namespace editor {

using showdoc::TEnrData_S;

class SlideList : public GridList {
public:
    int count() const override { return int(m_items.size()); }
    QString path(int index) const override { return m_items[std::size_t(index)].path; }
    TEnrData &entry(int index) override { return m_items[std::size_t(index)].entry; }
    TEnrData_S &slide(int index) { return m_items[std::size_t(index)].entry; }
    const TEnrData_S &slide(int index) const { return m_items[std::size_t(index)].entry; }
    void move(int from, int to) override;
    void sortByPath() override;

    bool containsPath(const QString &path) const { return m_keys.contains(pathKey(path)); }
    void reserve(int count) { m_items.reserve(std::size_t(count)); }
    void append(QString path, TEnrData_S entry);
    void removeAt(int index);
    // Removes every selected pair, the others keeping their order; returns how many.
    int removeSelected();
    // The picture was moved: the slide keeps its place, entry and parameters.
    void setPath(int index, QString path);
    void clear();

    // The slides as a plain list (pictures and thumbnails are shared, not copied).
    const std::vector<showdoc::ShowSlide> &slides() const { return m_items; }

private:
    static QString pathKey(const QString &path);
    void forget(const QString &path);

    std::vector<showdoc::ShowSlide> m_items;
    QHash<QString, int> m_keys; // path key -> number of slides with it (moves may join two)
};

} // namespace editor
