// Window tests run inside the programs' own application object, so an exception that
// reaches the event loop is handled as in the editor and the player.
#include "ui/lumivelle_application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // CTest lists the tests at build time, without the offscreen platform of the test runs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::LumivelleApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
