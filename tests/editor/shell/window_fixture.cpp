#include "window_fixture.h"

#include <QFile>

void WindowTest::writeConfig(const QByteArray &text)
{
    QFile file(configPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

editor::TMainLumivelle3000 &WindowTest::openWindow()
{
    m_config = std::make_unique<editor::ConfigFile>(configPath());
    m_window = std::make_unique<editor::TMainLumivelle3000>(*m_config);
    return *m_window;
}
