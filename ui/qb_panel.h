#pragma once
// Border components: a panel that can tile a texture over its surface and draws a
// one-pixel border (a frame around it, or one line along a side), and a light line
// control drawing the same shapes. The slide panel uses a top line, the album panel a
// right line, the About dialog a vertical line.
#include "base/colour.h"

#include <QPixmap>
#include <QWidget>

namespace ui {

enum class TBorder_Shape { bsBox, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };

inline constexpr Colour kDefaultBorderColor = makeColour(128, 128, 128);

// Paints the border shape inside `rect` in `colour`.
void paintBorderShape(QWidget &widget, TBorder_Shape shape, Colour colour);

class QB_Panel : public QWidget {
    Q_OBJECT
public:
    explicit QB_Panel(QWidget *parent = nullptr);

    bool BorderQB = true;
    Colour BorderColor = kDefaultBorderColor;
    TBorder_Shape BorderShape = TBorder_Shape::bsBox;
    void setTexture(const QPixmap &texture);
    void setBorder(TBorder_Shape shape, Colour colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_texture;
};

class QB_Line : public QWidget {
    Q_OBJECT
public:
    explicit QB_Line(QWidget *parent = nullptr);

    Colour BorderColor = kDefaultBorderColor;
    TBorder_Shape BorderShape = TBorder_Shape::bsLeftLine;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace ui
