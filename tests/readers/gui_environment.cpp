// The metafile player draws text only in a GUI application (fonts); tests that check text
// start one on the offscreen platform. The others run without it, as fast as they can.
#include "gui_environment.h"

#include <QGuiApplication>

namespace readers_test {

void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tests_readers";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace readers_test
