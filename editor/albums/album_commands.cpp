// The album commands that change the album's content, the album explorer, the search and
// the EXIF report.
#include "editor/albums/album_area.h"

#include "documents/album/album_building.h"
#include "editor/albums/album_dialogs.h"
#include "editor/albums/album_editing.h"
#include "editor/albums/album_progress.h"
#include "editor/albums/form_collec_explorer.h"
#include "editor/albums/form_copie_info.h"
#include "editor/albums/form_exif.h"
#include "editor/albums/form_search.h"
#include "editor/files/retouch.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/main_window.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QFileInfo>
#include <QLocale>

namespace editor {

const GridList *AlbumArea::explorerList() const
{
    if (const GridList *list = m_window.list(GridSlot::Explorer))
        return list;
    ThumbnailGridView *view = m_window.grid(GridSlot::Explorer);
    auto *grid = view ? qobject_cast<ThumbnailGrid *>(view->widget()) : nullptr;
    return grid ? grid->list() : nullptr;
}

void AlbumArea::AddCollecExecute()
{
    const GridList *explorer = explorerList();
    if (!explorer || explorer->selectedCount() == 0 || !isOpen() || explorer->state().busy || isBusy())
        return;
    // The explorer's entries are taken first: events processed while the album grows may
    // let the explorer change folder.
    std::vector<std::pair<QString, TEnrData>> picked;
    for (int i = 0; i < explorer->count(); ++i)
        if (explorer->entry(i).selected)
            picked.emplace_back(explorer->path(i), explorer->entryWithThumbnail(i));
    {
        ui::BusyCursor hourglass;
        AlbumProgress progress(m_window.progressBar());
        progress.start(int(picked.size()));
        BusyList busy(m_images.state());
        const exif::ExifLocale locale = exif::ExifLocale::fromQLocale(QLocale::system());
        for (const auto &[path, explorerEntry] : picked) {
            if (!album::mayAdd(m_images.items(), path))
                continue;
            album::TEnrData_C entry;
            album::buildEntryFromExplorerEntry(path, entry, explorerEntry, locale);
            m_images.items().append(path, std::move(entry));
            progress.step();
        }
    }
    m_window.setActiveTab(3);
    RedrawAlbum();
    markModified();
}

void AlbumArea::AddFileCollecExecute()
{
    if (!isOpen() || isBusy())
        return;
    const QStringList files = m_dialogs->openImageFiles(QStringLiteral("Ajouter des images"));
    if (files.isEmpty())
        return;
    {
        ui::BusyCursor hourglass;
        AlbumProgress progress(m_window.progressBar());
        progress.start(int(files.size()));
        BusyList busy(m_images.state());
        for (const QString &file : files) {
            if (m_images.items().containsPath(file))
                continue;
            album::TEnrData_C entry;
            album::buildEntryFromImageFile(file, entry, m_window.settings().FilterOk);
            m_images.items().append(file, std::move(entry));
            progress.step();
        }
    }
    RedrawAlbum();
    markModified();
}

void AlbumArea::DellCollecExecute()
{
    if (m_images.selectedCount() == 0 || m_images.isEmpty() || isBusy())
        return;
    if (messages::confirm(QStringLiteral("Supprimer l'image(s) sélectionnée(s) de l'album ?"),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    removeSelected(m_images);
    m_images.state().currentPath.clear();
    RedrawAlbum();
    markModified();
    GrilleCollecClick(); // the panel no longer shows a removed entry
}

void AlbumArea::RefreshVignetteCollecExecute()
{
    if (m_images.isEmpty() || m_images.selectedCount() == 0 || isBusy())
        return;
    const std::vector<int> selected = m_images.selectedIndexes();
    AlbumProgress progress(m_window.progressBar());
    progress.start(int(selected.size()));
    BusyList busy(m_images.state());
    for (int index : selected) {
        if (QFileInfo(m_images.path(index)).isFile()) {
            ui::BusyCursor hourglass;
            album::buildEntryFromImageFile(m_images.path(index), m_images.albumEntry(index),
                                           m_window.settings().FilterOk);
            m_grid->SetSelected(index, true);
            markModified();
        } else {
            messages::information(kImageNotAccessible);
        }
        progress.step();
    }
}

void AlbumArea::AllInfoCollecExecute()
{
    if (m_images.selectedCount() != 1 || m_images.isEmpty() || !m_images.currentIsValid() || isBusy())
        return;
    const album::TEnrData_C source = m_images.albumEntry(m_images.state().currentIndex);
    TFormCopieInfo form(&m_window);
    if (m_dialogs->run(form) != QDialog::Accepted)
        return;
    copyFieldsToAll(m_images, source, form.choice());
    markModified();
}

void AlbumArea::ModPathExecute()
{
    if (m_images.isEmpty() || isBusy())
        return;
    if (messages::confirm(QStringLiteral("Vous allez modifier le chemin d'accès des images sélectionnées.\n\n"
                                         "Continuer ?"),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    const auto folder = m_dialogs->chooseFolder(QStringLiteral("Sélectionner un nouveau dossier"));
    if (!folder)
        return;
    moveSelectedTo(m_images, *folder);
    GrilleCollecClick();
    markModified();
}

void AlbumArea::ExplorerCollecExecute()
{
    if (!askBeforeLeaving())
        return;
    const EditorSettings &settings = m_window.settings();
    if (settings.Rep_Collec.isEmpty() || !QFileInfo(settings.Rep_Collec).isDir() || m_explorer)
        return;
    TFormCollecExplorer::Hooks hooks{[this](const QString &path) { openFromExplorer(path); },
                                     [this] { return m_fileName; }};
    m_explorer = new TFormCollecExplorer(settings.Rep_Collec, settings.cologrid, settings.colosel, std::move(hooks),
                                         &m_window);
    m_explorer->show();
}

void AlbumArea::SerachCollecExecute()
{
    if (m_images.isEmpty() || isBusy())
        return;
    TFormSearch form(m_keywords.items(), m_images, *m_grid, &m_window);
    m_dialogs->run(form);
}

void AlbumArea::ExifExecute()
{
    const GridList *explorer = explorerList();
    if (!explorer || explorer->state().busy)
        return;
    const auto lines = exifDialogLines(explorer->state().currentPath);
    if (!lines)
        return;
    TFormExif form(*lines, &m_window);
    m_dialogs->run(form);
}

} // namespace editor
