#pragma once
// The editors of the slide panel QB_PanelLumiv under the show grid: display time, border,
// transition, the three colours and the caption, with the position and origin labels.
// The panel shows the current slide, while every edit is written into every selected
// slide, and only when panelMayEdit allows it.
#include "editor/show/slide_editing.h"

#include <QLabel>
#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace ui { class ColourSwatch; }

namespace editor {

class ShowDialogs;

// The transition swatch: the style number as text, a hand cursor, a click.
class EffectSwatch : public QLabel {
    Q_OBJECT

public:
    explicit EffectSwatch(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class SlidePanel : public QWidget {
    Q_OBJECT

public:
    SlidePanel(SlideList &slides, ShowDialogs &dialogs, QWidget *parent = nullptr);

    // Fills the editors without their change handlers (GrilleScriptClick).
    void fill(const SlidePanelView &view);

    QLineEdit *EditDuree, *EditTexte;
    QCheckBox *CheckBorder;
    EffectSwatch *QB_PanelEffect;
    ui::ColourSwatch *PanelColorB, *PanelColorF, *PanelColorT;
    QLabel *LabelPosition, *LabelOrigine;

signals:
    // An edit changed the selected slides: the show is modified.
    void slidesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void build();
    void connectEditors();
    ui::ColourSwatch *colourSwatch(const char *name, Colour TEnrData_S::*parameter);
    bool mayEdit() const;
    void write(const std::function<void(TEnrData_S &)> &change);
    bool EditDureeKeyPress(QChar key);
    void EditDureeChange();
    void EditDureeExit();
    void CheckBorderClick();
    void EditTexteChange();
    void QB_PanelEffectClick();

    SlideList &m_slides;
    ShowDialogs &m_dialogs;
    bool m_filling = false;
};

} // namespace editor
