// Tolvarine, the show player: a copy of this program with a show payload appended plays
// that show full screen. There is no check for other running players.
#include "ui/french_ui.h"
#include "ui/lumivelle_application.h"
#include "player/window/main_form.h"

#include <QScreen>

int main(int argc, char **argv)
{
    ui::LumivelleApplication app(argc, argv);
    // Not a display name: the desktop would append it to every title ("Erreur — Tolvarine").
    ui::setProgramTitle(QStringLiteral("Tolvarine"));
    ui::installFontSubstitutions();
    ui::installFrenchTranslations(app);
    // The window is a tool window (no task-bar button), which Qt does not count when it
    // decides that the last window has closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    player::PlayerSetup setup;
    setup.showFile = QCoreApplication::applicationFilePath();
    setup.diagnostics = player::ShowDiagnostics::fromEnvironment();
    player::TMainForm window(std::move(setup));
    QObject::connect(&window, &player::TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
    window.activateWindow();
    return app.exec();
}
