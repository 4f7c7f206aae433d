#pragma once
// The explorer list: the pictures of the current folder, in name order until the user
// reorders or sorts them, with the two fields only this list has.
#include "editor/grid/grid_list.h"

#include <QString>

namespace editor {

class ExplorerList : public EntryList<TEnrData> {
public:
    bool cancel = false;         // set by Escape; a scan that sees it stops
    QString lastPreviewedPath;   // the file the preview panel shows; empty when none
};

// The third panel of the status line: " 12 élément(s) trouvé(s)".
QString explorerCountText(int count);

} // namespace editor
