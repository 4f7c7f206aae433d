#pragma once
// TFormSave, "Choix du format d'enregistrement": the question the rotation asks for a
// picture whose format the program cannot write, BMP or JPEG (preselected).
#include "imaging/tools/rotate_and_save.h"

#include <QDialog>

class QRadioButton;

namespace editor {

class TFormSave : public QDialog {
    Q_OBJECT
public:
    explicit TFormSave(QWidget *parent = nullptr);

    // Index 0 "Bitmap (bmp)", 1 "JPEG (jpg)".
    imagetools::SaveFormat format() const;

    QRadioButton *radioBitmap;
    QRadioButton *radioJpeg;
};

// Shows the dialog modally: the chosen format, or nothing on "&Annuler".
std::optional<imagetools::SaveFormat> askSaveFormat(QWidget *parent);

} // namespace editor
