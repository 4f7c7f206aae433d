#include "editor/web/form_web.h"

#include "editor/shell/help.h"
#include "editor/web/web_settings.h"
#include "ui/dialog_buttons.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace editor {

namespace {

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

ui::ColourSwatch *swatch(QWidget *parent, const char *name)
{
    auto *panel = named(new ui::ColourSwatch(parent), name);
    panel->setFixedSize(41, 21);
    return panel;
}

} // namespace

// --- WebNumberField ---

WebNumberField::WebNumberField(int minimum, int maximum, int digits, QWidget *parent)
    : QSpinBox(parent), m_minimum(minimum), m_maximum(maximum)
{
    setRange(0, int(std::pow(10, digits)) - 1);
    setValue(minimum);
    setMinimumWidth(70);
    setMaximumWidth(110);
}

void WebNumberField::setClampedValue(int value)
{
    const int clamped = std::clamp(value, m_minimum, m_maximum);
    setValue(clamped);
    lineEdit()->setText(QString::number(clamped));
}

void WebNumberField::stepBy(int steps)
{
    setClampedValue(value() + steps);
}

QAbstractSpinBox::StepEnabled WebNumberField::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

// An emptied field stays empty while it is edited instead of coming back to its
// previous value.
QValidator::State WebNumberField::validate(QString &text, int &pos) const
{
    if (text.trimmed().isEmpty())
        return QValidator::Acceptable;
    return QSpinBox::validate(text, pos);
}

int WebNumberField::valueFromText(const QString &text) const
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : m_minimum;
}

// Leaving the field for another control of the dialog; a dialog that closes or loses
// the focus to another window leaves the number as typed.
void WebNumberField::focusOutEvent(QFocusEvent *event)
{
    QSpinBox::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        setClampedValue(valueFromText(lineEdit()->text()));
}

// --- TFormWeb ---

std::optional<QString> TFormWeb::chooseWithDialog(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Enregistrer le lumivelle Web sous..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Fichiers HTML (*.htm *.html)"));
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the dialog asks its own question
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

TFormWeb::TFormWeb(ConfigFile &config, QWidget *parent)
    : QDialog(parent),
      EditNom(named(new QLineEdit(this), "EditNom")),
      EditTitre(named(new QLineEdit(this), "EditTitre")),
      EditCopyright(named(new QLineEdit(this), "EditCopyright")),
      EditEMail(named(new QLineEdit(this), "EditEMail")),
      EditTextURL(named(new QLineEdit(this), "EditTextURL")),
      EditURL(named(new QLineEdit(this), "EditURL")),
      SpeedB_Open(named(new QToolButton(this), "SpeedB_Open")),
      SpinCol(named(new WebNumberField(1, webgallery::kMaxColumns, 2, this), "SpinCol")),
      SpinLine(named(new WebNumberField(1, webgallery::kMaxRows, 9, this), "SpinLine")),
      SpinBord(named(new WebNumberField(0, webgallery::kMaxBorder, 2, this), "SpinBord")),
      CheckBordVignette(named(new QCheckBox(QStringLiteral("Ajouter une bordure aux vignettes"), this), "CheckBordVignette")),
      CheckComment(named(new QCheckBox(QStringLiteral("Ajouter les commentaires au dessous des images"), this),
                         "CheckComment")),
      PanelColorF(swatch(this, "PanelColorF")),
      PanelColorT(swatch(this, "PanelColorT")),
      PanelColorL(swatch(this, "PanelColorL")),
      m_config(config)
{
    setObjectName(QStringLiteral("TFormWeb"));
    setWindowTitle(QStringLiteral("Lumivelle WEB"));
    setModal(true);
    EditNom->setReadOnly(true);
    EditNom->setMinimumWidth(300);
    SpeedB_Open->setText(QStringLiteral("..."));
    SpeedB_Open->setAutoRaise(true);
    SpeedB_Open->setStatusTip(QStringLiteral("Donner un nom au fichier HTML"));
    buildLayout();
    connect(SpeedB_Open, &QToolButton::clicked, this, &TFormWeb::SpeedB_OpenClick);
}

void TFormWeb::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    int row = 0;
    auto add = [&](const QString &label, QWidget *field, QWidget *beside = nullptr) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        fields->addWidget(caption, row, 0);
        // Number fields are as wide as the numbers they hold.
        const Qt::Alignment align = qobject_cast<WebNumberField *>(field) ? Qt::AlignLeft : Qt::Alignment();
        fields->addWidget(field, row, 1, 1, beside ? 1 : 2, align);
        if (beside)
            fields->addWidget(beside, row, 2);
        ++row;
    };
    add(QStringLiteral("Nom du fichier HTML"), EditNom, SpeedB_Open);
    add(QStringLiteral("Donner un titre au lumivelle"), EditTitre);
    add(QStringLiteral("Nombre d'images par ligne"), SpinCol);
    add(QStringLiteral("Nombre de lignes par page"), SpinLine);
    add(QStringLiteral("Epaisseur de la bordure"), SpinBord);
    fields->addWidget(CheckBordVignette, row++, 0, 1, 3);
    fields->addWidget(CheckComment, row++, 0, 1, 3);
    add(QStringLiteral("Ajouter votre copyright"), EditCopyright);
    add(QStringLiteral("Ajouter votre E-mail"), EditEMail);
    layout->addLayout(fields);

    auto *linkBox = new QGroupBox(QStringLiteral("Ajouter un lien vers une autre page (un retour par exemple)"), this);
    auto *link = new QGridLayout(linkBox);
    link->addWidget(new QLabel(QStringLiteral("Texte"), linkBox), 0, 0);
    link->addWidget(EditTextURL, 0, 1);
    link->addWidget(new QLabel(QStringLiteral("URL"), linkBox), 1, 0);
    link->addWidget(EditURL, 1, 1);
    layout->addWidget(linkBox);

    auto *colours = new QGridLayout;
    int line = 0;
    for (const auto &[label, panel] : {std::pair{"Couleur du fond de page", PanelColorF},
                                       std::pair{"Couleur du texte", PanelColorT},
                                       std::pair{"Couleur des lignes du tableau", PanelColorL}}) {
        colours->addWidget(new QLabel(QString::fromUtf8(label), this), line, 0);
        colours->addWidget(panel, line++, 1);
    }
    colours->setColumnStretch(2, 1);
    layout->addLayout(colours);

    const ui::DialogButtons buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("html.htm")); },
                                                            {QStringLiteral("&Ok"), QStringLiteral("&Aide"),
                                                             QStringLiteral("A&nnuler")});
    buttons.ok->setStatusTip(QStringLiteral("Valider"));
    buttons.cancel->setStatusTip(QStringLiteral("Fermer"));
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormWeb::setColourChooser(const ui::ColourSwatch::ColourChooser &chooser)
{
    for (ui::ColourSwatch *panel : {PanelColorF, PanelColorT, PanelColorL})
        panel->setChooser(chooser);
}

