#include "editor/show/show_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>

namespace editor {

namespace {

const QString kProjectFilter = QStringLiteral("Fichiers lumivelle (*.dap)");
const QString kImageFilter = QStringLiteral(
    "Fichiers images (*.bmp *.ico *.wmf *.emf *.jpg *.jpeg *.tga *.tif *.tiff *.pcx *.psd *.pic *.pcd *.gif "
    "*.psp *.png)");
// The dialog's filters ignore letter case, as the desktop's do.
const QString kSoundFilter =
    QStringLiteral("Fichiers son (*.WAV *.MID *.CDA *.M3U *.MP2 *.MPA *.ASF *.WMA *.WMV *.MP3 *.MP4)");

std::optional<QString> runFileDialog(QWidget *parent, const QString &title, const QString &filter,
                                     const QString &suffix, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    // The replace question is the program's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QStringList WidgetShowDialogs::chooseImages()
{
    return QFileDialog::getOpenFileNames(m_parent, QStringLiteral("Ajouter des images"), QString(), kImageFilter);
}

std::optional<QString> WidgetShowDialogs::chooseFolder(const QString &caption)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, caption);
    return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
}

std::optional<QString> WidgetShowDialogs::saveProject(const QString &title)
{
    return runFileDialog(m_parent, title, kProjectFilter, QStringLiteral("dap"), QFileDialog::AcceptSave);
}

std::optional<QString> WidgetShowDialogs::openProject()
{
    return runFileDialog(m_parent, QStringLiteral("Ouvrir un lumivelle"), kProjectFilter, QStringLiteral("dap"),
                         QFileDialog::AcceptOpen);
}

std::optional<QString> WidgetShowDialogs::openOldScript()
{
    return runFileDialog(m_parent, QStringLiteral("Ouvrir un ancien lumivelle"),
                         QStringLiteral("Fichiers lumivelle ancien (*.spr)"), QStringLiteral("spr"),
                         QFileDialog::AcceptOpen);
}

std::optional<QString> WidgetShowDialogs::chooseMusic()
{
    return runFileDialog(m_parent, QStringLiteral("Rechercher un fichier son"), kSoundFilter, QStringLiteral("WAV"),
                         QFileDialog::AcceptOpen);
}

std::optional<QColor> WidgetShowDialogs::chooseColour(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

} // namespace editor
