#include "editor/show/form_effect.h"

#include "transitions/core/style_names.h"
#include "transitions/pic_show.h"
#include "ui/dialog_buttons.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace editor {

TFormEffect::TFormEffect(QWidget *parent)
    : QDialog(parent), m_image1(QStringLiteral(":/show/sample1.jpg")), m_image2(QStringLiteral(":/show/sample2.jpg"))
{
    setObjectName(QStringLiteral("TFormEffect"));
    setWindowTitle(QStringLiteral("Sélection d'une transition"));
    auto *layout = new QVBoxLayout(this);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFixedSize(kPreviewWidth + 2, kPreviewHeight + 2);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    PicShow1 = new transitions::TPicShow(frame);
    PicShow1->setObjectName(QStringLiteral("PicShow1"));
    PicShow1->setAutoSize(false);
    frameLayout->addWidget(PicShow1);
    layout->addWidget(frame);

    layout->addWidget(new QLabel(QStringLiteral("Sélectionnez la transition"), this));
    ComboEffect = new QComboBox(this);
    ComboEffect->setObjectName(QStringLiteral("ComboEffect"));
    for (int style = 0; style < transitions::kStyleCount; ++style)
        ComboEffect->addItem(transitions::styleName(style));
    // A drop-down list of 15 rows, not the style's menu over the whole screen.
    ComboEffect->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    ComboEffect->setMaxVisibleItems(15);
    layout->addWidget(ComboEffect);
    connect(ComboEffect, &QComboBox::currentIndexChanged, this, &TFormEffect::ComboEffectClick);

    const ui::DialogButtons buttons = ui::makeDialogButtons(this, nullptr);
    layout->addLayout(buttons.layout);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TFormEffect::Timer1Timer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFormEffect::~TFormEffect()
{
    Timer1->stop();
    if (PicShow1->Busy())
        PicShow1->Stop();
}

int TFormEffect::selectedStyle() const
{
    return ComboEffect->currentIndex();
}

void TFormEffect::selectStyle(int style)
{
    ComboEffect->setCurrentIndex(style);
}

void TFormEffect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormEffect::FormShow()
{
    PicShow1->setPicture(m_image2);
    PicShow1->Execute();
    PicShow1->setStyle(transitions::TShowStyle(std::max(0, selectedStyle())));
    Timer1->start();
}

void TFormEffect::done(int result)
{
    Timer1->stop();
    if (PicShow1->Busy())
        PicShow1->Stop();
    QDialog::done(result);
}

void TFormEffect::ComboEffectClick()
{
    if (selectedStyle() >= 0)
        PicShow1->setStyle(transitions::TShowStyle(selectedStyle()));
}

void TFormEffect::Timer1Timer()
{
    const QImage &next = m_nextIsImage1 ? m_image1 : m_image2;
    if (PicShow1->Busy())
        PicShow1->Stop();
    PicShow1->setPicture(next);
    PicShow1->Execute();
    m_nextIsImage1 = !m_nextIsImage1;
}

} // namespace editor
