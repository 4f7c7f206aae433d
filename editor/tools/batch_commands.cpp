#include "editor/tools/batch_commands.h"

#include "base/path_identity.h"
#include "editor/shell/main_window.h"
#include "editor/shell/status_line.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "editor/tools/form_convert_jpg.h"
#include "editor/tools/form_redim.h"
#include "editor/tools/tool_command_support.h"
#include "imaging/tools/batch_resize.h"
#include "imaging/tools/jpeg_conversion.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

namespace editor {

namespace {

const QString kBadSizeMessage = QStringLiteral("Saisie incorrecte pour la taille");
const QString kNoFolderMessage =
    QStringLiteral("Vous n'avez pas indiqué le dossier de destination pour la copie des images");

bool readAheadWanted()
{
    return QThread::idealThreadCount() >= 2;
}

// The explorer list when a batch command may run on it.
GridList *explorerListForBatch(TMainLumivelle3000 &window)
{
    GridList *list = window.list(GridSlot::Explorer);
    if (window.activeTab() != 1 || !list || list->isEmpty() || list->selectedCount() < 1 || list->state().busy)
        return nullptr;
    return list;
}

QStringList selectedPaths(const GridList &list, bool resizableOnly)
{
    QStringList paths;
    for (int i = 0; i < list.count(); ++i)
        if (list.entry(i).selected && (!resizableOnly || imagetools::isResizableFile(list.path(i))))
            paths << list.path(i);
    return paths;
}

// The answers of the resize dialog, or nothing when they do not allow a run.
std::optional<imagetools::ResizeOptions> resizeOptionsFrom(const TFormRedim &dialog)
{
    const ResizeBoxSettings chosen = dialog.settings();
    const auto box = dialog.box();
    if (!box) {
        messages::error(kBadSizeMessage);
        return std::nullopt;
    }
    const auto copyStyle = imagetools::CopyStyle(chosen.copyStyle);
    if (copyStyle == imagetools::CopyStyle::OtherFolder && chosen.dirCopy.isEmpty()) {
        messages::warning(kNoFolderMessage);
        return std::nullopt;
    }
    return imagetools::ResizeOptions{*box, chosen.largerOnly, chosen.filter, copyStyle, chosen.dirCopy};
}

// Resizes every file; false when the window went away while events were processed.
bool runResize(TMainLumivelle3000 &window, const QStringList &files, const imagetools::ResizeOptions &options)
{
    QPointer<TMainLumivelle3000> alive(&window);
    ui::BusyCursor hourglass;
    ProgressSteps progress(window.progressBar(), int(files.size()));
    imagetools::ResizeBatch batch(files, options, readAheadWanted());
    for (int i = 0; i < batch.count(); ++i) {
        progress.step();
        QCoreApplication::processEvents();
        if (!alive)
            return false;
        const imagetools::ResizeResult result = batch.run(i);
        if (result.status == imagetools::ResizeStatus::Unreadable)
            messages::error(QStringLiteral("Image incorrecte (%1)").arg(batch.source(i)));
        else if (result.status == imagetools::ResizeStatus::WriteFailed)
            messages::error(kCannotSaveImageMessage);
    }
    return true;
}

void refreshAfterResize(TMainLumivelle3000 &window, GridList &list, imagetools::CopyStyle copyStyle)
{
    const ExplorerServices &explorer = window.explorerServices();
    if (copyStyle == imagetools::CopyStyle::SameFolder && explorer.scanFolder) {
        explorer.scanFolder();
    } else if (copyStyle == imagetools::CopyStyle::InPlace && explorer.reloadEntry) {
        for (int i = 0; i < list.count(); ++i)
            if (list.entry(i).selected)
                explorer.reloadEntry(i);
    }
    if (ThumbnailGridView *grid = window.grid(GridSlot::Explorer))
        grid->repaintGrid();
}

QString overwriteQuestion(const QString &target)
{
    return QStringLiteral("Le fichier < %1 > existe déjà,\nEcraser le fichier ?").arg(QFileInfo(target).fileName());
}

// Converts every file; false when the window went away while events were processed.
bool runConversion(TMainLumivelle3000 &window, imagetools::ConvertBatch &batch)
{
    QPointer<TMainLumivelle3000> alive(&window);
    ui::BusyCursor hourglass;
    ProgressSteps progress(window.progressBar(), batch.count());
    for (int i = 0; i < batch.count(); ++i) {
        if (QFileInfo::exists(batch.target(i))) {
            CursorPause normal;
            if (messages::ask(messages::Kind::Information, overwriteQuestion(batch.target(i)),
                              messages::Buttons::YesNo) != messages::Answer::Yes)
                continue; // skipped, and the progress bar does not move for it
        }
        progress.step();
        QCoreApplication::processEvents();
        if (!alive)
            return false;
        const imagetools::ConvertResult result = batch.run(i);
        if (result.status == imagetools::ConvertStatus::WriteFailed)
            messages::error(QStringLiteral("Impossible d'enregistrer le fichier < %1 >")
                                .arg(QFileInfo(result.target).fileName()));
    }
    return true;
}

bool sameFolder(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && samePath(QDir::cleanPath(a), QDir::cleanPath(b));
}

} // namespace

void RescalePictExecute(TMainLumivelle3000 &window)
{
    GridList *list = explorerListForBatch(window);
    if (!list)
        return;
    std::optional<imagetools::ResizeOptions> options;
    {
        BusyList busy(*list);
        const QStringList files = selectedPaths(*list, true);
        TFormRedim dialog(window.config(), files, &window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        options = resizeOptionsFrom(dialog);
        if (!options || !runResize(window, files, *options))
            return;
    }
    refreshAfterResize(window, *list, options->copyStyle);
}

void ConvertJPGExecute(TMainLumivelle3000 &window)
{
    GridList *list = explorerListForBatch(window);
    if (!list)
        return;
    const ExplorerServices &explorer = window.explorerServices();
    const QString currentFolder = explorer.currentFolder ? explorer.currentFolder() : QString();
    QString destination;
    {
        BusyList busy(*list);
        TFormConvertJpg dialog(selectedPaths(*list, false), currentFolder, &window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        destination = dialog.folder();
        imagetools::ConvertBatch batch(selectedPaths(*list, false), destination, dialog.quality(), readAheadWanted());
        if (!runConversion(window, batch))
            return;
    }
    if (sameFolder(destination, currentFolder))
        window.command(CommandId::Actualiser).execute();
}

void installBatchCommands(TMainLumivelle3000 &window)
{
    window.command(CommandId::RescalePict).setHandler([&window] { RescalePictExecute(window); });
    window.command(CommandId::ConvertJPG).setHandler([&window] { ConvertJPGExecute(window); });
}

} // namespace editor
