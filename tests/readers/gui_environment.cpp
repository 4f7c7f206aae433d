// The metafile player draws text, which needs a GUI application (fonts); the tests run on
// the offscreen platform.
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
        }
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "tests_readers";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

const auto *const kEnvironment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
