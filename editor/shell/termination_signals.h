#pragma once
// A termination request from the system (SIGTERM, SIGINT, SIGHUP) ends the event loop
// the ordinary way, so the main window is destroyed and writes its settings, and the
// single-instance name is released.
class QCoreApplication;

namespace editor {

void quitOnTerminationSignals(QCoreApplication &app);

} // namespace editor
