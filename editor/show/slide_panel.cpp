#include "editor/show/slide_panel.h"

#include "editor/show/form_effect.h"
#include "editor/show/show_dialogs.h"
#include "ui/colour_swatch.h"
#include "ui/numeric_key.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace editor {

namespace {

// Three columns of labels and editors in 72 pixels, as the panel was drawn.
constexpr int kRows[] = {6, 27, 48};
constexpr int kEditorHeight = 18;
constexpr int kColumn1Label = 8, kColumn1Editor = 112;
constexpr int kColumn2Label = 172, kColumn2Editor = 274;
constexpr int kColumn3 = 340, kCaptionLeft = 468;

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y + 1);
    l->adjustSize();
    return l;
}

} // namespace

EffectSwatch::EffectSwatch(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void EffectSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

SlidePanel::SlidePanel(SlideList &slides, ShowDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_slides(slides), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("SlidePanel"));
    build();
    connectEditors();
    fill(SlidePanelView{});
}

ui::ColourSwatch *SlidePanel::colourSwatch(const char *name, Colour TEnrData_S::*parameter)
{
    auto *swatch = new ui::ColourSwatch(this);
    swatch->setObjectName(QString::fromLatin1(name));
    // Under the guard the colour dialog opens; confirmed or cancelled, every selected
    // slide then takes the swatch's colour.
    swatch->setChooser([this, swatch, parameter](const QColor &initial, QWidget *) -> std::optional<QColor> {
        if (!mayEdit())
            return std::nullopt;
        const std::optional<QColor> chosen = m_dialogs.chooseColour(initial);
        const Colour colour = chosen ? fromQColor(*chosen) : swatch->colour();
        write([parameter, colour](TEnrData_S &slide) { slide.*parameter = colour; });
        return chosen;
    });
    return swatch;
}

void SlidePanel::build()
{
    label(this, QStringLiteral("Durée d'affichage .."), kColumn1Label, kRows[0]);
    label(this, QStringLiteral("Bordure ................."), kColumn1Label, kRows[1]);
    label(this, QStringLiteral("Transition ..............."), kColumn1Label, kRows[2]);
    EditDuree = new QLineEdit(this);
    EditDuree->setObjectName(QStringLiteral("EditDuree"));
    EditDuree->setMaxLength(2);
    EditDuree->setToolTip(QString());
    EditDuree->setStatusTip(QStringLiteral("Saisir un nombre entre 0 et 99"));
    EditDuree->setGeometry(kColumn1Editor, kRows[0], 30, kEditorHeight);
    CheckBorder = new QCheckBox(this);
    CheckBorder->setObjectName(QStringLiteral("CheckBorder"));
    CheckBorder->setGeometry(kColumn1Editor, kRows[1], 20, kEditorHeight);
    QB_PanelEffect = new EffectSwatch(this);
    QB_PanelEffect->setObjectName(QStringLiteral("QB_PanelEffect"));
    QB_PanelEffect->setGeometry(kColumn1Editor, kRows[2], 26, 16);

    label(this, QStringLiteral("Couleur bordure ....."), kColumn2Label, kRows[0]);
    label(this, QStringLiteral("Couleur de fond ....."), kColumn2Label, kRows[1]);
    label(this, QStringLiteral("Couleur du texte ....."), kColumn2Label, kRows[2]);
    PanelColorB = colourSwatch("PanelColorB", &TEnrData_S::borderColour);
    PanelColorF = colourSwatch("PanelColorF", &TEnrData_S::backgroundColour);
    PanelColorT = colourSwatch("PanelColorT", &TEnrData_S::captionColour);
    for (int row = 0; row < 3; ++row)
        (row == 0 ? PanelColorB : row == 1 ? PanelColorF : PanelColorT)->setGeometry(kColumn2Editor, kRows[row], 47, 16);

    LabelPosition = label(this, QString(), kColumn3, kRows[0]);
    LabelPosition->setObjectName(QStringLiteral("LabelPosition"));
    LabelOrigine = label(this, QString(), kColumn3, kRows[1]);
    LabelOrigine->setObjectName(QStringLiteral("LabelOrigine"));
    label(this, QStringLiteral("Texte associé à l'image :"), kColumn3, kRows[2]);
    EditTexte = new QLineEdit(this);
    EditTexte->setObjectName(QStringLiteral("EditTexte"));
    EditTexte->setMaxLength(showdoc::kCaptionCapacity);
    EditTexte->setStatusTip(QStringLiteral("80 caractères maximum"));
    EditTexte->setGeometry(kCaptionLeft, kRows[2], 200, kEditorHeight);
}

