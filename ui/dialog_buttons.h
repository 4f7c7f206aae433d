#pragma once
// The row of buttons at the foot of the program's dialogs: "&Ok" (the default button,
// accepts), "&Aide" (shows the dialog's help topic) and "&Annuler" (rejects), right-aligned
// in that order. A dialog may rename them ("&Créer", "A&nnuler", "&Fermer") or leave out
// the help button or the cancel button.
#include <QString>
#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace ui {

struct ButtonCaptions {
    QString ok = QStringLiteral("&Ok");
    QString help = QStringLiteral("&Aide");
    QString cancel = QStringLiteral("&Annuler"); // empty: no cancel button
};

struct DialogButtons {
    QHBoxLayout *layout = nullptr;
    QPushButton *ok = nullptr;     // object name "ButtonOk"
    QPushButton *help = nullptr;   // "ButtonAide"; null without a help action
    QPushButton *cancel = nullptr; // "ButtonAnnuler"; null without a caption
};

// Makes the buttons as children of `dialog` and returns them in a layout the caller
// places. `onHelp` runs on "&Aide"; without it there is no help button.
DialogButtons makeDialogButtons(QDialog *dialog, std::function<void()> onHelp, const ButtonCaptions &captions = {});

} // namespace ui
