// Moving between folders in the main window: the histories of the back and forward
// commands, the parent folder, new folders (nested, refused, typed with separators) and
// the deletion of the current folder.
#include "editor/explorer/explorer_commands.h"
#include "editor/explorer/explorer_window.h"
#include "editor/explorer/folder_navigation.h"
#include "editor/explorer/file_commands.h"
#include "editor/explorer/form_new_dir.h"
#include "editor/explorer/form_rename.h"
#include "editor/viewer/form_view.h"
#include "editor/grid/grid_slot_view.h"
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "file_ops_test_support.h"
#include "tests/recording_prompter.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace editor;
using namespace fileops_test;

namespace {

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"A", "B", "C", "A/sub"})
            ASSERT_TRUE(QDir(root.path()).mkpath(QString::fromUtf8(name)));
        writePicture(folder("A/sub/plage.jpg"), 30, 20);
        config = std::make_unique<ConfigFile>(configDir.filePath(QStringLiteral("Lumivelle.cfg")));
        window = std::make_unique<TMainLumivelle3000>(*config);
        explorer = installImageExplorer(*window);
        const ExplorerCommands commands = installExplorerCommands(*window, *explorer);
        navigation = commands.navigation;
        files = commands.files;
        choose(folder("A"));
        window->resize(900, 650);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return explorer->currentFolder() == folder("A") && !explorer->isBusy(); }));
        window->histories().clear(); // the start folder was entered from the documents folder
    }

    QString folder(const QString &relative) const { return root.filePath(relative); }
    // A choice in the folder tree, as the user clicks it.
    void choose(const QString &path)
    {
        auto *model = qobject_cast<QFileSystemModel *>(window->folderTree()->model());
        window->folderTree()->setCurrentIndex(model->index(path));
    }
    QString current() const { return explorer->currentFolder(); }
    const QStringList &back() const { return window->histories().back(); }
    const QStringList &forward() const { return window->histories().forward(); }
    void run(CommandId id) { window->command(id).execute(); }

    QTemporaryDir root, configDir;
    RecordingPrompter prompter;
    std::unique_ptr<ConfigFile> config;
    std::unique_ptr<TMainLumivelle3000> window;
    ImageExplorer *explorer = nullptr;
    FolderNavigation *navigation = nullptr;
    FileCommands *files = nullptr;
};

