#include "editor/albums/album_area.h"

#include "documents/album/ccl_format.h"
#include "editor/albums/album_dialogs.h"
#include "editor/albums/album_editing.h"
#include "editor/albums/album_panel.h"
#include "editor/albums/form_collec_explorer.h"
#include "ui/qb_panel.h"
#include "editor/albums/album_progress.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/close_questions.h"
#include "editor/shell/main_window.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QFileInfo>

namespace editor {

namespace {

QString existingFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

AlbumArea::AlbumArea(TMainLumivelle3000 &window, std::unique_ptr<AlbumDialogs> dialogs, QString keywordFile)
    : QObject(&window), m_window(window), m_dialogs(std::move(dialogs)), m_grid(new ThumbnailGrid(&window)),
      m_panel(new AlbumPanel(window.albumPanelPlace())), m_keywordFile(std::move(keywordFile))
{
    m_grid->setObjectName(QStringLiteral("GrilleCollec"));
    m_grid->setList(&m_images);
    connectGrid();
    connectPanel();
    album::readKeywordFile(m_keywordFile, m_keywords); // a missing or unreadable file: no keywords
    m_panel->setKeywordItems(m_keywords.items());
}

AlbumArea::~AlbumArea()
{
    if (m_explorer)
        m_explorer->close();
}

TFormCollecExplorer *AlbumArea::collecExplorer() const
{
    return m_explorer;
}

void AlbumArea::connectGrid()
{
    connect(m_grid, &ThumbnailGrid::clicked, this, &AlbumArea::GrilleCollecClick);
    connect(m_grid, &ThumbnailGrid::reordered, this, &AlbumArea::markModified);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_window.popupContextMenu(MenuId::PopupCollec, m_grid->viewport()->mapToGlobal(at));
    });
}

void AlbumArea::connectPanel()
{
    connect(m_panel, &AlbumPanel::fieldEdited, this, &AlbumArea::fieldEdited);
    connect(m_panel, &AlbumPanel::keywordBoxLeft, this, &AlbumArea::ComboCleExit);
    connect(m_panel, &AlbumPanel::deleteKeywordRequested, this, &AlbumArea::SpeedDellCleClick);
}

void AlbumArea::fieldEdited(album::AlbumField field, const QString &text)
{
    if (writeFieldToSelection(m_images, field, text))
        markModified();
}

void AlbumArea::GrilleCollecClick()
{
    m_panel->showContents(panelContents(m_images));
}

void AlbumArea::ClearAlbum()
{
    m_images.items().clear();
    m_grid->LayoutGrid();
}

void AlbumArea::RedrawAlbum()
{
    m_grid->LayoutGrid();
}

bool AlbumArea::LoadAlbum(const QString &path)
{
    album::LoadResult<void> loaded;
    {
        ui::BusyCursor hourglass;
        ClearAlbum();
        AlbumProgress progress(m_window.progressBar());
        BusyList busy(m_images.state());
        loaded = album::loadAlbumFile(path, m_images.items(),
                                      {[&](int total) { progress.start(total); }, [&] { progress.step(); }});
    }
    m_fileName.clear();
    if (!loaded) {
        if (loaded.error().problem == album::LoadProblem::Foreign) {
            messages::warning(loaded.error().message);
        } else {
            messages::error(loaded.error().message);
        }
        ClearAlbum();
        GrilleCollecClick();
        return false;
    }
    RedrawAlbum();
    m_fileName = path;
    return true;
}

bool AlbumArea::WriteAlbum(const QString &path)
{
    Result<void> written;
    {
        // The file is written from a copy of the list (entries are shared, not copied), so
        // events processed meanwhile cannot change what is being written.
        const album::AlbumList snapshot = m_images.items();
        ui::BusyCursor hourglass;
        AlbumProgress progress(m_window.progressBar());
        written = album::writeAlbumFile(path, snapshot,
                                        {[&](int total) { progress.start(total); }, [&] { progress.step(); }});
    }
    if (!written)
        messages::error(written.error().message);
    return bool(written);
}

