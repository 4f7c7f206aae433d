#pragma once
// A main window with the show tab installed over a configuration file in a temporary
// folder: its common dialogs answered by FakeShowDialogs, its message boxes by a
// RecordingPrompter, an explorer list of our own registered as the explorer's, and
// helpers that click, drag and type on the show grid and panel as a user does.
#include "editor/grid/grid_list.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "editor/show/show_area.h"
#include "editor/show/show_dialogs.h"
#include "editor/show/slide_panel.h"
#include "tests/recording_prompter.h"
#include "tests/when_modal.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace show_test {

class FakeShowDialogs final : public editor::ShowDialogs {
public:
    std::deque<QStringList> images;
    std::deque<std::optional<QString>> folders, saves, opens, scripts, musics;
    std::deque<std::optional<QColor>> colours;
    QStringList titles; // titles of the file dialogs asked for, in order

    QStringList chooseImages() override { return take(images, QStringList()); }
    std::optional<QString> chooseFolder(const QString &caption) override { titles << caption; return take(folders); }
    std::optional<QString> saveProject(const QString &title) override { titles << title; return take(saves); }
    std::optional<QString> openProject() override { return take(opens); }
    std::optional<QString> openOldScript() override { return take(scripts); }
    std::optional<QString> chooseMusic() override { return take(musics); }
    std::optional<QColor> chooseColour(const QColor &initial) override
    {
        initialColours.push_back(initial);
        return take(colours);
    }
    std::vector<QColor> initialColours;

private:
    template <class T>
    static T take(std::deque<T> &queue, T fallback = T())
    {
        if (queue.empty())
            return fallback;
        const T value = queue.front();
        queue.pop_front();
        return value;
    }
};

using ExplorerEntries = editor::EntryList<editor::TEnrData>;

class ShowWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    editor::TMainLumivelle3000 &window() { return *m_window; }
    editor::ShowArea &area() { return *m_area; }
    editor::SlideList &slides() { return m_area->slides(); }
    editor::ShowDocument &document() { return m_area->document(); }
    editor::ThumbnailGrid &grid() { return *m_area->GrilleScript(); }
    editor::SlidePanel &panel() { return *m_area->panel(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // A picture file of one colour in the temporary folder.
    QString picture(const QString &name, int width = 320, int height = 240, QColor colour = Qt::darkCyan);
    // A show created through NewProject, named `name` in the temporary folder.
    void newShow(const QString &name = QStringLiteral("show.dap"));
    // `count` slides added through AddFileLumiv, pictures made on the spot (a0.png...).
    QStringList addPictures(int count, const QString &prefix = QStringLiteral("a"));
    // Explorer entries for existing or missing paths, all selected.
    void fillExplorer(const QStringList &paths);
    void run(editor::CommandId id) { window().command(id).execute(); }
    // A key pressed in the window, as a shortcut goes.
    void press(QKeyCombination key) { QTest::keyClick(&window(), key.key(), key.keyboardModifiers()); }
    void click(int index, Qt::KeyboardModifiers modifiers = {});
    void drag(int from, int to);
    QStringList slidePaths() const;
    QStringList messages() const;

    // Runs `act` on the next modal dialog of type D once it is shown (call before the
    // command that opens it).
    template <class D>
    void whenModal(std::function<void(D &)> act)
    {
        test_support::whenModal<D>(std::move(act));
    }

    QTemporaryDir m_dir;
    RecordingPrompter m_prompter;
    FakeShowDialogs *m_dialogs = nullptr; // owned by the area
    ExplorerEntries m_explorer;
    std::unique_ptr<editor::ConfigFile> m_config;
    std::unique_ptr<editor::TMainLumivelle3000> m_window;
    editor::ShowArea *m_area = nullptr;
};

} // namespace show_test
