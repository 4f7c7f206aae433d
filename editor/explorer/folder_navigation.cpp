#include "editor/explorer/folder_navigation.h"

#include "editor/explorer/explorer_dialogs.h"
#include "editor/files/file_operations.h"
#include "editor/explorer/image_explorer.h"
#include "editor/explorer/rename_rules.h"
#include "editor/shell/core/folder_histories.h"
#include "ui/messages.h"

#include <QDir>
#include <QPersistentModelIndex>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QTreeView>

namespace editor {

namespace {

bool isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

} // namespace

void TreeViewFolders::selectFolder(const QString &path)
{
    auto *model = qobject_cast<QFileSystemModel *>(m_tree->model());
    if (!model)
        return;
    // Persistent: making the folder current scans it, and the scan lets events through,
    // during which the model may insert or move rows.
    const QPersistentModelIndex index = model->index(path);
    if (!index.isValid())
        return;
    m_tree->setCurrentIndex(index);
    if (index.isValid())
        m_tree->scrollTo(index);
}

bool TreeViewFolders::selectParent()
{
    const QPersistentModelIndex parent = m_tree->currentIndex().parent();
    if (!parent.isValid())
        return false;
    m_tree->setCurrentIndex(parent);
    if (parent.isValid())
        m_tree->scrollTo(parent);
    return true;
}

FolderNavigation::FolderNavigation(ImageExplorer &explorer, FolderHistories &histories, FolderTree &tree,
                                   ExplorerDialogs &dialogs, QObject *parent)
    : QObject(parent), m_explorer(explorer), m_histories(histories), m_tree(tree), m_dialogs(dialogs)
{
}

void recordFolderHistory(ImageExplorer &explorer, FolderHistories &histories)
{
    QObject::connect(&explorer, &ImageExplorer::folderEntered, &histories,
                     [&histories](const QString &left, const QString &entered) {
                         if (!left.isEmpty() && left != entered)
                             histories.pushBack(left);
                     });
}

bool FolderNavigation::busy() const
{
    return m_explorer.isBusy();
}

void FolderNavigation::ParentDirExecute()
{
    if (!busy())
        m_tree.selectParent();
}

// Selecting the target pushes the folder left onto the back history; that folder then
// moves to the front of the forward history and the target leaves the back history.
void FolderNavigation::BackDirExecute()
{
    if (busy() || m_histories.back().isEmpty())
        return;
    const QString target = m_histories.back().front();
    if (!isFolder(target)) {
        m_histories.removeBack(target);
        return;
    }
    const QString left = m_explorer.currentFolder();
    m_tree.selectFolder(target);
    if (m_explorer.currentFolder() != target)
        return; // the tree did not go there
    if (!left.isEmpty() && left != target) {
        m_histories.removeBack(left);
        m_histories.pushForward(left);
    }
    m_histories.removeBack(target);
}

void FolderNavigation::NextDirExecute()
{
    if (busy() || m_histories.forward().isEmpty())
        return;
    const QString target = m_histories.forward().front();
    if (!isFolder(target)) {
        m_histories.removeForward(target);
        return;
    }
    m_tree.selectFolder(target);
    if (m_explorer.currentFolder() == target)
        m_histories.removeForward(target);
}

void FolderNavigation::NewDirExecute()
{
    if (busy())
        return;
    const auto typed = m_dialogs.askNewFolder();
    if (!typed)
        return;
    const auto path = newFolderPath(m_explorer.currentFolder(), *typed);
    if (!path)
        return;
    QDir().mkpath(*path);
    if (!isFolder(*path)) {
        messages::error(kCannotCreateFolder.arg(QDir::toNativeSeparators(*path)));
        return;
    }
    m_tree.selectFolder(*path);
}

// The parent is shown first, so the folder is no longer in use when it goes to the trash.
// A folder without a parent (the root of a file system) is never deleted.
void FolderNavigation::DelldirExecute()
{
    if (busy())
        return;
    QString folder = m_explorer.currentFolder();
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder.isEmpty() || !isFolder(folder) || !m_tree.selectParent())
        return;
    ShellDeleteFiles({folder});
}

} // namespace editor
