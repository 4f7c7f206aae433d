// The commands that put slides into the show, take them out, move their pictures and
// remake their thumbnails; the options dialog and the copy of parameters to all slides.
#include "documents/show/copy_whole_file.h"
#include "editor/files/retouch.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/main_window.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "editor/show/form_copy_lumiv.h"
#include "editor/show/form_projet.h"
#include "editor/show/show_area.h"
#include "editor/show/show_dialogs.h"
#include "editor/show/show_progress.h"
#include "editor/viewer/viewer_commands.h"
#include "imaging/scan/picture_loading.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace editor {

namespace {

const QString kAlbumFilesMissing =
    QStringLiteral("Certains fichiers n'existent pas à l'emplacement spécifié et n'ont pas été ajoutés");

struct Pick {
    QString path;
    TEnrData entry;
};

// The selected entries of a list, in list order: taken before the loop, so nothing that
// happens to that list while events are processed can change what is added.
std::vector<Pick> selectedEntries(const GridList &source)
{
    std::vector<Pick> picks;
    picks.reserve(std::size_t(source.selectedCount()));
    for (int i = 0; i < source.count(); ++i)
        if (source.entry(i).selected)
            picks.push_back({source.path(i), source.entryWithThumbnail(i)});
    return picks;
}

// The list another tab shows: the one its area registered, else the one its grid draws.
const GridList *listOf(TMainLumivelle3000 &window, GridSlot slot)
{
    if (const GridList *list = window.list(slot))
        return list;
    ThumbnailGridView *view = window.grid(slot);
    auto *grid = view ? qobject_cast<ThumbnailGrid *>(view->widget()) : nullptr;
    return grid ? grid->list() : nullptr;
}

} // namespace

void ShowArea::AjouterExecute()
{
    const int tab = m_window.activeTab();
    const bool fromAlbum = tab == 3;
    if (tab != 1 && !fromAlbum)
        return;
    if (fromAlbum && !(m_window.stateProvider().albumOpen && m_window.stateProvider().albumOpen()))
        return;
    const GridList *source = listOf(m_window, fromAlbum ? GridSlot::Album : GridSlot::Explorer);
    if (!source || source->selectedCount() < 1 || !m_doc.isOpen() || source->state().busy || busy())
        return;
    const std::vector<Pick> picks = selectedEntries(*source);
    bool missing = false;
    {
        ShowProgress progress(m_window.progressBar(), int(picks.size()));
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        m_doc.slides.reserve(m_doc.slides.count() + int(picks.size()));
        for (const Pick &pick : picks) {
            if (!QFileInfo(pick.path).isFile()) {
                missing = true;
                continue;
            }
            if (m_doc.slides.containsPath(pick.path))
                continue;
            TEnrData_S slide;
            showdoc::FillSlideEntry(slide, pick.entry);
            m_doc.slides.append(pick.path, std::move(slide));
            progress.step();
        }
    }
    m_window.setActiveTab(2);
    LayoutGrid();
    markModified();
    if (fromAlbum && missing)
        messages::information(kAlbumFilesMissing);
}

void ShowArea::AddFileLumivExecute()
{
    if (!m_doc.isOpen() || busy())
        return;
    const QStringList files = m_dialogs->chooseImages();
    if (files.isEmpty())
        return;
    {
        ShowProgress progress(m_window.progressBar(), int(files.size()));
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        for (const QString &file : files) {
            if (m_doc.slides.containsPath(file))
                continue;
            TEnrData_S slide;
            showdoc::FillSlideEntry(slide, file, m_window.settings().FilterOk);
            m_doc.slides.append(file, std::move(slide));
            progress.step();
        }
    }
    LayoutGrid();
    markModified();
}

void ShowArea::SupprimerExecute()
{
    if (m_doc.slides.selectedCount() < 1 || m_doc.slides.isEmpty() || busy())
        return;
    if (messages::confirm(QStringLiteral("Supprimer l'image(s) sélectionnée(s) du lumivelle ?"),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    m_doc.slides.removeSelected();
    m_doc.slides.state().currentPath.clear();
    LayoutGrid();
    markModified();
}

void ShowArea::ModPath_SExecute()
{
    if (m_doc.slides.isEmpty() || busy())
        return;
    if (messages::confirm(QStringLiteral("Vous allez modifier le chemin d'accès des images sélectionnées.\r\rContinuer ?"),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    const auto folder = m_dialogs->chooseFolder(QStringLiteral("Sélectionner un nouveau dossier"));
    if (!folder)
        return;
    GridListState &state = m_doc.slides.state();
    for (int i = 0; i < m_doc.slides.count(); ++i) {
        if (!m_doc.slides.slide(i).selected)
            continue;
        m_doc.slides.setPath(i, movedPath(m_doc.slides.path(i), *folder));
        if (i == state.currentIndex)
            state.currentPath = m_doc.slides.path(i); // the view and retouch commands follow it
    }
    GrilleScriptClick();
    markModified();
}

void ShowArea::RefreshVignetteLumivExecute()
{
    const int selected = m_doc.slides.selectedCount();
    if (m_doc.slides.isEmpty() || selected < 1 || busy())
        return;
    ShowProgress progress(m_window.progressBar(), selected);
    for (int i = 0; i < m_doc.slides.count(); ++i) {
        TEnrData_S &slide = m_doc.slides.slide(i);
        if (!slide.selected)
            continue;
        const QString path = m_doc.slides.path(i);
        if (QFileInfo(path).isFile()) {
            {
                ui::BusyCursor hourglass;
                QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
                // A picture that can no longer be read keeps the thumbnail it had.
                if (auto fresh = loadThumbnailEntry(path, m_window.settings().FilterOk))
                    showdoc::FillSlideEntry(slide, *fresh);
            }
            m_grid->SetSelected(i, true);
            markModified();
        } else {
            messages::information(kImageNotAccessible);
        }
        progress.step();
    }
}

void ShowArea::VueImageScriptExecute()
{
    openViewer(&m_doc.slides, true, m_window.settings(), &m_window);
}

void ShowArea::RetoucherScriptExecute()
{
    if (!busy())
        retouchImage(m_window.settings(), m_doc.slides.state().currentPath, true, &m_window);
}

void ShowArea::OptionLumivelleExecute()
{
    if (!m_doc.isOpen())
        return;
    TFormProjet &form = *m_formProjet;
    form.setWindowTitle(optionsTitle(m_doc.path));
    if (!QFileInfo(form.music()).isFile())
        form.setMusic(QString());
    const QString previousMusic = form.music();
    form.EditWaveChange();
    if (form.exec() != QDialog::Accepted)
        return;
    if (const auto target = musicCopyTarget(form.music(), previousMusic, m_doc.path)) {
        if (!QFileInfo::exists(*target)) {
            if (auto copied = showdoc::CopyWholeFile(form.music(), *target); !copied) {
                messages::error(copied.error().message);
                return;
            }
        }
        form.setMusic(*target);
    }
    markModified();
}

void ShowArea::AllStyle_ImageExecute()
{
    const SlideList &slides = m_doc.slides;
    const int current = slides.state().currentIndex;
    if (slides.selectedCount() != 1 || slides.isEmpty() || !slides.contains(current) || busy())
        return;
    TFormCopyLumiv dialog(&m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    copyParameters(m_doc.slides, current, dialog.choices());
    markModified();
    GrilleScriptClick();
}

} // namespace editor
