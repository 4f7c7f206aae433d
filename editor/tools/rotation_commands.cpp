#include "editor/tools/rotation_commands.h"

#include "editor/grid/grid_list.h"
#include "editor/shell/main_window.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "editor/tools/form_save.h"
#include "editor/tools/tool_command_support.h"
#include "imaging/scan/picture_loading.h"
#include "imaging/tools/rotate_and_save.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

namespace editor {

namespace {

const QString kNotAccessible = QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine.");

constexpr GridSlot kSlots[] = {GridSlot::Explorer, GridSlot::Show, GridSlot::Album};
constexpr CommandId kRefreshCommands[] = {CommandId::RefreshVignette, CommandId::RefreshVignetteLumiv,
                                          CommandId::RefreshVignetteCollec};

// Reads the entry's file again when the tab has not connected its own refresh command.
void reloadEntry(TMainLumivelle3000 &window, GridSlot slot, int index)
{
    GridList *list = window.list(slot);
    if (auto fresh = loadThumbnailEntry(list->path(index), window.settings().FilterOk)) {
        TEnrData &entry = list->entry(index);
        entry.width = fresh->width;
        entry.height = fresh->height;
        entry.fileSize = fresh->fileSize;
        entry.thumbnail = std::move(fresh->thumbnail);
    }
    if (ThumbnailGridView *grid = window.grid(slot))
        grid->repaintGrid();
}

// The refresh of the selected thumbnails of the tab whose picture was rewritten.
void refreshTab(TMainLumivelle3000 &window, GridSlot slot, int index)
{
    Command &refresh = window.command(kRefreshCommands[std::size_t(slot)]);
    if (refresh.isConnected())
        refresh.execute();
    else
        reloadEntry(window, slot, index);
    if (slot == GridSlot::Show && window.documents().markShowModified)
        window.documents().markShowModified();
}

void report(TMainLumivelle3000 &window, GridSlot slot, int index, const imagetools::RotateResult &result)
{
    using imagetools::RotateStatus;
    switch (result.status) {
    case RotateStatus::Missing: messages::information(kNotAccessible); break;
    case RotateStatus::WriteFailed: messages::error(kCannotSaveImageMessage); break;
    case RotateStatus::WrittenOverFile: refreshTab(window, slot, index); break;
    case RotateStatus::WrittenBeside:
        if (window.explorerServices().scanFolder)
            window.explorerServices().scanFolder();
        break;
    case RotateStatus::Unreadable:
    case RotateStatus::Cancelled: break;
    }
}

} // namespace

int rotationAngle(int tag)
{
    switch (tag) {
    case 1: return 270;
    case 2: return 90;
    case 3: return 180;
    default: return 0;
    }
}

void PivoterClick(TMainLumivelle3000 &window, int tag)
{
    const GridSlot slot = kSlots[window.activeTab() - 1];
    GridList *list = window.list(slot);
    if (!list || list->isEmpty() || list->selectedCount() != 1 || list->state().busy)
        return;
    const int angle = rotationAngle(tag);
    if (angle == 0)
        return;
    const int index = firstSelected(*list);
    imagetools::RotateResult result;
    {
        ui::BusyCursor hourglass;
        result = imagetools::RotateAndSave(angle, list->path(index), [&window] {
            CursorPause normal;
            return askSaveFormat(&window);
        });
    }
    report(window, slot, index, result);
    if (slot == GridSlot::Album && window.documents().markAlbumModified)
        window.documents().markAlbumModified();
}

void installRotationCommands(TMainLumivelle3000 &window)
{
    struct Binding {
        CommandId id;
        int tag;
    };
    static constexpr Binding kBindings[] = {
        {CommandId::RotateListRight, 1},   {CommandId::RotateListLeft, 2},   {CommandId::RotateList180, 3},
        {CommandId::RotateScriptRight, 1}, {CommandId::RotateScriptLeft, 2}, {CommandId::RotateScript180, 3},
        {CommandId::RotateCollecRight, 1}, {CommandId::RotateCollecLeft, 2}, {CommandId::RotateCollec180, 3},
    };
    for (const Binding &b : kBindings)
        window.command(b.id).setHandler([&window, tag = b.tag] { PivoterClick(window, tag); });
}

} // namespace editor