QString TFormWeb::fileName() const
{
    return EditNom->text();
}

webgallery::GalleryOptions TFormWeb::options() const
{
    webgallery::GalleryOptions o;
    o.title = EditTitre->text();
    o.columns = SpinCol->value();
    o.rows = SpinLine->value();
    o.border = SpinBord->value();
    o.thumbnailBorder = CheckBordVignette->isChecked();
    o.captions = CheckComment->isChecked();
    o.copyright = EditCopyright->text();
    o.email = EditEMail->text();
    o.linkText = EditTextURL->text();
    o.url = EditURL->text();
    o.pageColour = PanelColorF->colour();
    o.textColour = PanelColorT->colour();
    o.lineColour = PanelColorL->colour();
    return o;
}

void TFormWeb::setOptions(const webgallery::GalleryOptions &o)
{
    EditTitre->setText(o.title);
    SpinCol->setClampedValue(o.columns);
    SpinLine->setClampedValue(o.rows);
    SpinBord->setClampedValue(o.border);
    CheckBordVignette->setChecked(o.thumbnailBorder);
    CheckComment->setChecked(o.captions);
    EditCopyright->setText(o.copyright);
    EditEMail->setText(o.email);
    EditTextURL->setText(o.linkText);
    EditURL->setText(o.url);
    PanelColorF->setColour(o.pageColour);
    PanelColorT->setColour(o.textColour);
    PanelColorL->setColour(o.lineColour);
}

void TFormWeb::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        EditNom->clear();
        setOptions(readWebSettings(m_config));
    }
    QDialog::showEvent(event);
}

void TFormWeb::done(int result)
{
    writeWebSettings(m_config, options()); // a settings file that cannot be written is no reason to stay open
    QDialog::done(result);
}

void TFormWeb::SpeedB_OpenClick()
{
    const std::optional<QString> chosen = m_chooseFile(this);
    if (!chosen)
        return;
    if (QFileInfo::exists(*chosen)) {
        const QString question = QStringLiteral("Le fichier < ") + QFileInfo(*chosen).fileName()
                                 + QStringLiteral(" > existe déjà\rremplacer le fichier existant ?");
        if (messages::confirm(question, messages::Buttons::YesCancel) != messages::Answer::Yes)
            return;
    }
    EditNom->setText(*chosen);
}

} // namespace editor
