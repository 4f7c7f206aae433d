#pragma once
// The application object of both programs. An exception that reaches the event loop is
// reported in an "Erreur" box with its text and the program goes on, as a failure
// without a message of its own must be.
#include <QApplication>

namespace ui {

class LumivelleApplication : public QApplication {
public:
    LumivelleApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Gives the program its title ("Lumivelle", "Tolvarine"): the title of its plain message
// boxes and of windows that have none. Only the application name is set, never the
// display name: the desktop would append that to every window title ("Avertissement —
// Lumivelle", "Options — Lumivelle"), where the boxes and dialogs read their own titles.
void setProgramTitle(const QString &title);

} // namespace ui
