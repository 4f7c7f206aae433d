#include "editor/explorer/explorer_window.h"

#include "editor/grid/grid_slot_view.h"
#include "editor/explorer/image_explorer.h"
#include "editor/shell/main_window.h"
#include "editor/shell/status_line.h"

#include <QFileSystemModel>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace editor {

namespace {

constexpr int kCountPanel = 2;

// The grid of the active tab, when it is one of ours.
ThumbnailGrid *activeGrid(TMainLumivelle3000 &window)
{
    static constexpr GridSlot kSlots[] = {GridSlot::Explorer, GridSlot::Show, GridSlot::Album};
    ThumbnailGridView *view = window.grid(kSlots[window.activeTab() - 1]);
    return view ? qobject_cast<ThumbnailGrid *>(view->widget()) : nullptr;
}

// The tree reports the folders the user selects; while the list is busy the selection
// goes back to the folder being scanned.
void connectFolderTree(TMainLumivelle3000 &window, ImageExplorer *explorer)
{
    QTreeView *tree = window.folderTree();
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());
    if (!model)
        return;
    auto reverting = std::make_shared<bool>(false);
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, explorer,
                     [=](const QModelIndex &current, const QModelIndex &previous) {
                         if (*reverting || !current.isValid())
                             return;
                         if (explorer->folderSelected(model->filePath(current)))
                             return;
                         QPersistentModelIndex back(previous);
                         QTimer::singleShot(0, tree, [=] {
                             *reverting = true;
                             tree->setCurrentIndex(back);
                             *reverting = false;
                         });
                     });
    // The folder the tree starts in is scanned once the window is up.
    window.firstShownSteps.push_back([tree, model, explorer = QPointer(explorer)] {
        QTimer::singleShot(0, explorer, [=] {
            if (explorer && tree->currentIndex().isValid())
                explorer->folderSelected(model->filePath(tree->currentIndex()));
        });
    });
}

void connectCommands(TMainLumivelle3000 &window, ImageExplorer *explorer)
{
    auto onExplorerTab = [&window, explorer] { return window.activeTab() == 1 && !explorer->isBusy(); };
    ThumbnailGrid *grid = explorer->GrilleImage();
    window.command(CommandId::Actualiser).setHandler([=] {
        if (onExplorerTab())
            explorer->ActualiserExecute();
    });
    window.command(CommandId::RefreshVignette).setHandler([=] {
        if (onExplorerTab())
            explorer->RefreshVignetteExecute();
    });
    window.command(CommandId::SelectAll).setHandler([=] {
        if (onExplorerTab())
            grid->SelectAll();
    });
    window.command(CommandId::UnSelectAll).setHandler([=] {
        if (onExplorerTab())
            grid->UnSelectAll();
    });
    window.command(CommandId::InvertSelect).setHandler([=] {
        if (onExplorerTab())
            grid->InvertSelect();
    });
    window.command(CommandId::Tri).setHandler([&window] {
        if (ThumbnailGrid *active = activeGrid(window))
            active->Tri();
    });
}

void connectWindow(TMainLumivelle3000 &window, ImageExplorer *explorer)
{
    QObject::connect(explorer, &ImageExplorer::countChanged, &window,
                     [&window](const QString &text) { window.statusLine()->setPanelText(kCountPanel, text); });
    QObject::connect(&window, &TMainLumivelle3000::previewSwitched, explorer, &ImageExplorer::setPreviewOn);
    QObject::connect(&window, &TMainLumivelle3000::folderSplitterReleased, explorer,
                     &ImageExplorer::folderSplitterMoved);
    QObject::connect(&window, &TMainLumivelle3000::previewSplitterReleased, explorer,
                     &ImageExplorer::previewSplitterMoved);
    // Closing the window stops a scan, so the program can end at once.
    QObject::connect(qGuiApp, &QGuiApplication::lastWindowClosed, explorer,
                     [&window] { window.scanCancelRequested = true; });
    ThumbnailGrid *grid = explorer->GrilleImage();
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, &window, [&window, grid](const QPoint &at) {
        window.popupContextMenu(MenuId::PopupListFile, grid->viewport()->mapToGlobal(at));
    });
    window.setList(GridSlot::Explorer, &explorer->list());
    window.explorerServices() = {
        [explorer] { return explorer->currentFolder(); },
        [explorer] { explorer->ScanFolder(ImageExplorer::ScanStart::Other); },
        [explorer](int index) { explorer->ReloadEntry(index); },
    };
    window.stateProvider().explorer = [explorer] {
        return ListState{!explorer->list().isEmpty(), explorer->list().selectedCount(), explorer->isBusy()};
    };
}

} // namespace

ImageExplorer *installImageExplorer(TMainLumivelle3000 &window)
{
    auto *explorer = new ImageExplorer(window.settings(), window.previewPanel(), window.progressBar(), &window);
    explorer->useCancelFlag(&window.scanCancelRequested);
    window.setGrid(GridSlot::Explorer, new GridSlotView(explorer->GrilleImage(), window.settings(), true));
    connectFolderTree(window, explorer);
    connectCommands(window, explorer);
    connectWindow(window, explorer);
    window.statusLine()->setPanelText(kCountPanel, explorerCountText(0));
    return explorer;
}

} // namespace editor
