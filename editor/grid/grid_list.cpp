#include "editor/grid/grid_list.h"

namespace editor {

int GridList::selectedCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += entry(i).selected ? 1 : 0;
    return n;
}

} // namespace editor