// Closes the next modal window with Escape and tells whether it was the viewer.
void closeNextModalViewer(bool &seen)
{
    QTimer::singleShot(0, [&seen] {
        QWidget *modal = QApplication::activeModalWidget();
        seen = qobject_cast<TFormView *>(modal) != nullptr;
        if (modal)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
}

TEST_F(NavigationTest, BackThenNextReturnsAndEachMoveFeedsTheOtherHistory)
{
    choose(folder("B"));
    choose(folder("C"));
    EXPECT_EQ(back(), (QStringList{folder("B"), folder("A")}));
    EXPECT_TRUE(window->command(CommandId::BackDir).isEnabled());
    EXPECT_FALSE(window->command(CommandId::NextDir).isEnabled());

    run(CommandId::BackDir);
    EXPECT_EQ(current(), folder("B"));
    EXPECT_EQ(back(), QStringList{folder("A")});
    EXPECT_EQ(forward(), QStringList{folder("C")});
    EXPECT_TRUE(window->command(CommandId::NextDir).isEnabled());

    run(CommandId::NextDir);
    EXPECT_EQ(current(), folder("C"));
    EXPECT_EQ(back(), (QStringList{folder("B"), folder("A")}));
    EXPECT_TRUE(forward().isEmpty());
    EXPECT_FALSE(window->command(CommandId::NextDir).isEnabled());

    // A folder chosen in the tree after going back keeps the forward history.
    run(CommandId::BackDir);
    choose(folder("A/sub"));
    EXPECT_EQ(forward(), QStringList{folder("C")});
    EXPECT_EQ(back(), (QStringList{folder("B"), folder("A")}));
    EXPECT_EQ(explorer->list().count(), 1);
}

TEST_F(NavigationTest, AFolderThatVanishedIsDroppedWhenReached)
{
    choose(folder("B"));
    choose(folder("C"));
    ASSERT_TRUE(QDir(folder("B")).removeRecursively());
    run(CommandId::BackDir);
    EXPECT_EQ(current(), folder("C")); // nothing else happens
    EXPECT_EQ(back(), QStringList{folder("A")});
    run(CommandId::BackDir);
    EXPECT_EQ(current(), folder("A"));
    EXPECT_EQ(forward(), QStringList{folder("C")});

    run(CommandId::ParentDir);
    EXPECT_EQ(current(), root.path());
}

TEST_F(NavigationTest, NewDirCreatesNestedFoldersAndGoesThere)
{
    ScriptedDialogs dialogs;
    TreeViewFolders tree(window->folderTree());
    FolderNavigation typed(*explorer, window->histories(), tree, dialogs);
    dialogs.newFolder = QStringLiteral("vacances/2003/");
    typed.NewDirExecute();
    EXPECT_TRUE(QFileInfo(folder("A/vacances")).isDir());
    EXPECT_EQ(current(), folder("A/vacances/2003"));
    EXPECT_EQ(back(), QStringList{folder("A")});

    // Leading blanks and one leading separator are dropped: the folder goes below the current one.
    dialogs.newFolder = QStringLiteral("  /ete");
    typed.NewDirExecute();
    EXPECT_EQ(current(), folder("A/vacances/2003/ete"));

    writeFile(folder("A/vacances/2003/ete/bloc"), "un fichier, pas un dossier");
    dialogs.newFolder = QStringLiteral("bloc/sous");
    typed.NewDirExecute();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("Impossible de créer le dossier < %1 >.").arg(folder("A/vacances/2003/ete/bloc/sous")));
    EXPECT_EQ(current(), folder("A/vacances/2003/ete"));

    dialogs.newFolder = QStringLiteral("   "); // blank: nothing
    typed.NewDirExecute();
    EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(NavigationTest, DeletingTheFolderShowsItsParentFirst)
{
    choose(folder("A/sub"));
    prompter.answers = {messages::Answer::No};
    run(CommandId::Delldir);
    EXPECT_EQ(current(), folder("A"));
    EXPECT_TRUE(QFileInfo(folder("A/sub")).isDir());
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("Voulez-vous vraiment mettre le dossier « sub » et tout son contenu à la corbeille ?"));

    choose(folder("A/sub"));
    run(CommandId::Delldir);
    EXPECT_EQ(current(), folder("A"));
    EXPECT_FALSE(QFileInfo::exists(folder("A/sub")));
}

TEST_F(NavigationTest, FileCommandsFollowTheActiveTabAndFeedThePasteRule)
{
    choose(folder("A/sub"));
    ASSERT_EQ(explorer->list().selectedCount(), 1);
    window->setActiveTab(3);
    run(CommandId::Cut); // cut exists only on the explorer tab
    EXPECT_FALSE(window->currentState().pendingPaste);
    window->setActiveTab(1);
    run(CommandId::Cut);
    EXPECT_TRUE(window->currentState().pendingPaste);
    window->applyMenuRule(MenuId::Edition);
    EXPECT_TRUE(window->command(CommandId::Paste).isEnabled());

    // On the album tab, "Copier des images" takes the album's selection.
    explorer_test::TestList album;
    explorer_test::fill(album, 2);
    album.setPath(1, folder("A/sub/plage.jpg"));
    album.entry(1).selected = true;
    auto *albumGrid = new ThumbnailGrid;
    albumGrid->setList(&album);
    window->setGrid(GridSlot::Album, new GridSlotView(albumGrid, window->settings(), false));
    window->setActiveTab(2);
    run(CommandId::CopyFile);
    EXPECT_EQ(files->pending().operation, TOpFile::Operation::Cut);
    window->setActiveTab(3);
    run(CommandId::CopyFile);
    EXPECT_EQ(files->pending().operation, TOpFile::Operation::Copy);
    EXPECT_EQ(files->pending().files, QStringList{folder("A/sub/plage.jpg")});
    window->setActiveTab(1);
}

TEST_F(NavigationTest, ADoubleClickOnThePreviewOpensTheViewer)
{
    choose(folder("A/sub"));
    ASSERT_FALSE(explorer->preview().isEmpty());
    bool viewerSeen = false;
    closeNextModalViewer(viewerSeen);
    QTest::mouseDClick(explorer->preview().imageView(), Qt::LeftButton);
    EXPECT_TRUE(viewerSeen);

    viewerSeen = false;
    closeNextModalViewer(viewerSeen);
    run(CommandId::VueImage); // F4 on the explorer tab
    EXPECT_TRUE(viewerSeen);
}

TEST(FormRename, DefaultsAndAFieldWithoutANumber)
{
    TFormRename form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Renommer plusieurs images"));
    RenameOptions options = form.values();
    EXPECT_EQ(options.separator, QStringLiteral("_"));
    EXPECT_EQ(options.start, 1);
    EXPECT_FALSE(options.counterBefore);
    form.SpinNum->findChild<QLineEdit *>()->clear();
    form.RadioBefore->setChecked(true);
    options = form.values();
    EXPECT_EQ(options.start, 0);
    EXPECT_TRUE(options.counterBefore);
    form.SpinNum->setValue(-4);
    EXPECT_EQ(form.values().start, -4);
}

TEST(FormNewDir, TheFieldRefusesASeparatorAsItsFirstCharacter)
{
    TFormNewDir form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Créer un nouveau dossier"));
    EXPECT_EQ(newDirExplanation(),
              QStringLiteral("Saisissez le nom du dossier à créer (il est possible de créer un dossier et ses "
                             "sous-dossiers en les séparant avec le caractère \" / \")  "));
    QTest::keyClicks(form.EditDir, QStringLiteral("/vacances/2003/"));
    EXPECT_EQ(form.text(), QStringLiteral("vacances/2003/"));
}

} // namespace
