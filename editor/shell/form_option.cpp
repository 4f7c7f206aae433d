#include "editor/shell/form_option.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

namespace {

QString chooseFolderWithDialog(QWidget *parent, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Sélectionner un dossier"), start);
}

} // namespace

UnitSpinBox::UnitSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setRange(0, 99999); // out-of-range numbers can be typed: OK turns them into 5
    setValue(5);
}

void UnitSpinBox::stepBy(int steps)
{
    setValue(std::clamp(value() + steps, 1, 120));
}

QAbstractSpinBox::StepEnabled UnitSpinBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < 120)
        enabled |= StepUpEnabled;
    if (value() > 1)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State UnitSpinBox::validate(QString &text, int &pos) const
{
    if (text.trimmed().isEmpty())
        return QValidator::Acceptable;
    return QSpinBox::validate(text, pos);
}

int UnitSpinBox::valueFromText(const QString &text) const
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 1;
}

QWidget *TFormOption::buildThumbnailGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Options des vignettes "), this);
    auto *grid = new QGridLayout(group);
    const std::pair<const char *, ui::ColourSwatch *> swatches[] = {
        {"Couleur des vignettes .........................", PanelV},
        {"Couleur de sélection des vignettes .....", PanelS},
        {"Couleur de fond des vignettes ............", PanelF},
    };
    int row = 0;
    for (const auto &[label, swatch] : swatches) {
        swatch->setParent(group);
        swatch->setFixedSize(41, 21);
        grid->addWidget(new QLabel(QString::fromUtf8(label), group), row, 0);
        grid->addWidget(swatch, row++, 1);
    }
    CheckInfos->setParent(group);
    CheckQualite->setParent(group);
    grid->addWidget(CheckInfos, row++, 0, 1, 2);
    grid->addWidget(CheckQualite, row, 0, 1, 2);
    return group;
}

TFormOption::TFormOption(const OptionValues &values, QWidget *parent)
    : QDialog(parent),
      PanelV(new ui::ColourSwatch),
      PanelS(new ui::ColourSwatch),
      PanelF(new ui::ColourSwatch),
      CheckInfos(new QCheckBox(QStringLiteral("Afficher le nom et la taille du fichier sous la vignette"))),
      CheckQualite(new QCheckBox(QStringLiteral("Visuel de grande qualité (ordinateur rapide)"))),
      CheckOrient(new QCheckBox(QStringLiteral("Redresser les photos selon l'orientation de l'appareil"), this)),
      SpinUnit(new UnitSpinBox(this)),
      EditDir(new QLineEdit(this)),
      SpeedBDir(new QToolButton(this)),
      m_folderChooser(&chooseFolderWithDialog)
{
    setWindowTitle(QStringLiteral("Options"));
    PanelV->setObjectName(QStringLiteral("PanelV"));
    PanelS->setObjectName(QStringLiteral("PanelS"));
    PanelF->setObjectName(QStringLiteral("PanelF"));
    PanelV->setColour(values.colonorm);
    PanelS->setColour(values.colosel);
    PanelF->setColour(values.cologrid);
    CheckInfos->setChecked(values.infoVignette);
    CheckQualite->setChecked(values.filterOk);
    CheckOrient->setObjectName(QStringLiteral("CheckOrient"));
    CheckOrient->setChecked(values.autoOrient);
    SpinUnit->setValue(values.unitText.toInt());
    EditDir->setText(values.albumFolder);
    SpeedBDir->setText(QStringLiteral("..."));
    SpeedBDir->setToolTip(QStringLiteral("Sélectionner un dossier"));
    connect(SpeedBDir, &QToolButton::clicked, this, &TFormOption::SpeedBDirClick);

    auto *unitRow = new QHBoxLayout;
    unitRow->addWidget(new QLabel(QStringLiteral("Intervalle inter-images pour le lumivelle instantané"), this));
    unitRow->addWidget(SpinUnit);
    auto *dirRow = new QHBoxLayout;
    dirRow->addWidget(EditDir, 1);
    dirRow->addWidget(SpeedBDir);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildThumbnailGroup());
    layout->addWidget(CheckOrient);
    layout->addLayout(unitRow);
    layout->addWidget(new QLabel(QStringLiteral("Dossier d'enregistrement par défaut des albums"), this));
    layout->addLayout(dirRow);
    layout->addLayout(ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("options.htm")); }).layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormOption::setColourChooser(const ui::ColourSwatch::ColourChooser &chooser)
{
    for (ui::ColourSwatch *swatch : {PanelV, PanelS, PanelF})
        swatch->setChooser(chooser);
}

void TFormOption::SpeedBDirClick()
{
    const QString folder = m_folderChooser(this, EditDir->text());
    if (!folder.isEmpty())
        EditDir->setText(folder);
}

OptionValues TFormOption::values() const
{
    OptionValues values;
    values.colonorm = PanelV->colour();
    values.colosel = PanelS->colour();
    values.cologrid = PanelF->colour();
    values.infoVignette = CheckInfos->isChecked();
    values.filterOk = CheckQualite->isChecked();
    values.autoOrient = CheckOrient->isChecked();
    values.unitText = SpinUnit->cleanText();
    values.albumFolder = EditDir->text();
    return values;
}

} // namespace editor