bool AlbumArea::SaveCollecExecute()
{
    if (!isOpen() || isBusy())
        return false;
    const bool wasModified = m_modified;
    m_modified = false; // an edit made while the file is written marks it again
    if (!WriteAlbum(m_fileName)) {
        m_modified = m_modified || wasModified;
        return false;
    }
    return true;
}

bool AlbumArea::askBeforeLeaving()
{
    if (!isOpen() || !m_modified)
        return true;
    switch (messages::confirm(kSaveAlbumQuestion, messages::Buttons::YesNoCancel)) {
    case messages::Answer::Cancel: return false;
    case messages::Answer::Yes: return SaveCollecExecute(); // a failed save stops the command
    default: return true;
    }
}

bool AlbumArea::chooseNewAlbumFile(const QString &title, QString &chosen)
{
    const auto path = m_dialogs->saveAlbumFile(title, existingFolder(m_window.settings().Rep_Collec));
    if (!path)
        return false;
    if (QFileInfo::exists(*path) &&
        messages::confirm(QStringLiteral("Le fichier < %1 > existe déjà\nremplacer le fichier existant ?")
                              .arg(QFileInfo(*path).fileName()),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return false;
    chosen = *path;
    return true;
}

void AlbumArea::NewCollecExecute()
{
    if (isBusy() || !askBeforeLeaving())
        return;
    QString path;
    if (!chooseNewAlbumFile(QStringLiteral("Enregistrer le nouvel album sous..."), path))
        return;
    ClearAlbum();
    m_fileName = path;
    GrilleCollecClick();
    m_modified = false;
}

void AlbumArea::showFirstEntry()
{
    if (!m_images.isEmpty()) {
        m_images.state().currentIndex = 0;
        m_images.state().currentPath = m_images.path(0);
        m_grid->SetSelected(0, true);
    }
    GrilleCollecClick();
}

void AlbumArea::OpenCollecExecute()
{
    if (isBusy() || !askBeforeLeaving())
        return;
    const auto path = m_dialogs->openAlbumFile(QStringLiteral("Ouvrir un album"),
                                               existingFolder(m_window.settings().Rep_Collec));
    if (!path || !QFileInfo(*path).isFile())
        return;
    m_window.setActiveTab(3);
    LoadAlbum(*path);
    showFirstEntry();
    m_modified = false;
}

void AlbumArea::openFromExplorer(const QString &path)
{
    if (isBusy() || !askBeforeLeaving() || !QFileInfo(path).isFile())
        return;
    m_window.setActiveTab(3);
    LoadAlbum(path);
    showFirstEntry();
    m_modified = false;
}

void AlbumArea::SaveCollecAsExecute()
{
    if (!isOpen() || isBusy())
        return;
    QString path;
    if (!chooseNewAlbumFile(QStringLiteral("Enregistrer l'album sous..."), path))
        return;
    m_fileName = path;
    SaveCollecExecute();
}

void AlbumArea::ComboCleExit(const QString &text)
{
    if (m_keywords.addTyped(text, isOpen()))
        m_panel->setKeywordItems(m_keywords.items());
}

void AlbumArea::SpeedDellCleClick()
{
    const int chosen = m_panel->chosenKeyword();
    if (chosen < 0 || chosen >= m_panel->ComboCle->count())
        return;
    const QString keyword = m_panel->ComboCle->itemText(chosen);
    if (messages::confirm(QStringLiteral("Supprimer ce mot clé ?"), messages::Buttons::YesCancel) !=
        messages::Answer::Yes)
        return;
    // The keyword leaves the known keywords; the entries that carry it keep it.
    m_keywords.removeAt(int(m_keywords.items().indexOf(keyword)));
    m_panel->setKeywordItems(m_keywords.items());
    m_panel->clearKeywordText();
}

void AlbumArea::writeKeywordFile() const
{
    album::writeKeywordFile(m_keywordFile, m_keywords); // errors are ignored
}

} // namespace editor
