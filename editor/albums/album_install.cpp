// Puts the album area into the main window.
#include "editor/albums/album_area.h"

#include "editor/albums/album_dialogs.h"
#include "editor/albums/album_panel.h"
#include "editor/grid/grid_slot_view.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "ui/qb_panel.h"

#include <QDir>
#include <QVBoxLayout>

namespace editor {

namespace {

void connectCommands(TMainLumivelle3000 &window, AlbumArea *area)
{
    const std::pair<CommandId, void (AlbumArea::*)()> handlers[] = {
        {CommandId::NewCollec, &AlbumArea::NewCollecExecute},
        {CommandId::OpenCollec, &AlbumArea::OpenCollecExecute},
        {CommandId::SaveCollecAs, &AlbumArea::SaveCollecAsExecute},
        {CommandId::AddCollec, &AlbumArea::AddCollecExecute},
        {CommandId::AddFileCollec, &AlbumArea::AddFileCollecExecute},
        {CommandId::DellCollec, &AlbumArea::DellCollecExecute},
        {CommandId::RefreshVignetteCollec, &AlbumArea::RefreshVignetteCollecExecute},
        {CommandId::AllInfoCollec, &AlbumArea::AllInfoCollecExecute},
        {CommandId::ModPath, &AlbumArea::ModPathExecute},
        {CommandId::ExplorerCollec, &AlbumArea::ExplorerCollecExecute},
        {CommandId::SerachCollec, &AlbumArea::SerachCollecExecute},
        {CommandId::Exif, &AlbumArea::ExifExecute},
    };
    for (const auto &[id, handler] : handlers)
        window.command(id).setHandler([area, handler = handler] { (area->*handler)(); });
    window.command(CommandId::SaveCollec).setHandler([area] { area->SaveCollecExecute(); });
}

void connectWindow(TMainLumivelle3000 &window, AlbumArea *area)
{
    window.stateProvider().album = [area] {
        const AlbumImages &images = area->images();
        return ListState{!images.isEmpty(), images.selectedCount(), area->isBusy()};
    };
    window.stateProvider().albumOpen = [area] { return area->isOpen(); };
    OpenDocuments &documents = window.documents();
    documents.albumModified = [area] { return area->isOpen() && area->isModified(); };
    documents.saveAlbum = [area] { return area->SaveCollecExecute(); };
    documents.markAlbumModified = [area] { area->markModified(); };
    window.openAlbum = [area](const QString &path) { area->openFromExplorer(path); };
    window.exitSteps.push_back([area] { area->writeKeywordFile(); });
}

} // namespace

AlbumArea *installAlbumArea(TMainLumivelle3000 &window, std::unique_ptr<AlbumDialogs> dialogs,
                            const QString &keywordFile)
{
    auto *area = new AlbumArea(window, std::move(dialogs), keywordFile);
    auto *place = window.albumPanelPlace();
    auto *layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 1, 0); // the panel's right line stays visible
    layout->addWidget(area->panel());
    auto *view = new GridSlotView(area->GrilleCollec(), window.settings(), false);
    view->setParent(area);
    window.setGrid(GridSlot::Album, view);
    window.setList(GridSlot::Album, &area->images());
    connectCommands(window, area);
    connectWindow(window, area);
    return area;
}

AlbumArea *installAlbumArea(TMainLumivelle3000 &window)
{
    return installAlbumArea(window, std::make_unique<WidgetAlbumDialogs>(&window),
                            QDir(configDirectory()).filePath(album::kKeywordFileName));
}

} // namespace editor
