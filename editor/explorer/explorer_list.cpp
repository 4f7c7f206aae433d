#include "editor/explorer/explorer_list.h"

namespace editor {

QString explorerCountText(int count)
{
    return QStringLiteral(" %1 élément(s) trouvé(s)").arg(count);
}

} // namespace editor
