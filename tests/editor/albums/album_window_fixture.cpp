#include "album_window_fixture.h"

#include "documents/album/album_list.h"

#include <QImage>

namespace album_gui_test {

void AlbumWindowTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_config = std::make_unique<editor::ConfigFile>(m_dir.filePath("Lumivelle.cfg"));
    m_window = std::make_unique<editor::TMainLumivelle3000>(*m_config);
    auto dialogs = std::make_unique<QueuedDialogs>();
    m_dialogs = dialogs.get();
    m_area = editor::installAlbumArea(*m_window, std::move(dialogs), m_dir.filePath("motcle.cfg"));
    m_window->resize(900, 760);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::qWait(20); // the first-shown steps
    m_window->setActiveTab(3);
}

void AlbumWindowTest::TearDown()
{
    m_window.reset();
    m_config.reset();
}

QString AlbumWindowTest::writeAlbum(const QString &name, int count)
{
    album::AlbumList list;
    for (int i = 0; i < count; ++i) {
        album::TEnrData_C entry;
        entry.width = 640 + i;
        entry.height = 480;
        entry.fileSize = 100000 * (i + 1);
        entry.place = QStringLiteral("lieu %1").arg(i);
        entry.comment = QStringLiteral("commentaire %1").arg(i);
        entry.keyword = i % 2 ? QStringLiteral("chat") : QStringLiteral("mer");
        entry.thumbnail = QImage(100, 75, QImage::Format_BGR888);
        entry.thumbnail.fill(QColor(20 * i, 100, 200));
        list.append(QStringLiteral("/Photos/Été/photo%1.jpg").arg(i), entry);
    }
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(album::writeAlbumFile(path, list));
    return path;
}

QString AlbumWindowTest::copyFixture(const QString &fixture, const QString &name)
{
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/") + fixture, path));
    return path;
}

void AlbumWindowTest::openAlbum(const QString &path)
{
    m_dialogs->albumFiles.push_back(path);
    m_area->OpenCollecExecute();
}

void AlbumWindowTest::click(int index, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, modifiers, grid().cellRect(index).center());
}

QStringList messageTexts(const RecordingPrompter &prompter)
{
    QStringList texts;
    for (const RecordedMessage &message : prompter.asked)
        texts << message.text;
    return texts;
}

} // namespace album_gui_test
