#pragma once
// "Informations EXIF": the EXIF report of the explorer's current picture, read-only in a
// fixed-pitch font so that the values line up, with one button "&Fermer".
#include <QDialog>
#include <QStringList>
#include <optional>

class QPlainTextEdit;

namespace editor {

class TFormExif : public QDialog {
    Q_OBJECT
public:
    explicit TFormExif(const QStringList &lines, QWidget *parent = nullptr);
    QPlainTextEdit *MemoEXIF;
};

// The dialog's lines for `path` in the user's locale, or nothing when the command does
// nothing: a file that does not exist, or whose extension is not ".jpg", ".jpeg", ".tif"
// or ".tiff".
std::optional<QStringList> exifDialogLines(const QString &path);

} // namespace editor
