#include "editor/tools/form_redim.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"
#include "ui/numeric_key.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

namespace {

const QStringList kSizeTexts = {QStringLiteral("640 x 480"),   QStringLiteral("800 x 600"),
                                QStringLiteral("1024 x 768"),  QStringLiteral("1152 x 864"),
                                QStringLiteral("1280 x 1024"), QStringLiteral("1600 x 1200"),
                                QStringLiteral("Personnaliser")};
const QStringList kCopyTexts = {
    QStringLiteral("Faire une copie des images redimensionnées dans le même dossier"),
    QStringLiteral("Faire une copie des images redimensionnées dans un autre dossier"),
    QStringLiteral("Redimensionner l'image originale (ne pas créer de copie)")};
const QString kCustomWidth = QStringLiteral("1600");
const QString kCustomHeight = QStringLiteral("1200");
constexpr int kOtherFolder = 1;

QLineEdit *numberField(const char *name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(4);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), field));
    field->setFixedWidth(60);
    return field;
}

} // namespace

QString chooseDestinationFolder(QWidget *parent, const QString &start)
{
    const QString folder = QFileDialog::getExistingDirectory(
        parent, QStringLiteral("Sélectionner un dossier de destination"), start);
    return folder.isEmpty() ? QString() : withTrailingSeparator(folder);
}

TFormRedim::TFormRedim(ConfigFile &config, const QStringList &files, QWidget *parent)
    : QDialog(parent), ListFile(new QListWidget(this)), RadioTaille(new QButtonGroup(this)),
      LabelTaille(new QLabel(QStringLiteral("Saisir la nouvelle taille en pixel"), this)),
      EditLargeur(numberField("EditLargeur", this)), EditHauteur(numberField("EditHauteur", this)),
      CheckImgPlusGrande(new QCheckBox(QStringLiteral("Ne redimensionner les images que si elles sont plus grandes"), this)),
      ComboFilter(new QComboBox(this)), RadioCopie(new QButtonGroup(this)), EditDir(new QLineEdit(this)),
      SpeedBDir(new QToolButton(this)), m_config(config)
{
    setObjectName(QStringLiteral("TFormRedim"));
    setWindowTitle(QStringLiteral("Redimensionner une ou plusieurs images"));
    ListFile->setObjectName(QStringLiteral("ListFile"));
    ListFile->addItems(files);
    CheckImgPlusGrande->setObjectName(QStringLiteral("CheckImgPlusGrande"));
    ComboFilter->setObjectName(QStringLiteral("ComboFilter"));
    ComboFilter->addItems(imagetools::filterListTexts());
    EditDir->setObjectName(QStringLiteral("EditDir"));
    EditDir->setReadOnly(true);
    SpeedBDir->setObjectName(QStringLiteral("SpeedBDir"));
    SpeedBDir->setText(QStringLiteral("..."));
    SpeedBDir->setStatusTip(QStringLiteral("Sélectionner un dossier"));
    chooseFolder = [this] { return chooseDestinationFolder(this, EditDir->text()); };
    EditLargeur->installEventFilter(this);
    EditHauteur->installEventFilter(this);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Options d'interpolation"), this));
    filterRow->addWidget(ComboFilter, 1);
    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("rescale.htm")); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Images sélectionnées - Seules les images JPG ou BMP sont acceptées"), this));
    layout->addWidget(ListFile);
    layout->addWidget(buildSizeGroup());
    layout->addWidget(CheckImgPlusGrande);
    layout->addLayout(filterRow);
    layout->addWidget(buildCopyGroup());
    layout->addLayout(buttons.layout);
    ListFile->setMinimumSize(460, 110);

    connect(RadioTaille, &QButtonGroup::idClicked, this, &TFormRedim::RadioTailleClick);
    connect(RadioCopie, &QButtonGroup::idClicked, this, &TFormRedim::RadioCopieClick);
    connect(SpeedBDir, &QToolButton::clicked, this, &TFormRedim::SpeedBDirClick);
    applySettings(readResizeBoxSettings(config, [](const QString &dir) { return QFileInfo(dir).isDir(); }));
}

