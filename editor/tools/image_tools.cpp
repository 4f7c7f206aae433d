#include "editor/tools/image_tools.h"

#include "editor/tools/batch_commands.h"
#include "editor/tools/rotation_commands.h"

namespace editor {

void installImageTools(TMainLumivelle3000 &window)
{
    installRotationCommands(window);
    installBatchCommands(window);
}

} // namespace editor
