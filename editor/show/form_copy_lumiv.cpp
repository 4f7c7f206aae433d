#include "editor/show/form_copy_lumiv.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace editor {

namespace {

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    parent->layout()->addWidget(box);
    return box;
}

} // namespace

TFormCopyLumiv::TFormCopyLumiv(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormCopyLumiv"));
    setWindowTitle(QStringLiteral("Copier les paramètres"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Cocher les champs à dupliquer à toutes les photos du lumivelle"), this));
    CheckTemps = checkBox(this, "CheckTemps", QStringLiteral("Temps d'affichage"), true);
    CheckBordure = checkBox(this, "CheckBordure", QStringLiteral("Bordure"), true);
    CheckEffect = checkBox(this, "CheckEffect", QStringLiteral("Transition"), true);
    CheckColorBorder = checkBox(this, "CheckColorBorder", QStringLiteral("Couleur de la bordure"), true);
    CheckColorFond = checkBox(this, "CheckColorFond", QStringLiteral("Couleur du fond"), true);
    CheckColorText = checkBox(this, "CheckColorText", QStringLiteral("Couleur du texte"), true);
    CheckTextAss = checkBox(this, "CheckTextAss", QStringLiteral("Texte associé à l'image"), false);
    const ui::DialogButtons buttons =
        ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("applystyle.htm")); });
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CopyChoices TFormCopyLumiv::choices() const
{
    CopyChoices c;
    c.displayTime = CheckTemps->isChecked();
    c.border = CheckBordure->isChecked();
    c.style = CheckEffect->isChecked();
    c.borderColour = CheckColorBorder->isChecked();
    c.backgroundColour = CheckColorFond->isChecked();
    c.captionColour = CheckColorText->isChecked();
    c.caption = CheckTextAss->isChecked();
    return c;
}

} // namespace editor