void SlidePanel::connectEditors()
{
    EditDuree->installEventFilter(this);
    connect(EditDuree, &QLineEdit::textChanged, this, &SlidePanel::EditDureeChange);
    connect(CheckBorder, &QCheckBox::clicked, this, &SlidePanel::CheckBorderClick);
    connect(EditTexte, &QLineEdit::textChanged, this, &SlidePanel::EditTexteChange);
    connect(QB_PanelEffect, &EffectSwatch::clicked, this, &SlidePanel::QB_PanelEffectClick);
}

void SlidePanel::fill(const SlidePanelView &view)
{
    QScopedValueRollback detached(m_filling, true); // attached again on every way out
    for (QWidget *editor : std::initializer_list<QWidget *>{EditDuree, CheckBorder, PanelColorB, PanelColorF,
                                                            PanelColorT, EditTexte, QB_PanelEffect})
        editor->setEnabled(view.enabled);
    LabelPosition->setText(view.position);
    LabelPosition->adjustSize();
    LabelOrigine->setText(view.origin);
    LabelOrigine->adjustSize();
    EditDuree->setText(view.duree);
    CheckBorder->setChecked(view.border);
    PanelColorB->setColour(view.borderColour);
    PanelColorF->setColour(view.backgroundColour);
    PanelColorT->setColour(view.captionColour);
    EditTexte->setText(view.caption);
    QB_PanelEffect->setText(view.style);
}

bool SlidePanel::mayEdit() const
{
    return !m_filling && panelMayEdit(m_slides);
}

void SlidePanel::write(const std::function<void(TEnrData_S &)> &change)
{
    forEachSelected(m_slides, change);
    emit slidesChanged();
}

bool SlidePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EditDuree && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        // Keys without a character (arrows, Delete) pass; a typed character must be a digit.
        if (!text.isEmpty() && text.at(0).isPrint() && !EditDureeKeyPress(text.at(0)))
            return true;
    } else if (watched == EditDuree && event->type() == QEvent::FocusOut) {
        EditDureeExit();
    }
    return QWidget::eventFilter(watched, event);
}

bool SlidePanel::EditDureeKeyPress(QChar key)
{
    return ui::IsNumericKey(key);
}

void SlidePanel::EditDureeChange()
{
    if (!mayEdit())
        return;
    const QString corrected = correctedDuree(EditDuree->text());
    if (corrected != EditDuree->text()) {
        QScopedValueRollback detached(m_filling, true);
        EditDuree->setText(corrected);
    }
    bool ok = false;
    const int seconds = corrected.toInt(&ok);
    write([ok, seconds](TEnrData_S &slide) {
        if (ok)
            slide.displayTime = seconds;
    });
}

void SlidePanel::EditDureeExit()
{
    // An emptied panel stays empty; otherwise the change rule writes the 3 into the
    // selected slides.
    const QString text = durationOnExit(EditDuree->text());
    if (text != EditDuree->text() && mayEdit())
        EditDuree->setText(text);
}

void SlidePanel::CheckBorderClick()
{
    if (!mayEdit())
        return;
    const bool border = CheckBorder->isChecked();
    write([border](TEnrData_S &slide) { slide.border = border; });
}

void SlidePanel::EditTexteChange()
{
    if (!mayEdit())
        return;
    const QString caption = EditTexte->text().left(showdoc::kCaptionCapacity);
    write([&caption](TEnrData_S &slide) { slide.caption = caption; });
}

void SlidePanel::QB_PanelEffectClick()
{
    if (!mayEdit())
        return;
    TFormEffect chooser(window());
    chooser.selectStyle(styleFromText(QB_PanelEffect->text()));
    if (chooser.exec() != QDialog::Accepted)
        return;
    QB_PanelEffect->setText(QString::number(chooser.selectedStyle()));
    const int style = styleFromText(QB_PanelEffect->text());
    write([style](TEnrData_S &slide) { slide.style = style; });
}

void SlidePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    EditTexte->resize(std::max(0, width() - EditTexte->x() - 5), EditTexte->height());
}

} // namespace editor
