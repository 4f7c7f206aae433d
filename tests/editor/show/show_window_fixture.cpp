#include "show_window_fixture.h"

#include "editor/grid/thumbnail_grid.h"

#include <QDir>
#include <QImage>

namespace show_test {

void ShowWindowTest::SetUp()
{
    m_config = std::make_unique<editor::ConfigFile>(m_dir.filePath(QStringLiteral("Lumivelle.cfg")));
    m_window = std::make_unique<editor::TMainLumivelle3000>(*m_config);
    auto dialogs = std::make_unique<FakeShowDialogs>();
    m_dialogs = dialogs.get();
    m_area = editor::installShowArea(*m_window, std::move(dialogs));
    m_area->setLauncher({});
    m_window->setList(editor::GridSlot::Explorer, &m_explorer);
    m_window->stateProvider().explorer = [this] {
        return editor::ListState{!m_explorer.isEmpty(), m_explorer.selectedCount(), m_explorer.state().busy};
    };
    m_window->resize(900, 600);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::qWait(20); // the first-shown steps
    m_window->activateWindow();
    m_window->setActiveTab(2);
}

void ShowWindowTest::TearDown()
{
    m_window.reset();
    m_config.reset();
}

QString ShowWindowTest::picture(const QString &name, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(colour);
    const QString path = file(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

void ShowWindowTest::newShow(const QString &name)
{
    m_dialogs->saves.push_back(file(name));
    run(editor::CommandId::NewProject);
    ASSERT_TRUE(document().isOpen());
}

QStringList ShowWindowTest::addPictures(int count, const QString &prefix)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << picture(QStringLiteral("%1%2.png").arg(prefix).arg(i), 200 + i, 150, QColor::fromHsv(i * 30 % 360, 200, 200));
    m_dialogs->images.push_back(paths);
    window().setActiveTab(2);
    run(editor::CommandId::AddFileLumiv);
    return paths;
}

void ShowWindowTest::fillExplorer(const QStringList &paths)
{
    for (const QString &path : paths) {
        editor::TEnrData entry;
        entry.width = 640;
        entry.height = 480;
        entry.fileSize = 12345;
        entry.selected = true;
        entry.thumbnail = QImage(100, 75, QImage::Format_BGR888);
        entry.thumbnail.fill(Qt::magenta);
        m_explorer.append(path, entry);
    }
}

void ShowWindowTest::click(int index, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, modifiers, grid().cellRect(index).center());
}

void ShowWindowTest::drag(int from, int to)
{
    const QPoint target = grid().cellRect(to).center();
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(from).center());
    QTest::mouseMove(grid().viewport(), target);
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, target);
}

QStringList ShowWindowTest::slidePaths() const
{
    QStringList paths;
    for (int i = 0; i < m_area->slides().count(); ++i)
        paths << m_area->slides().path(i);
    return paths;
}

QStringList ShowWindowTest::messages() const
{
    QStringList texts;
    for (const RecordedMessage &m : m_prompter.asked)
        texts << m.text;
    return texts;
}

} // namespace show_test
