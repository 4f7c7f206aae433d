#include "ui/qb_panel.h"

#include <QPainter>

namespace ui {

void paintBorderShape(QWidget &widget, TBorder_Shape shape, Colour colour)
{
    QPainter painter(&widget);
    painter.setPen(toQColor(colour));
    const QRect r = widget.rect();
    switch (shape) {
    case TBorder_Shape::bsBox: painter.drawRect(r.adjusted(0, 0, -1, -1)); break;
    case TBorder_Shape::bsTopLine: painter.drawLine(r.topLeft(), r.topRight()); break;
    case TBorder_Shape::bsBottomLine: painter.drawLine(r.bottomLeft(), r.bottomRight()); break;
    case TBorder_Shape::bsLeftLine: painter.drawLine(r.topLeft(), r.bottomLeft()); break;
    case TBorder_Shape::bsRightLine: painter.drawLine(r.topRight(), r.bottomRight()); break;
    }
}

QB_Panel::QB_Panel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void QB_Panel::setTexture(const QPixmap &texture)
{
    m_texture = texture;
    update();
}

void QB_Panel::setBorder(TBorder_Shape shape, Colour colour)
{
    BorderShape = shape;
    BorderColor = colour;
    update();
}

void QB_Panel::paintEvent(QPaintEvent *)
{
    if (!m_texture.isNull()) {
        QPainter painter(this);
        painter.drawTiledPixmap(rect(), m_texture);
    }
    if (BorderQB)
        paintBorderShape(*this, BorderShape, BorderColor);
}

QB_Line::QB_Line(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QB_Line::paintEvent(QPaintEvent *)
{
    paintBorderShape(*this, BorderShape, BorderColor);
}

} // namespace ui
