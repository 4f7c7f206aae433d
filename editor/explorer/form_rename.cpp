#include "editor/explorer/form_rename.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace editor {

TFormRename::TFormRename(QWidget *parent)
    : QDialog(parent), EditBaseName(new QLineEdit(this)), EditSep(new QLineEdit(QStringLiteral("_"), this)),
      SpinNum(new QSpinBox(this)), RadioBefore(new QRadioButton(QStringLiteral("Avant le nom du fichier"), this)),
      RadioAfter(new QRadioButton(QStringLiteral("Après le nom du fichier"), this))
{
    setObjectName(QStringLiteral("TFormRename"));
    setWindowTitle(QStringLiteral("Renommer plusieurs images"));
    EditBaseName->setObjectName(QStringLiteral("EditBaseName"));
    EditSep->setObjectName(QStringLiteral("EditSep"));
    SpinNum->setObjectName(QStringLiteral("SpinNum"));
    SpinNum->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    SpinNum->setValue(1);
    RadioAfter->setChecked(true);

    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("rename.htm")); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFields());
    layout->addWidget(buildPlaceGroup());
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->geometry().center() - rect().center());
    }
}

QWidget *TFormRename::buildFields()
{
    auto *fields = new QWidget(this);
    auto *form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Nom de base commun à tous les fichiers"), EditBaseName);
    form->addRow(QStringLiteral("Séparateur entre le nom et le compteur ( - )"), EditSep);
    form->addRow(QStringLiteral("Commencer la numérotation à"), SpinNum);
    return fields;
}

QWidget *TFormRename::buildPlaceGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Le compteur est placé "), this);
    group->setObjectName(QStringLiteral("RadioPlace"));
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(RadioBefore);
    layout->addWidget(RadioAfter);
    return group;
}

RenameOptions TFormRename::values() const
{
    RenameOptions options;
    options.baseName = EditBaseName->text();
    options.separator = EditSep->text();
    bool isNumber = false;
    const qint64 start = SpinNum->cleanText().toLongLong(&isNumber);
    options.start = isNumber ? start : 0;
    options.counterBefore = RadioBefore->isChecked();
    return options;
}

} // namespace editor
