#pragma once
// The explorer's file commands: cut, copy and paste through the pending operation
// TOpFile, delete to the trash, rename one file, rename a selection with a counter, and
// the copy of album images for a paste in the explorer. Each checks its own conditions
// on the lists and does nothing when they are not met; the window checks the active tab.
#include "editor/files/pending_file_operation.h"

namespace editor {

class ExplorerDialogs;
class GridList;
class ImageExplorer;

class FileCommands {
public:
    FileCommands(ImageExplorer &explorer, ExplorerDialogs &dialogs) : m_explorer(explorer), m_dialogs(dialogs) {}

    TOpFile &pending() { return m_pending; }
    const TOpFile &pending() const { return m_pending; }

    void CutExecute();
    void CopyFileExecute();
    // CopyFile on the album tab: the selected album images whose files exist.
    void copyAlbumImages(const GridList &album);
    void PasteExecute();
    void DellFileExecute();
    void RenameFileExecute();
    void Rename_AllExecute();

private:
    void takeSelection(TOpFile::Operation operation);
    bool explorerHasSelection() const;

    ImageExplorer &m_explorer;
    ExplorerDialogs &m_dialogs;
    TOpFile m_pending;
};

} // namespace editor
