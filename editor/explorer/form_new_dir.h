#pragma once
// TFormNewDir, "Créer un nouveau dossier": one field EditDir for a folder name, or for
// several nested names separated by the path separator. The field refuses a separator
// typed while it is still empty.
#include <QDialog>
#include <QLineEdit>

class QLabel;

namespace editor {

// The explanation above the field, naming the platform's separator.
QString newDirExplanation();

// A line edit that ignores the path separator as its first character.
class FolderNameEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class TFormNewDir : public QDialog {
    Q_OBJECT
public:
    explicit TFormNewDir(QWidget *parent = nullptr);
    QString text() const { return EditDir->text(); }

    FolderNameEdit *EditDir;
};

} // namespace editor
