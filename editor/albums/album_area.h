#pragma once
// The album tab: the open album (file name, modified flag, its images and their
// GridListState), the grid GrilleCollec with its context menu, the information panel,
// the known keywords, and the handlers of every album command: creating, opening and
// saving albums, adding, removing, refreshing and moving images, copying fields, the
// search and the album explorer; also the EXIF report of the explorer's current picture.
//
// Long loops (loading, saving, adding) keep the window responsive: they process pending
// events as they go, with the album's busy flag set so that no command acts on a
// half-built album.
#include "editor/albums/album_images.h"
#include "documents/album/keywords.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace editor {

class AlbumDialogs;
class AlbumPanel;
class TFormCollecExplorer;
class TMainLumivelle3000;
class ThumbnailGrid;

class AlbumArea : public QObject {
    Q_OBJECT
public:
    AlbumArea(TMainLumivelle3000 &window, std::unique_ptr<AlbumDialogs> dialogs, QString keywordFile);
    ~AlbumArea() override;

    AlbumImages &images() { return m_images; }
    ThumbnailGrid *GrilleCollec() const { return m_grid; }
    AlbumPanel *panel() const { return m_panel; }
    album::KeywordList &keywords() { return m_keywords; }
    QString fileName() const { return m_fileName; }
    bool isOpen() const { return !m_fileName.isEmpty(); }
    bool isModified() const { return m_modified; }
    bool isBusy() const { return m_images.state().busy; }
    void markModified() { m_modified = true; }
    TFormCollecExplorer *collecExplorer() const;

    // --- the album itself ---
    void ClearAlbum();
    void RedrawAlbum();
    // Loads the file (the previous album is discarded first); on failure reports it and
    // leaves no album open.
    bool LoadAlbum(const QString &path);
    // Writes the album; reports a failure. True when the file was written.
    bool WriteAlbum(const QString &path);
    // The question before leaving a modified album. False when the command must stop:
    // the user cancelled, or said yes and the save failed.
    bool askBeforeLeaving();

    // --- commands ---
    void NewCollecExecute();
    void OpenCollecExecute();
    bool SaveCollecExecute();
    void SaveCollecAsExecute();
    void AddCollecExecute();
    void AddFileCollecExecute();
    void DellCollecExecute();
    void RefreshVignetteCollecExecute();
    void AllInfoCollecExecute();
    void ModPathExecute();
    void ExplorerCollecExecute();
    void SerachCollecExecute();
    void ExifExecute();
    void GrilleCollecClick();
    // Opening an album chosen in the album explorer.
    void openFromExplorer(const QString &path);

    // --- keywords ---
    void ComboCleExit(const QString &text);
    void SpeedDellCleClick();
    QString keywordFile() const { return m_keywordFile; }
    void writeKeywordFile() const;

private:
    void connectGrid();
    void connectPanel();
    void fieldEdited(album::AlbumField field, const QString &text);
    void showFirstEntry();
    bool chooseNewAlbumFile(const QString &title, QString &chosen);
    const GridList *explorerList() const;

    TMainLumivelle3000 &m_window;
    std::unique_ptr<AlbumDialogs> m_dialogs;
    AlbumImages m_images;
    ThumbnailGrid *m_grid;
    AlbumPanel *m_panel;
    album::KeywordList m_keywords;
    QString m_keywordFile;
    QString m_fileName;
    bool m_modified = false;
    QPointer<TFormCollecExplorer> m_explorer;
};

// Puts the album tab into the window: the grid, the panel, the commands and their part
// of the enabling rules, the closing question, and the keyword file (read now, written
// at exit beside the program, or in the user's configuration folder when the program's
// folder cannot be written). The area lives as long as the window.
AlbumArea *installAlbumArea(TMainLumivelle3000 &window);
// The same with other dialogs and another keyword file (tests).
AlbumArea *installAlbumArea(TMainLumivelle3000 &window, std::unique_ptr<AlbumDialogs> dialogs,
                            const QString &keywordFile);

} // namespace editor
