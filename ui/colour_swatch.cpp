#include "ui/colour_swatch.h"

#include <QColorDialog>
#include <QMouseEvent>

namespace ui {

std::optional<QColor> ColourSwatch::chooseWithDialog(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

ColourSwatch::ColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setColour(m_colour);
}

void ColourSwatch::setColour(Colour colour)
{
    m_colour = colour;
    QPalette swatch = palette();
    swatch.setColor(QPalette::Window, toQColor(colour));
    setPalette(swatch);
    emit colourChanged(colour);
}

void ColourSwatch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFrameShadow(QFrame::Sunken);
    QFrame::mousePressEvent(event);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QFrame::mouseReleaseEvent(event);
    setFrameShadow(QFrame::Raised);
    if (!rect().contains(event->position().toPoint()))
        return;
    if (const auto chosen = m_chooser(toQColor(m_colour), this))
        setColour(fromQColor(*chosen));
}

} // namespace ui
