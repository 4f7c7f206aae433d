#pragma once
// The editor's main window TMainLumivelle3000: menus, toolbar, the three tabs (image
// explorer, show images, album images) and the status line. It owns the commands, the
// settings and the folder histories. The areas of the editor plug into it: they put
// their grids and panels in the places it keeps for them, connect the handlers of their
// commands, feed the state the enabling rules read, and add their start-up and exit steps.
#include "editor/shell/close_questions.h"
#include "editor/shell/core/command.h"
#include "editor/shell/core/command_state.h"
#include "editor/shell/core/editor_settings.h"
#include "editor/shell/core/folder_histories.h"
#include "editor/shell/core/menu_layout.h"
#include "editor/shell/core/option_values.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <vector>

class QMenu;
namespace ui { class QB_Panel; }
class QProgressBar;
class QTabWidget;
class QTreeView;

namespace editor {

class ConfigFile;
class GridList;
class GuardedSplitter;

class StatusLine;
class ThumbnailGridView;

enum class GridSlot { Explorer, Show, Album };

// What the image explorer lends to the commands of other areas (the image tools): its
// current folder, a new scan of it that leaves no entry selected (ScanFolder), and the
// reloading of one entry's thumbnail, size and file size (ReloadEntry). Empty until the
// explorer is present.
struct ExplorerServices {
    std::function<QString()> currentFolder;
    std::function<void()> scanFolder;
    std::function<void(int index)> reloadEntry;
};

class TMainLumivelle3000 : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings from `config`, which must outlive the window.
    explicit TMainLumivelle3000(ConfigFile &config, QWidget *parent = nullptr);
    // Writes the settings and runs the areas' exit steps; errors are swallowed.
    ~TMainLumivelle3000() override;

    // --- what the areas plug into ---
    CommandRegistry &commands() { return m_commands; }
    Command &command(CommandId id) { return m_commands[id]; }
    CommandStateProvider &stateProvider() { return m_stateProvider; }
    OpenDocuments &documents() { return m_documents; }
    ExplorerServices &explorerServices() { return m_explorerServices; }
    EditorSettings &settings() { return m_settings; }
    ConfigFile &config() { return m_config; }
    FolderHistories &histories() { return m_histories; }
    StatusLine *statusLine() const { return m_statusLine; }
    QProgressBar *progressBar() const;
    ThumbnailGridView *grid(GridSlot slot) const { return m_grids[std::size_t(slot)]; }
    void setGrid(GridSlot slot, ThumbnailGridView *grid);
    // The list each area shows in its grid, so that commands of one tab can read another
    // tab's list (F2 on the album tab adds album pictures to the show; rotation works on
    // the active tab's current picture). Null until the area is present.
    GridList *list(GridSlot slot) const { return m_lists[std::size_t(slot)]; }
    void setList(GridSlot slot, GridList *list) { m_lists[std::size_t(slot)] = list; }
    QTreeView *folderTree() const { return m_folderTree; }
    QWidget *previewPanel() const { return m_previewPanel; }
    ui::QB_Panel *slidePanelPlace() const { return m_slidePanel; }
    ui::QB_Panel *albumPanelPlace() const { return m_albumPanel; }
    GuardedSplitter *folderSplitter() const { return m_folderSplitter; }
    GuardedSplitter *previewSplitter() const { return m_previewSplitter; }
    QMenu *menu(MenuId id) const { return m_menus.at(id); }
    // Opens a context menu after its rule and retouch caption are brought up to date.
    void popupContextMenu(MenuId id, const QPoint &globalPosition);
    // Escape sets it; a scan clears it before it starts and stops when it is set.
    bool scanCancelRequested = false;
    // Load a show project or an album given on the command line.
    std::function<void(const QString &path)> openShowProject;
    std::function<void(const QString &path)> openAlbum;
    // Run once the window is first shown (preview, show panel), before the grids are laid
    // out; and at exit after the settings are written (lists, keyword file).
    std::vector<std::function<void()>> firstShownSteps;
    std::vector<std::function<void()>> exitSteps;
    void setCommandLine(const QStringList &parameters) { m_commandLine = parameters; }

    // --- state and rules ---
    int activeTab() const;          // 1, 2 or 3
    void setActiveTab(int tab);
    CommandState currentState() const;
    // Recomputes the enabled flags of the commands the menu's rule covers.
    void applyMenuRule(MenuId id);
    // Runs the command that carries the key, after its menu's rule; true when the key
    // belongs to a command (and is used up, run or not).
    bool dispatchShortcut(QKeyCombination key);

    // --- the shell's own commands ---
    void OptionExecute();
    // What "&Ok" of the options dialog does with the dialog's values.
    void applyOptions(const OptionValues &values);
    void ApercuActifExecute();
    void AProposdeExecute();
    void VueImageExecute();
    void rotateOnActiveTab(int which); // 0 right, 1 left (toolbar buttons)

signals:
    void previewSwitched(bool on);       // the preview was switched on or off
    void folderSplitterReleased();       // lay out the explorer grid, redraw the preview
    void previewSplitterReleased();      // redraw the preview
    void windowResized();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // main_window.cpp
    void buildTabs();
    QWidget *buildExplorerTab();
    QWidget *buildShowTab();
    QWidget *buildAlbumTab();
    void firstShown();
    void readSettings();
    void applyPanelSizes();
    void writeSettingsAtExit();
    // main_window_menus.cpp
    void buildMenus();
    QMenu *buildMenu(MenuId id, QWidget *parent);
    void bindItem(QMenu *menu, const MenuEntry &entry);
    void updateRetouchCaptions();
    void connectShellCommands();
    // main_window_toolbar.cpp
    void buildToolBar();

    ConfigFile &m_config;
    EditorSettings m_settings;
    CommandRegistry m_commands;
    CommandStateProvider m_stateProvider;
    OpenDocuments m_documents;
    ExplorerServices m_explorerServices;
    FolderHistories m_histories;
    std::map<MenuId, QMenu *> m_menus;
    QTabWidget *m_tabs = nullptr;
    StatusLine *m_statusLine = nullptr;
    std::array<ThumbnailGridView *, 3> m_grids{};
    std::array<GridList *, 3> m_lists{};
    std::array<QWidget *, 3> m_gridHolders{};
    QTreeView *m_folderTree = nullptr;
    QWidget *m_previewPanel = nullptr;
    QWidget *m_folderPanel = nullptr;
    ui::QB_Panel *m_slidePanel = nullptr;
    ui::QB_Panel *m_albumPanel = nullptr;
    GuardedSplitter *m_folderSplitter = nullptr;
    GuardedSplitter *m_previewSplitter = nullptr;
    QStringList m_commandLine;
    bool m_shownOnce = false;
    bool m_settingsWritten = false;
};

} // namespace editor
