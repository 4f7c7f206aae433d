#pragma once
// A main window with the image explorer and the image tools installed, showing a folder of
// test pictures; its questions are answered by a RecordingPrompter.
#include "editor/explorer/explorer_window.h"
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "editor/tools/image_tools.h"
#include "tests/imaging/tools/tools_test_support.h"
#include "tests/recording_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

namespace tools_window_test {

// A click on a radio button's or check box's indicator (a click beyond its text misses).
inline void clickBox(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class ToolsWindowTest : public ::testing::Test {
protected:
    // Writes the folder's pictures before the window is made.
    virtual void writePictures() = 0;

    void SetUp() override
    {
        writePictures();
        m_config = std::make_unique<editor::ConfigFile>(m_configDir.filePath(QStringLiteral("Lumivelle.cfg")));
        m_window = std::make_unique<editor::TMainLumivelle3000>(*m_config);
        m_explorer = editor::installImageExplorer(*m_window);
        editor::installImageTools(*m_window);
        QTreeView *tree = m_window->folderTree();
        tree->setCurrentIndex(qobject_cast<QFileSystemModel *>(tree->model())->index(m_folder.path()));
        m_window->resize(900, 650);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        // The tree's selection and the window's first showing may each start a scan.
        auto settled = [this] { return explorerList().count() > 0 && !explorerList().state().busy; };
        ASSERT_TRUE(QTest::qWaitFor(settled, 10000));
        QTest::qWait(20);
        ASSERT_TRUE(QTest::qWaitFor(settled, 10000));
    }
    void TearDown() override
    {
        m_window.reset();
        m_config.reset();
    }

    QString file(const QString &name) const { return m_folder.filePath(name); }
    editor::TMainLumivelle3000 &window() { return *m_window; }
    editor::GridList &explorerList() { return m_explorer->list(); }
    QStringList explorerPaths()
    {
        QStringList paths;
        for (int i = 0; i < explorerList().count(); ++i)
            paths << explorerList().path(i);
        return paths;
    }
    int explorerIndex(const QString &name) { return int(explorerPaths().indexOf(file(name))); }
    void press(QKeyCombination key) { QTest::keyClick(m_window.get(), key.key(), key.keyboardModifiers()); }
    // A plain click on the explorer's cell of `name`: that entry alone is selected.
    void clickExplorerEntry(const QString &name)
    {
        editor::ThumbnailGrid *grid = m_explorer->GrilleImage();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(explorerIndex(name)).center());
    }

    // Runs `act` on the modal dialog of type Dialog as soon as it is open.
    template <class Dialog>
    void whenOpen(std::function<void(Dialog &)> act)
    {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog) << "the dialog did not open";
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            act(*dialog);
        });
    }

    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const RecordedMessage &m : m_prompter.asked)
            texts.push_back(m.text);
        return texts;
    }

    QTemporaryDir m_folder, m_configDir;
    RecordingPrompter m_prompter;
    std::unique_ptr<editor::ConfigFile> m_config;
    std::unique_ptr<editor::TMainLumivelle3000> m_window;
    editor::ImageExplorer *m_explorer = nullptr;
};

} // namespace tools_window_test
