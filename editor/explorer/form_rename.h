#pragma once
// TFormRename, "Renommer plusieurs images": the common base name, the separator between
// name and counter, the first counter and whether the counter goes before or after the
// name.
#include "editor/explorer/rename_rules.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace editor {

class TFormRename : public QDialog {
    Q_OBJECT
public:
    explicit TFormRename(QWidget *parent = nullptr);
    // The start number is 0 when the field holds no number.
    RenameOptions values() const;

    QLineEdit *EditBaseName;
    QLineEdit *EditSep;
    QSpinBox *SpinNum;
    QRadioButton *RadioBefore;
    QRadioButton *RadioAfter;

private:
    QWidget *buildFields();
    QWidget *buildPlaceGroup();
};

} // namespace editor
