#include "editor/files/retouch.h"

#include "editor/files/shell_launch.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"

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
