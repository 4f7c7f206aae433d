#include "editor/explorer/retouch_association.h"

#include "editor/explorer/explorer_dialogs.h"
#include "editor/files/retouch.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"

#include <QFileInfo>

namespace editor {

bool associateRetouchProgram(EditorSettings &settings, ExplorerDialogs &dialogs)
{
    const auto program = dialogs.chooseProgram();
    if (!program)
        return false;
    const QFileInfo info(*program);
    if (!info.isFile() || !info.isExecutable()) {
        messages::error(QStringLiteral("Le fichier « %1 » n'est pas un programme.").arg(info.fileName()));
        return false;
    }
    const QString proposed = programFriendlyName(*program);
    const auto answer = dialogs.askText(QStringLiteral("Logiciel de retouche"),
                                        QStringLiteral("Donnez un nom convivial au logiciel"), proposed);
    const QString name = answer && !answer->trimmed().isEmpty() ? *answer : proposed;
    settings.setRetouchProgram(*program, name);
    return true;
}

} // namespace editor
