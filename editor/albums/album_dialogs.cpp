#include "editor/albums/album_dialogs.h"

#include <QDialog>
#include <QFileDialog>

namespace editor {

namespace {

std::optional<QString> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

std::optional<QString> WidgetAlbumDialogs::saveAlbumFile(const QString &title, const QString &folder)
{
    // The dialog adds the extension ".ccl" to a name typed without one; the question about
    // an existing file is the album's own, so the dialog does not ask it.
    QFileDialog dialog(m_parent, title, folder, kAlbumFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ccl"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return chosen(dialog.selectedFiles().first());
}

std::optional<QString> WidgetAlbumDialogs::openAlbumFile(const QString &title, const QString &folder)
{
    QFileDialog dialog(m_parent, title, folder, kAlbumFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("ccl"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return chosen(dialog.selectedFiles().first());
}

QStringList WidgetAlbumDialogs::openImageFiles(const QString &title)
{
    return QFileDialog::getOpenFileNames(m_parent, title, QString(), kImageFileFilter);
}

std::optional<QString> WidgetAlbumDialogs::chooseFolder(const QString &caption)
{
    return chosen(QFileDialog::getExistingDirectory(m_parent, caption));
}

int WidgetAlbumDialogs::run(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace editor
