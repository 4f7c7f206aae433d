#include "editor/viewer/viewer_commands.h"

#include "editor/viewer/form_view.h"
#include "editor/grid/grid_list.h"
#include "editor/files/retouch.h"
#include "ui/messages.h"

#include <QFileInfo>

namespace editor {

namespace {

bool runWindow(const GridList &list, ViewerMode mode, const EditorSettings &settings, QWidget *parent)
{
    TFormView view(list, mode, settings, parent);
    if (!view.prepare())
        return false;
    view.run();
    return true;
}

} // namespace

bool openViewer(const GridList *list, bool reportMissing, const EditorSettings &settings, QWidget *parent)
{
    if (!list || list->state().busy)
        return false;
    if (!QFileInfo(list->state().currentPath).isFile()) {
        if (reportMissing)
            messages::information(kImageNotAccessible);
        return false;
    }
    return runWindow(*list, ViewerMode::View, settings, parent);
}

bool startInstantShow(const GridList *list, const EditorSettings &settings, QWidget *parent)
{
    if (!list || list->isEmpty() || list->state().busy || !QFileInfo(list->path(0)).isFile())
        return false;
    return runWindow(*list, ViewerMode::InstantShow, settings, parent);
}

} // namespace editor
