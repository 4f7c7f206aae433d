#pragma once
// A main window with the album area installed, its dialogs answered by the test: file
// choices are queued, and the album's modal dialogs are worked by a function of the test
// (with mouse and keys) instead of waiting for a user.
#include "documents/album/ccl_format.h"
#include "editor/albums/album_area.h"
#include "editor/albums/album_dialogs.h"
#include "editor/albums/album_panel.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "tests/recording_prompter.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QToolButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace album_gui_test {

class QueuedDialogs final : public editor::AlbumDialogs {
public:
    std::deque<QString> albumFiles; // answers of the save and open dialogs; empty: cancelled
    std::deque<QStringList> imageFiles;
    std::deque<QString> folders;
    std::function<int(QDialog &)> onRun;           // works a modal dialog; rejects without it
    QStringList titles;                            // every file dialog's title, in order
    int dialogsRun = 0;

    std::optional<QString> saveAlbumFile(const QString &title, const QString &) override { return next(title); }
    std::optional<QString> openAlbumFile(const QString &title, const QString &) override { return next(title); }
    QStringList openImageFiles(const QString &title) override
    {
        titles << title;
        if (imageFiles.empty())
            return {};
        QStringList files = imageFiles.front();
        imageFiles.pop_front();
        return files;
    }
    std::optional<QString> chooseFolder(const QString &caption) override
    {
        titles << caption;
        return take(folders);
    }
    int run(QDialog &dialog) override
    {
        ++dialogsRun;
        return onRun ? onRun(dialog) : int(QDialog::Rejected);
    }

private:
    static std::optional<QString> take(std::deque<QString> &answers)
    {
        if (answers.empty())
            return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isEmpty())
            return std::nullopt;
        return answer;
    }
    std::optional<QString> next(const QString &title)
    {
        titles << title;
        return take(albumFiles);
    }
};

class AlbumWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An album file of `count` entries "/…/photoN.jpg" whose keywords and comments are given.
    QString writeAlbum(const QString &name, int count);
    // A copy of an EXIF fixture in the test folder.
    QString copyFixture(const QString &fixture, const QString &name);
    // Opens `path` through OpenCollec.
    void openAlbum(const QString &path);
    void click(int index, Qt::KeyboardModifiers modifiers = {});
    QString file(const QString &name) const { return m_dir.filePath(name); }

    editor::TMainLumivelle3000 &window() { return *m_window; }
    editor::AlbumArea &area() { return *m_area; }
    editor::AlbumPanel &panel() { return *m_area->panel(); }
    editor::ThumbnailGrid &grid() { return *m_area->GrilleCollec(); }
    editor::AlbumImages &images() { return m_area->images(); }
    album::TEnrData_C &entry(int index) { return m_area->images().albumEntry(index); }

    QTemporaryDir m_dir;
    RecordingPrompter m_prompter;
    QueuedDialogs *m_dialogs = nullptr; // owned by the area
    std::unique_ptr<editor::ConfigFile> m_config;
    std::unique_ptr<editor::TMainLumivelle3000> m_window;
    editor::AlbumArea *m_area = nullptr;
};

// The texts of the messages asked so far.
QStringList messageTexts(const RecordingPrompter &prompter);

} // namespace album_gui_test
