#pragma once
// TFormEffect, the transition chooser ("Sélection d'une transition"): the 128 style names
// in ComboEffect and a 420 x 315 preview in which the two sample pictures take turns,
// one transition every 2.5 seconds in the selected style.
#include <QDialog>
#include <QImage>

class QComboBox;
class QTimer;

namespace transitions { class TPicShow; }

namespace editor {

class TFormEffect : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPreviewWidth = 420;
    static constexpr int kPreviewHeight = 315;
    static constexpr int kTimerInterval = 2500;

    explicit TFormEffect(QWidget *parent = nullptr);
    ~TFormEffect() override;

    int selectedStyle() const;
    void selectStyle(int style);

    QComboBox *ComboEffect = nullptr;
    transitions::TPicShow *PicShow1 = nullptr;
    QTimer *Timer1 = nullptr;
    // The sample the next tick shows: true for Image1.
    bool nextIsImage1() const { return m_nextIsImage1; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void FormShow();
    void ComboEffectClick();
    void Timer1Timer();

    QImage m_image1;
    QImage m_image2;
    bool m_nextIsImage1 = true;
};

} // namespace editor
