#pragma once
// A colour swatch of the options dialog: a panel in the colour, drawn pressed while the
// left button is down on it and raised again when released. A click opens the colour
// chooser preset to the swatch's colour; a chosen colour becomes the swatch's.
#include "base/colour.h"

#include <QColor>
#include <QFrame>
#include <functional>
#include <optional>

namespace ui {

class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    // Asks the user for a colour, starting from the given one; nothing when cancelled.
    using ColourChooser = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;
    static std::optional<QColor> chooseWithDialog(const QColor &initial, QWidget *parent);

    explicit ColourSwatch(QWidget *parent = nullptr);
    Colour colour() const { return m_colour; }
    void setColour(Colour colour);
    void setChooser(ColourChooser chooser) { m_chooser = std::move(chooser); }

signals:
    void colourChanged(Colour colour);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Colour m_colour = 0;
    ColourChooser m_chooser = &ColourSwatch::chooseWithDialog;
};

} // namespace ui
