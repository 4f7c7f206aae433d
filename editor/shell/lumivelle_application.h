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

} // namespace ui
