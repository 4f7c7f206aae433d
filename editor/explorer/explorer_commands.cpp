#include "editor/explorer/explorer_commands.h"

#include "editor/explorer/explorer_dialogs.h"
#include "editor/explorer/file_commands.h"
#include "editor/explorer/folder_navigation.h"
#include "editor/explorer/image_explorer.h"
#include "editor/explorer/retouch_association.h"
#include "editor/files/retouch.h"
#include "editor/viewer/viewer_commands.h"
#include "editor/shell/main_window.h"
#include "editor/shell/thumbnail_grid_view.h"

#include <QEvent>

namespace editor {

namespace {

// Everything the commands need, owned by the window.
class CommandSet : public QObject {
public:
    CommandSet(TMainLumivelle3000 &window, ImageExplorer &explorer, std::unique_ptr<ExplorerDialogs> chosen)
        : QObject(&window), dialogs(std::move(chosen)), tree(window.folderTree()),
          navigation(new FolderNavigation(explorer, window.histories(), tree, *dialogs, this)),
          files(explorer, *dialogs)
    {
    }

    std::unique_ptr<ExplorerDialogs> dialogs;
    TreeViewFolders tree;
    FolderNavigation *navigation;
    FileCommands files;
};

// A double-click on the preview panel or its picture opens the viewer.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject *parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

// The list the grid of a tab shows, once the area of that tab has put its grid in place.
const GridList *listOf(TMainLumivelle3000 &window, GridSlot slot)
{
    ThumbnailGridView *view = window.grid(slot);
    auto *grid = view ? qobject_cast<ThumbnailGrid *>(view->widget()) : nullptr;
    return grid ? grid->list() : nullptr;
}

const GridList *activeList(TMainLumivelle3000 &window)
{
    static constexpr GridSlot kSlots[] = {GridSlot::Explorer, GridSlot::Show, GridSlot::Album};
    return listOf(window, kSlots[window.activeTab() - 1]);
}

void connectNavigation(TMainLumivelle3000 &window, FolderNavigation *navigation)
{
    window.command(CommandId::ParentDir).setHandler([navigation] { navigation->ParentDirExecute(); });
    window.command(CommandId::BackDir).setHandler([navigation] { navigation->BackDirExecute(); });
    window.command(CommandId::NextDir).setHandler([navigation] { navigation->NextDirExecute(); });
    window.command(CommandId::NewDir).setHandler([navigation] { navigation->NewDirExecute(); });
    window.command(CommandId::Delldir).setHandler([navigation] { navigation->DelldirExecute(); });
}

void connectFileCommands(TMainLumivelle3000 &window, FileCommands &files)
{
    auto onExplorerTab = [&window](void (FileCommands::*handler)(), FileCommands &target) {
        return [&window, handler, &target] {
            if (window.activeTab() == 1)
                (target.*handler)();
        };
    };
    window.command(CommandId::Cut).setHandler(onExplorerTab(&FileCommands::CutExecute, files));
    window.command(CommandId::Paste).setHandler(onExplorerTab(&FileCommands::PasteExecute, files));
    window.command(CommandId::DellFile).setHandler(onExplorerTab(&FileCommands::DellFileExecute, files));
    window.command(CommandId::RenameFile).setHandler(onExplorerTab(&FileCommands::RenameFileExecute, files));
    window.command(CommandId::Rename_All).setHandler(onExplorerTab(&FileCommands::Rename_AllExecute, files));
    window.command(CommandId::CopyFile).setHandler([&window, &files] {
        if (window.activeTab() == 1)
            files.CopyFileExecute();
        else if (window.activeTab() == 3)
            if (const GridList *album = listOf(window, GridSlot::Album))
                files.copyAlbumImages(*album);
    });
    window.stateProvider().pendingPaste = [&files] { return files.pending().pastePossible(); };
}

void connectRetouch(TMainLumivelle3000 &window, CommandSet *set)
{
    window.command(CommandId::Soft_Retouche).setHandler([&window, set] {
        associateRetouchProgram(window.settings(), *set->dialogs);
    });
    const std::pair<CommandId, GridSlot> retouch[] = {{CommandId::RetoucherList, GridSlot::Explorer},
                                                      {CommandId::RetoucherScript, GridSlot::Show},
                                                      {CommandId::RetoucherCollec, GridSlot::Album}};
    for (const auto &[id, slot] : retouch) {
        window.command(id).setHandler([&window, slot] {
            if (const GridList *list = listOf(window, slot))
                retouchImage(window.settings(), list->state().currentPath, slot != GridSlot::Explorer, &window);
        });
    }
}

void connectViewer(TMainLumivelle3000 &window)
{
    const std::pair<CommandId, GridSlot> views[] = {{CommandId::VueImageList, GridSlot::Explorer},
                                                    {CommandId::VueImageScript, GridSlot::Show},
                                                    {CommandId::VueImageCollec, GridSlot::Album}};
    for (const auto &[id, slot] : views) {
        window.command(id).setHandler([&window, slot] {
            openViewer(listOf(window, slot), slot != GridSlot::Explorer, window.settings(), &window);
        });
    }
    auto fullScreen = [&window] { window.command(CommandId::VueImageList).execute(); };
    window.command(CommandId::PreviewFullScreen).setHandler(fullScreen);
    window.previewPanel()->installEventFilter(new DoubleClickFilter(window.previewPanel(), fullScreen));
    window.command(CommandId::LumivelleRapide).setHandler([&window] {
        startInstantShow(activeList(window), window.settings(), &window);
    });
}

} // namespace

ExplorerCommands installExplorerCommands(TMainLumivelle3000 &window, ImageExplorer &explorer)
{
    return installExplorerCommands(window, explorer, std::make_unique<WidgetDialogs>(&window));
}

ExplorerCommands installExplorerCommands(TMainLumivelle3000 &window, ImageExplorer &explorer,
                                         std::unique_ptr<ExplorerDialogs> dialogs)
{
    auto *set = new CommandSet(window, explorer, std::move(dialogs));
    recordFolderHistory(explorer, window.histories());
    connectNavigation(window, set->navigation);
    connectFileCommands(window, set->files);
    connectRetouch(window, set);
    connectViewer(window);
    return {set->navigation, &set->files};
}

} // namespace editor
