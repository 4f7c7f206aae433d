#pragma once
// The whole editor window as the program builds it (explorer, show, album, image tools,
// web gallery), with every dialog answered by the test: the areas' file, folder and colour
// dialogs by the doubles their own tests use, the message boxes by a RecordingPrompter,
// and every modal dialog the commands open by a ModalAnswerer, which first presses the
// dialog's "&Aide" and records the help page it shows, then cancels or gives the main
// answer. The explorer shows a folder of generated pictures; the trash and the user's
// folders lie in a temporary home.
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/core/menu_layout.h"
#include "editor/shell/main_window.h"
#include "editor/web/web_gallery_command.h"
#include "tests/editor/albums/album_window_fixture.h"
#include "tests/editor/scripted_explorer_dialogs.h"
#include "tests/editor/show/show_window_fixture.h"
#include "tests/recording_prompter.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <memory>

// Texts in failure messages read as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace walk_test {

// Works the modal dialogs of the commands while they run.
class ModalAnswerer : public QObject {
public:
    enum class Mode { Cancel, Main };

    ModalAnswerer();
    Mode mode = Mode::Main;
    // What the main answer does in a dialog before "&Ok", by dialog class (for example
    // "TFormWeb": choose the file first). Without one the main answer is "&Ok".
    std::map<QString, std::function<void(QDialog &)>> mainAnswers;
    QStringList seen;      // class names of the dialogs worked, in order
    QStringList helpPages; // "dialog class: page" for each "&Aide" pressed, in order
    // Works one dialog at once (also for the album's dialogs, which its double runs
    // without a modal loop); gives the dialog's result.
    int work(QDialog &dialog);

private:
    void poll();
    QTimer m_timer;
    QDialog *m_working = nullptr;
};

QString className(const QObject &object);

class WholeWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    editor::TMainLumivelle3000 &window() { return *m_window; }
    editor::GridList &explorerList() { return m_explorer->list(); }
    editor::ShowArea &showArea() { return *m_show; }
    editor::AlbumArea &albumArea() { return *m_album; }
    QString photo(const QString &name) const { return m_photos.filePath(name); }
    QString file(const QString &name) const { return m_work.filePath(name); }

    // The tree selects `folder` and the explorer lists it.
    void showFolder(const QString &folder);
    // Waits until no list is busy.
    void settle();
    // Plain click on the explorer cell of `name`; with Ctrl it is added to the selection.
    void clickPhoto(const QString &name, Qt::KeyboardModifiers modifiers = {});
    void clickSlide(int index, Qt::KeyboardModifiers modifiers = {});
    void clickAlbumEntry(int index, Qt::KeyboardModifiers modifiers = {});
    int photoIndex(const QString &name);
    QStringList photoNames();

    // A new show "show.dap" in the work folder, with the explorer's pictures `names`.
    void openShowWith(const QStringList &names);
    // A new album "album.ccl" in the work folder, with the explorer's pictures `names`.
    void openAlbumWith(const QStringList &names);

    // Opens the menu as the user does (its rule runs); the enabled flag of each of its
    // items by command name (a submenu under the name of its first item).
    std::map<QString, bool> openMenu(editor::MenuId menu);
    // The modal dialogs and the message boxes are cancelled, or given the main answer
    // ("&Ok", "&Oui").
    void answerWith(ModalAnswerer::Mode mode);
    // Opens the menu and chooses the command's item with the mouse, the modal dialogs
    // answered by `mode`. False when the item was disabled (nothing ran).
    bool choose(editor::MenuId menu, editor::CommandId id,
                ModalAnswerer::Mode mode = ModalAnswerer::Mode::Main);
    // A key pressed in the window, with the modal dialogs answered by `mode`.
    void press(QKeyCombination key, ModalAnswerer::Mode mode = ModalAnswerer::Mode::Main);
    QStringList messages() const;

    QTemporaryDir m_home, m_photos, m_work;
    RecordingPrompter m_prompter;
    ModalAnswerer m_answerer;
    show_test::FakeShowDialogs *m_showDialogs = nullptr;       // owned by the show area
    album_gui_test::QueuedDialogs *m_albumDialogs = nullptr;   // owned by the album area
    fileops_test::ScriptedDialogs *m_explorerDialogs = nullptr; // owned by the commands
    std::optional<QString> m_webFile;   // what the gallery's file dialog gives
    QStringList m_launched;             // show executables the build started
    std::unique_ptr<editor::ConfigFile> m_config;
    std::unique_ptr<editor::TMainLumivelle3000> m_window;
    editor::ImageExplorer *m_explorer = nullptr;
    editor::ShowArea *m_show = nullptr;
    editor::AlbumArea *m_album = nullptr;
    editor::WebGalleryCommand *m_web = nullptr;
};

} // namespace walk_test
