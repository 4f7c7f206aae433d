#pragma once
// Moving between folders: the back and forward histories, the parent folder, creating a
// folder (TFormNewDir) and deleting the current one. The current folder changes only
// through the folder tree: every command here selects a folder in the tree, and the
// explorer shows what the tree selects; each folder left goes to the front of the back
// history.
//
// BackDir and NextDir take the first folder of their history. A folder that has
// disappeared since is dropped from it, and nothing else happens: the user presses the
// command again to go further. A folder chosen directly in the tree keeps the forward
// history.
#include <QObject>
#include <QString>

class QTreeView;

namespace editor {

class ExplorerDialogs;
class FolderHistories;
class ImageExplorer;

// What the commands need of the folder tree.
class FolderTree {
public:
    virtual ~FolderTree() = default;
    // Selects the folder's node; the explorer then shows it unless it refuses (busy).
    virtual void selectFolder(const QString &path) = 0;
    // Selects the parent of the selected node; false when it has none.
    virtual bool selectParent() = 0;
};

// The tree of the main window, a QTreeView over a QFileSystemModel. The model follows the
// file system by itself, so created and deleted folders appear and vanish without a
// rebuild, and expanded branches stay expanded.
class TreeViewFolders final : public FolderTree {
public:
    explicit TreeViewFolders(QTreeView *tree) : m_tree(tree) {}
    void selectFolder(const QString &path) override;
    bool selectParent() override;

private:
    QTreeView *m_tree;
};

// Each folder the tree leaves goes to the front of the back history (not the folder the
// tree starts in, nor a folder selected again).
void recordFolderHistory(ImageExplorer &explorer, FolderHistories &histories);

inline const QString kCannotCreateFolder = QStringLiteral("Impossible de créer le dossier < %1 >.");

class FolderNavigation : public QObject {
    Q_OBJECT
public:
    FolderNavigation(ImageExplorer &explorer, FolderHistories &histories, FolderTree &tree,
                     ExplorerDialogs &dialogs, QObject *parent = nullptr);

    void ParentDirExecute();
    void BackDirExecute();
    void NextDirExecute();
    void NewDirExecute();
    void DelldirExecute();

private:
    bool busy() const;

    ImageExplorer &m_explorer;
    FolderHistories &m_histories;
    FolderTree &m_tree;
    ExplorerDialogs &m_dialogs;
};

} // namespace editor
