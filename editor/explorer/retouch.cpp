#include "editor/explorer/retouch.h"

#include "editor/explorer/explorer_dialogs.h"
#include "editor/explorer/shell_launch.h"
#include "editor/shell/editor_settings.h"
#include "editor/shell/messages.h"

#include <QFileInfo>

namespace editor {

namespace {

const QString kNoProgram = QStringLiteral(
    "Aucun logiciel de retouche n'est associé.\nChoisissez-en un avec « Associer un logiciel de retouche "
    "d'images » du menu Outils.");

} // namespace

QString retouchParameters(const QString &imagePath)
{
    QString path = imagePath;
    path.replace(u'"', QStringLiteral("\"\"\""));
    return u'"' + path + u'"';
}

QString programFriendlyName(const QString &programPath)
{
    QString name = QFileInfo(programPath).fileName();
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

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

void retouchImage(const EditorSettings &settings, const QString &imagePath, bool reportMissing, QWidget *owner)
{
    if (!QFileInfo(imagePath).isFile()) {
        if (reportMissing)
            messages::information(kImageNotAccessible);
        return;
    }
    if (settings.SoftRetoucheF.isEmpty()) {
        messages::information(kNoProgram);
        return;
    }
    const QFileInfo program(settings.SoftRetoucheF);
    ShellLaunch(owner, program.fileName(), retouchParameters(imagePath), program.path());
}

} // namespace editor
