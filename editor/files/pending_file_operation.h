#pragma once
// The explorer's own cut and copy (TOpFile): the files waiting for a paste and whether the
// paste moves or copies them. One lives from start-up to exit. Cut and Copy replace it; a
// paste leaves it as it is, so a copied set can be pasted into several folders; renaming a
// single file resets it.
#include <QStringList>

namespace editor {

struct TOpFile {
    enum class Operation { None, Cut, Copy };

    Operation operation = Operation::None;
    QStringList files; // full paths, in list order

    bool pastePossible() const { return operation != Operation::None && !files.isEmpty(); }
    void reset()
    {
        operation = Operation::None;
        files.clear();
    }
};

} // namespace editor
