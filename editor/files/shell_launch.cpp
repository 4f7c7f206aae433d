#include "editor/files/shell_launch.h"

#include "ui/messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace editor {

namespace {

// The file `name` stands for, or empty when there is none.
QString resolveFile(const QString &name, const QString &workingFolder)
{
    if (name.isEmpty())
        return {};
    const QFileInfo direct(name);
    if (direct.isAbsolute())
        return direct.exists() ? direct.absoluteFilePath() : QString();
    if (!workingFolder.isEmpty()) {
        const QFileInfo inFolder(QDir(workingFolder), name);
        if (inFolder.exists())
            return inFolder.absoluteFilePath();
    }
    if (!name.contains(u'/') && !name.contains(QDir::separator())) {
        const QString onPath = QStandardPaths::findExecutable(name);
        if (!onPath.isEmpty())
            return onPath;
    }
    return direct.exists() ? direct.absoluteFilePath() : QString();
}

ShellResult startProgram(const QString &program, const QString &parameters, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(QProcess::splitCommand(parameters));
    process.setWorkingDirectory(workingFolder.isEmpty() ? QFileInfo(program).absolutePath() : workingFolder);
    return process.startDetached() ? ShellResult::Success : ShellResult::NotAProgram;
}

} // namespace

QString shellLaunchMessage(ShellResult result, const QString &file, const QString &workingFolder)
{
    switch (result) {
    case ShellResult::OutOfResources:
    case ShellResult::OutOfMemory: return QStringLiteral("Mémoire insuffisante pour ouvrir le fichier ") + file;
    case ShellResult::FileNotFound: return QStringLiteral("Impossible de trouver le fichier ") + file;
    case ShellResult::PathNotFound: return QStringLiteral("Le chemin d'accès n'est pas valide ") + workingFolder;
    case ShellResult::NotAProgram: return QStringLiteral("Le programme ne peut être lancé");
    case ShellResult::SharingViolation: return QStringLiteral("Violation d'accès");
    case ShellResult::IncompleteAssociation:
    case ShellResult::NoAssociation: return QStringLiteral("Aucune extension n'est associée à ce fichier");
    case ShellResult::DdeTimeout:
    case ShellResult::DdeFailure: return QStringLiteral("La transaction DDE à échouée");
    case ShellResult::DdeBusy: return QStringLiteral("Une autre application DDE utilise ce fichier");
    case ShellResult::Success: return {};
    }
    return {};
}

ShellResult shellOpen(const QString &file, const QString &parameters, const QString &workingFolder)
{
    if (!workingFolder.isEmpty() && !QFileInfo(workingFolder).isDir())
        return ShellResult::PathNotFound;
    const QString resolved = resolveFile(file, workingFolder);
    if (resolved.isEmpty())
        return ShellResult::FileNotFound;
    const QFileInfo info(resolved);
    if (info.isFile() && info.isExecutable())
        return startProgram(resolved, parameters, workingFolder);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(resolved)) ? ShellResult::Success
                                                                     : ShellResult::NoAssociation;
}

bool ShellLaunch(QWidget * /*owner: messages go to the active window*/, const QString &file,
                 const QString &parameters, const QString &workingFolder)
{
    const ShellResult result = shellOpen(file, parameters, workingFolder);
    const QString message = shellLaunchMessage(result, file, workingFolder);
    if (message.isEmpty())
        return true;
    messages::error(message);
    return false;
}

} // namespace editor
