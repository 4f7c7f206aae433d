#pragma once
// The file-operation service: copying, moving, renaming and deleting files for the
// explorer, the albums and the show builder, with our own French questions.
//
// - Copy and move ask per file before replacing an existing one ("&Oui", "Oui pour &tous",
//   "&Non", "Annuler"); a long copy shows a progress dialog that can be cancelled.
// - Delete asks once, then sends the files (or one folder with its content) to the
//   desktop's trash. A file the trash refuses is deleted for good only if the user says so.
// - A file that cannot be handled is reported in an error box and the others go on.
//
// Copy, move and delete return true unless the user aborted: answered "&Non" to the delete
// question, "Annuler" to an overwrite or trash question, or cancelled the progress dialog.
// Failures are not aborts. A copy never leaves a half-written file in place of a good one:
// it is written beside the target and renamed over it once complete.
#include <QString>
#include <QStringList>

namespace editor {

// What a copy or move reports while it runs; the progress dialog by default.
class OperationProgress {
public:
    virtual ~OperationProgress() = default;
    // Before the first byte: the caption and the number of bytes to handle.
    virtual void begin(const QString &caption, qint64 totalBytes) = 0;
    // After each block: the file being handled and the bytes done so far in the whole
    // operation. False when the user cancelled.
    virtual bool advance(const QString &fileName, qint64 bytesDone) = 0;
    virtual void end() = 0;
    // While held, a question or a message is open: the progress shows nothing that could
    // cover it or take the input away from it.
    virtual void hold(bool held) { (void)held; }
};

bool ShellCopyFiles(const QStringList &paths, const QString &destinationFolder);
bool ShellCopyFiles(const QStringList &paths, const QString &destinationFolder, OperationProgress &progress);
bool ShellMoveFiles(const QStringList &paths, const QString &destinationFolder);
bool ShellMoveFiles(const QStringList &paths, const QString &destinationFolder, OperationProgress &progress);
// True when the file now has the new path. A new path that names an existing file, or a
// name holding a folder separator, is refused with an error box.
bool ShellRenameFile(const QString &oldPath, const QString &newPath);
bool ShellDeleteFiles(const QStringList &paths);

// The delete question for these paths (one file, one folder, or several items).
QString deleteQuestion(const QStringList &paths);

} // namespace editor