QWidget *TFormRedim::buildSizeGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Nouvelle taille "), this);
    group->setObjectName(QStringLiteral("RadioTaille"));
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < int(kSizeTexts.size()); ++i) {
        sizeButtons[std::size_t(i)] = new QRadioButton(kSizeTexts[i], group);
        RadioTaille->addButton(sizeButtons[std::size_t(i)], i);
        grid->addWidget(sizeButtons[std::size_t(i)], i % 4, i / 4); // two columns
    }
    m_customFields = new QWidget(group);
    auto *custom = new QGridLayout(m_customFields);
    custom->setContentsMargins(0, 0, 0, 0);
    custom->addWidget(LabelTaille, 0, 0, 1, 5);
    custom->addWidget(new QLabel(QStringLiteral("Largeur"), m_customFields), 1, 0);
    custom->addWidget(EditLargeur, 1, 1);
    custom->addWidget(new QLabel(QStringLiteral("Hauteur"), m_customFields), 1, 2);
    custom->addWidget(EditHauteur, 1, 3);
    custom->setColumnStretch(4, 1);
    grid->addWidget(m_customFields, 4, 0, 1, 2);
    return group;
}

QWidget *TFormRedim::buildCopyGroup()
{
    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RadioCopie"));
    auto *layout = new QVBoxLayout(group);
    for (int i = 0; i < int(kCopyTexts.size()); ++i) {
        copyButtons[std::size_t(i)] = new QRadioButton(kCopyTexts[i], group);
        RadioCopie->addButton(copyButtons[std::size_t(i)], i);
        layout->addWidget(copyButtons[std::size_t(i)]);
    }
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(EditDir, 1);
    folderRow->addWidget(SpeedBDir);
    layout->addWidget(new QLabel(QStringLiteral("Copier les images dans ce dossier"), group));
    layout->addLayout(folderRow);
    return group;
}

void TFormRedim::applySettings(const ResizeBoxSettings &s)
{
    ComboFilter->setCurrentIndex(s.filter);
    CheckImgPlusGrande->setChecked(s.largerOnly);
    sizeButtons[std::size_t(s.newSize)]->setChecked(true);
    RadioTailleClick(s.newSize);
    copyButtons[std::size_t(s.copyStyle)]->setChecked(true);
    RadioCopieClick(s.copyStyle);
    if (s.copyStyle == kOtherFolder)
        EditDir->setText(s.dirCopy);
}

int TFormRedim::sizeIndex() const
{
    return RadioTaille->checkedId();
}

int TFormRedim::copyIndex() const
{
    return RadioCopie->checkedId();
}

ResizeBoxSettings TFormRedim::settings() const
{
    return {ComboFilter->currentIndex(), sizeIndex(), CheckImgPlusGrande->isChecked(), copyIndex(), EditDir->text()};
}

std::optional<QSize> TFormRedim::box() const
{
    return resizeBox(sizeIndex(), EditLargeur->text(), EditHauteur->text());
}

void TFormRedim::RadioTailleClick(int index)
{
    const bool custom = index == imagetools::kCustomSizeIndex;
    if (custom) {
        EditLargeur->setText(kCustomWidth);
        EditHauteur->setText(kCustomHeight);
    }
    m_customFields->setVisible(custom);
}

void TFormRedim::RadioCopieClick(int index)
{
    const bool otherFolder = index == kOtherFolder;
    EditDir->setEnabled(otherFolder);
    SpeedBDir->setEnabled(otherFolder);
    if (!otherFolder)
        EditDir->clear();
}

void TFormRedim::SpeedBDirClick()
{
    const QString folder = chooseFolder ? chooseFolder() : QString();
    if (!folder.isEmpty())
        EditDir->setText(withTrailingSeparator(folder));
}

bool TFormRedim::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == EditLargeur || watched == EditHauteur)) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (!text.isEmpty() && !ui::IsNumericKey(text.front()))
            return true; // refused, after the helper's message
    }
    return QDialog::eventFilter(watched, event);
}

void TFormRedim::done(int result)
{
    writeResizeBoxSettings(m_config, settings());
    QDialog::done(result);
}

} // namespace editor
