#pragma once
// TFormProjet, the show options dialog. It is created once at start-up and its controls
// are where the open show's options live: a change made in it stays in effect even when
// it is left with "&Annuler"; only the copy of the music file and the modified flag
// depend on "&Ok" (OptionLumivelle).
#include "documents/show/slide_entry.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace editor {

class ShowDialogs;
class TestSound;

class TFormProjet : public QDialog {
    Q_OBJECT

public:
    TFormProjet(ShowDialogs &dialogs, QWidget *parent = nullptr);
    ~TFormProjet() override;

    showdoc::ShowOptions options() const;
    void setOptions(const showdoc::ShowOptions &options);
    QString music() const;
    void setMusic(const QString &path);
    // Tests give their own sound.
    void setTestSound(TestSound *sound);

    void EditWaveChange();

    QLineEdit *EditWave;
    QPushButton *ButtonParcourir, *ButtonTest, *ButtonAucunSon;
    QCheckBox *CheckBoucle, *CheckCopie, *CheckQualite;

protected:
    void done(int result) override;

private:
    void ButtonParcourirClick();
    void ButtonTestClick();
    void ButtonAucunSonClick();
    void MediaPlayer1Notify();
    void FormClose();
    TestSound &sound();

    ShowDialogs &m_dialogs;
    TestSound *m_sound = nullptr;
};

} // namespace editor
