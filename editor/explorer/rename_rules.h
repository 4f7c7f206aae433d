#pragma once
// The names the rename commands give: a batch rename puts a counter before or after a
// common base name and keeps each file's extension with its dot and letter case; a new
// folder is the typed path below the current folder.
#include <QString>
#include <optional>

namespace editor {

// What the batch rename dialog TFormRename gives.
struct RenameOptions {
    QString baseName;                    // used exactly as typed
    QString separator = QStringLiteral("_");
    qint64 start = 1;                    // the first counter
    bool counterBefore = false;          // "Avant le nom du fichier"
};

// The folder of `oldPath`, then counter, separator, base name (or base name, separator,
// counter) and the old extension. The counter is written in decimal without leading zeros.
QString batchRenamedPath(const QString &oldPath, const RenameOptions &options, qint64 counter);

// The folder a text typed in the new-folder dialog names below `currentFolder`: leading
// blanks, one leading separator and one trailing separator dropped. Nothing when the text
// is blank or there is no current folder.
std::optional<QString> newFolderPath(const QString &currentFolder, const QString &typed);

// The folder of `path` with a separator at the end.
QString folderWithSeparator(const QString &path);


} // namespace editor
