#pragma once
// TFormCopyLumiv ("Copier les paramètres"): which parameters of the current slide
// AllStyle_Image copies to all slides. Everything but the caption is checked at opening.
#include "editor/show/slide_editing.h"

#include <QDialog>

class QCheckBox;

namespace editor {

class TFormCopyLumiv : public QDialog {
    Q_OBJECT

public:
    explicit TFormCopyLumiv(QWidget *parent = nullptr);
    CopyChoices choices() const;

    QCheckBox *CheckTemps, *CheckBordure, *CheckEffect, *CheckColorBorder, *CheckColorFond, *CheckColorText,
        *CheckTextAss;
};

} // namespace editor
