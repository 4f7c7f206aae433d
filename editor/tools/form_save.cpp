#include "editor/tools/form_save.h"

#include "ui/dialog_buttons.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace editor {

namespace {

const QString kText = QStringLiteral(
    "Ce format de fichier n'est pas pris en charge à l'enregistrement, il est possible d'enregistrer l'image "
    "modifiée au format BITMAP ou au format JPEG en cochant la case désirée.\n"
    "Cliquez sur le bouton annuler pour quitter sans appliquer les modifications.");

} // namespace

TFormSave::TFormSave(QWidget *parent)
    : QDialog(parent), radioBitmap(new QRadioButton(QStringLiteral("Bitmap (bmp)"))),
      radioJpeg(new QRadioButton(QStringLiteral("JPEG (jpg)")))
{
    setObjectName(QStringLiteral("TFormSave"));
    setWindowTitle(QStringLiteral("Choix du format d'enregistrement"));
    auto *text = new QLabel(kText, this);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    auto *group = new QGroupBox(QStringLiteral(" Enregistrer l'image modifiée au format "), this);
    group->setObjectName(QStringLiteral("RadioSave"));
    auto *buttons = new QButtonGroup(group);
    buttons->addButton(radioBitmap, 0);
    buttons->addButton(radioJpeg, 1);
    radioJpeg->setChecked(true);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(radioBitmap);
    groupLayout->addWidget(radioJpeg);
    const auto row = ui::makeDialogButtons(this, {});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(group);
    layout->addLayout(row.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

imagetools::SaveFormat TFormSave::format() const
{
    return radioBitmap->isChecked() ? imagetools::SaveFormat::Bitmap : imagetools::SaveFormat::Jpeg;
}

std::optional<imagetools::SaveFormat> askSaveFormat(QWidget *parent)
{
    TFormSave dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.format();
}

} // namespace editor
