#include "editor/explorer/file_commands.h"

#include "base/path_identity.h"
#include "editor/explorer/explorer_dialogs.h"
#include "editor/files/file_operations.h"
#include "editor/explorer/image_explorer.h"
#include "editor/explorer/rename_rules.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QFileInfo>

namespace editor {

namespace {

const QString kMissingAlbumFiles =
    QStringLiteral("Certains fichiers n'existent plus à l'emplacement spécifié et n'ont pas été ajoutés");
const QString kNoBaseName = QStringLiteral("Vous n'avez pas saisie de nom pour les notes");

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

std::vector<int> selectedIndexes(const GridList &list)
{
    std::vector<int> indexes;
    for (int i = 0; i < list.count(); ++i)
        if (list.entry(i).selected)
            indexes.push_back(i);
    return indexes;
}

// Sets a list's busy flag for the length of a scope.
class BusyFlag {
public:
    explicit BusyFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~BusyFlag() { m_flag = false; }
    BusyFlag(const BusyFlag &) = delete;
    BusyFlag &operator=(const BusyFlag &) = delete;

private:
    bool &m_flag;
};

} // namespace

bool FileCommands::explorerHasSelection() const
{
    const ExplorerList &list = m_explorer.list();
    return !list.isEmpty() && list.selectedCount() > 0 && !m_explorer.isBusy();
}

void FileCommands::takeSelection(TOpFile::Operation operation)
{
    if (!explorerHasSelection())
        return;
    m_pending.reset();
    const ExplorerList &list = m_explorer.list();
    for (int i : selectedIndexes(list))
        m_pending.files << list.path(i);
    m_pending.operation = operation;
}

void FileCommands::CutExecute()
{
    takeSelection(TOpFile::Operation::Cut);
}

void FileCommands::CopyFileExecute()
{
    takeSelection(TOpFile::Operation::Copy);
}

void FileCommands::copyAlbumImages(const GridList &album)
{
    if (album.isEmpty() || album.selectedCount() == 0 || album.state().busy)
        return;
    m_pending.reset();
    bool missing = false;
    for (int i : selectedIndexes(album)) {
        if (exists(album.path(i)))
            m_pending.files << album.path(i);
        else
            missing = true;
    }
    if (missing)
        messages::information(kMissingAlbumFiles);
    m_pending.operation = TOpFile::Operation::Copy;
}

// The list counts as busy while the files move: the copy's progress lets events through,
// and no other command may touch the list or change the folder meanwhile. The scan that
// follows clears the scan-cancel flag.
void FileCommands::PasteExecute()
{
    const QString folder = m_explorer.currentFolder();
    if (!m_pending.pastePossible() || m_explorer.isBusy() || folder.isEmpty())
        return;
    bool done = false;
    {
        BusyFlag busy(m_explorer.list().state().busy);
        done = m_pending.operation == TOpFile::Operation::Cut ? ShellMoveFiles(m_pending.files, folder)
                                                               : ShellCopyFiles(m_pending.files, folder);
    }
    if (done)
        m_explorer.ScanFolder(ImageExplorer::ScanStart::Other);
}

// The entries of the files the delete took away leave the list; a file that is still
// there (the trash refused it and the user kept it) keeps its entry.
void FileCommands::DellFileExecute()
{
    if (!explorerHasSelection())
        return;
    ExplorerList &list = m_explorer.list();
    const std::vector<int> chosen = selectedIndexes(list);
    QStringList paths;
    std::vector<bool> existedBefore;
    for (int i : chosen) {
        paths << list.path(i);
        existedBefore.push_back(exists(list.path(i)));
    }
    const bool aborted = !ShellDeleteFiles(paths);
    bool removed = false;
    for (std::size_t k = chosen.size(); k-- > 0;) {
        if (exists(paths[qsizetype(k)]) || (aborted && !existedBefore[k]))
            continue;
        list.removeAt(chosen[k]);
        removed = true;
    }
    if (!removed)
        return;
    list.state().currentPath.clear();
    m_explorer.preview().clear();
    m_explorer.GrilleImage()->LayoutGrid();
    emit m_explorer.countChanged(explorerCountText(list.count()));
}

void FileCommands::RenameFileExecute()
{
    ExplorerList &list = m_explorer.list();
    const QString oldPath = list.state().currentPath;
    if (!QFileInfo(oldPath).isFile() || m_explorer.isBusy())
        return;
    const auto answer = m_dialogs.askText(QStringLiteral("Renommer un fichier"), QStringLiteral("Nouveau nom"),
                                          QFileInfo(oldPath).fileName());
    if (!answer || answer->trimmed().isEmpty())
        return;
    m_pending.reset();
    const QString newPath = folderWithSeparator(oldPath) + *answer;
    if (!ShellRenameFile(oldPath, newPath))
        return;
    for (int i = 0; i < list.count(); ++i) {
        if (samePath(list.path(i), oldPath)) {
            list.setPath(i, newPath);
            m_explorer.GrilleImage()->LayoutGrid();
            break;
        }
    }
}

void FileCommands::Rename_AllExecute()
{
    ExplorerList &list = m_explorer.list();
    if (list.isEmpty() || list.selectedCount() < 2 || m_explorer.isBusy())
        return;
    const auto options = m_dialogs.askBatchRename();
    if (!options)
        return;
    if (options->baseName.trimmed().isEmpty()) {
        messages::plain(kNoBaseName);
        return;
    }
    qint64 counter = options->start;
    ui::BusyCursor hourglass;
    for (int i : selectedIndexes(list)) {
        const QString newPath = batchRenamedPath(list.path(i), *options, counter++);
        if (ShellRenameFile(list.path(i), newPath))
            list.setPath(i, newPath);
    }
    m_explorer.GrilleImage()->LayoutGrid();
}

} // namespace editor
