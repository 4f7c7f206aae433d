#include "editor/explorer/rename_rules.h"

#include <QDir>
#include <QFileInfo>

namespace editor {

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == QDir::separator();
}

} // namespace

QString folderWithSeparator(const QString &path)
{
    const QString folder = QFileInfo(path).path();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString batchRenamedPath(const QString &oldPath, const RenameOptions &options, qint64 counter)
{
    const QString suffix = QFileInfo(oldPath).suffix();
    const QString extension = suffix.isEmpty() ? QString() : u'.' + suffix;
    const QString number = QString::number(counter);
    const QString name = options.counterBefore ? number + options.separator + options.baseName
                                               : options.baseName + options.separator + number;
    return folderWithSeparator(oldPath) + name + extension;
}

std::optional<QString> newFolderPath(const QString &currentFolder, const QString &typed)
{
    if (currentFolder.isEmpty() || typed.trimmed().isEmpty())
        return std::nullopt;
    QString base = QDir::fromNativeSeparators(currentFolder);
    if (!base.endsWith(u'/'))
        base += u'/';
    QString text = typed;
    while (!text.isEmpty() && text.front().isSpace())
        text.remove(0, 1);
    if (isSeparator(text.front()))
        text.remove(0, 1);
    QString path = base + QDir::fromNativeSeparators(text);
    if (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    return path;
}

} // namespace editor
