// The explorer's file commands on real folders: batch and single renames, cut, copy and
// paste through the pending operation, delete to the trash, and the album copy.
#include "editor/explorer/file_commands.h"
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/editor_settings.h"
#include "explorer_on_screen.h"
#include "file_ops_test_support.h"
#include "tests/recording_prompter.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace editor;
using namespace explorer_test;
using namespace fileops_test;
using messages::Answer;

namespace {

// Answers "&Non" and notes whether the explorer list was busy when asked.
struct BusyProbe final : messages::Prompter {
    explicit BusyProbe(std::function<bool()> isBusy) : busy(std::move(isBusy)) {}
    Answer ask(messages::Kind, const QString &, messages::Buttons) override
    {
        seen.push_back(busy());
        return Answer::No;
    }
    std::function<bool()> busy;
    std::vector<bool> seen;
};

class FileCommandsTest : public ExplorerOnScreenTest {
protected:
    void pictures(const QStringList &names)
    {
        for (const QString &name : names)
            writePicture(file(name), 40, 30);
    }
    void open(const QString &folder) { ASSERT_TRUE(explorer.folderSelected(folder)); }
    void selectAll() { explorer.GrilleImage()->SelectAll(); }
    void select(std::initializer_list<int> indexes)
    {
        explorer.GrilleImage()->DeselectAll();
        for (int i : indexes)
            explorer.GrilleImage()->SetSelected(i, true);
    }
    ExplorerList &list() { return explorer.list(); }

    ScriptedDialogs dialogs;
    FileCommands commands{explorer, dialogs};
    RecordingPrompter prompter;
};

TEST_F(FileCommandsTest, BatchRenamePutsTheCounterAfterOrBeforeAndKeepsEachExtension)
{
    pictures({"b.JPG", "a.png", "c.jpg"});
    open(dir.path());
    list().move(1, 0); // list order b.JPG, a.png, c.jpg
    selectAll();
    dialogs.rename = RenameOptions{QStringLiteral("ete"), QStringLiteral("_"), 8, false};
    commands.Rename_AllExecute();
    EXPECT_EQ(paths(list()), (QStringList{file("ete_8.JPG"), file("ete_9.png"), file("ete_10.jpg")}));
    EXPECT_TRUE(QFile::exists(file("ete_10.jpg")));
    EXPECT_FALSE(QFile::exists(file("b.JPG")));
    EXPECT_EQ(list().state().currentIndex, -1); // laid out again: no current entry
    EXPECT_EQ(selected(list()), (std::vector<int>{0, 1, 2}));

    dialogs.rename->counterBefore = true;
    commands.Rename_AllExecute();
    EXPECT_EQ(paths(list()), (QStringList{file("8_ete.JPG"), file("9_ete.png"), file("10_ete.jpg")}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileCommandsTest, ABatchRenameOntoAnExistingFileFailsAloneAndTheCounterGoesOn)
{
    pictures({"ete_2.jpg", "x.jpg", "y.jpg", "z.jpg"});
    open(dir.path());
    select({1, 2, 3});
    dialogs.rename = RenameOptions{QStringLiteral("ete"), QStringLiteral("_"), 1, false};
    commands.Rename_AllExecute();
    EXPECT_EQ(paths(list()), (QStringList{file("ete_2.jpg"), file("ete_1.jpg"), file("y.jpg"), file("ete_3.jpg")}));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);

    // A blank base name renames nothing.
    prompter.asked.clear();
    dialogs.rename->baseName = QStringLiteral("   ");
    commands.Rename_AllExecute();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Vous n'avez pas saisie de nom pour les notes"));
    EXPECT_TRUE(QFile::exists(file("y.jpg")));

    // One selected entry is not a batch.
    select({2});
    dialogs.rename->baseName = QStringLiteral("seul");
    commands.Rename_AllExecute();
    EXPECT_TRUE(QFile::exists(file("y.jpg")));
}

TEST_F(FileCommandsTest, RenamingTheCurrentFileResetsThePendingOperation)
{
    pictures({"a.jpg", "b.jpg"});
    open(dir.path());
    commands.CopyFileExecute();
    ASSERT_TRUE(commands.pending().pastePossible());

    dialogs.texts = {QString(), QStringLiteral("  ")}; // cancelled, then blank
    commands.RenameFileExecute();
    commands.RenameFileExecute();
    EXPECT_TRUE(commands.pending().pastePossible());
    EXPECT_EQ(dialogs.textTitles.front(), QStringLiteral("Renommer un fichier"));
    EXPECT_EQ(dialogs.textPresets.front(), QStringLiteral("a.jpg"));

    dialogs.texts = {QStringLiteral("plage du nord.jpg")};
    commands.RenameFileExecute();
    EXPECT_EQ(list().path(0), file("plage du nord.jpg"));
    EXPECT_TRUE(QFile::exists(file("plage du nord.jpg")));
    EXPECT_EQ(commands.pending().operation, TOpFile::Operation::None);
    EXPECT_TRUE(commands.pending().files.isEmpty());
    EXPECT_TRUE(list().state().currentPath.isEmpty());
}

TEST_F(FileCommandsTest, ACopyPastesIntoEveryFolderItIsPastedIn)
{
    QTemporaryDir folderA, folderB;
    pictures({"a.jpg", "b.png", "c.jpg"});
    open(dir.path());
    select({0, 2});
    commands.CopyFileExecute();
    EXPECT_EQ(commands.pending().files, (QStringList{file("a.jpg"), file("c.jpg")}));

    open(folderA.path());
    commands.PasteExecute();
    EXPECT_EQ(paths(list()), (QStringList{folderA.filePath("a.jpg"), folderA.filePath("c.jpg")}));
    EXPECT_TRUE(selected(list()).empty()); // a paste rescans with nothing selected
    open(folderB.path());
    commands.PasteExecute();
    EXPECT_EQ(list().count(), 2);
    EXPECT_TRUE(QFile::exists(folderB.filePath("c.jpg")));
    EXPECT_TRUE(QFile::exists(file("c.jpg")));
    EXPECT_TRUE(prompter.asked.empty());

    // Pasting again asks before replacing, with the list busy meanwhile.
    BusyProbe probe{[&] { return explorer.isBusy(); }};
    messages::ScopedPrompter answering(probe);
    commands.PasteExecute();
    EXPECT_EQ(probe.seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(explorer.isBusy());
}

TEST_F(FileCommandsTest, CutMovesAndACutIntoTheSameFolderIsReported)
{
    QTemporaryDir other;
    pictures({"a.jpg", "b.jpg"});
    open(dir.path());
    select({1});
    commands.CutExecute();
    commands.PasteExecute(); // same folder: the conflict is reported, not an abort
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_EQ(list().count(), 2);

    open(other.path());
    commands.PasteExecute();
    EXPECT_EQ(paths(list()), QStringList{other.filePath("b.jpg")});
    EXPECT_FALSE(QFile::exists(file("b.jpg")));
}

TEST_F(FileCommandsTest, ADeclinedDeleteKeepsEveryEntryAndAnAcceptedOneEmptiesTheirPlaces)
{
    pictures({"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg"});
    open(dir.path());
    select({0, 1, 2, 3, 4});
    prompter.answers = {Answer::No};
    commands.DellFileExecute();
    EXPECT_EQ(list().count(), 6);
    EXPECT_EQ(selected(list()).size(), 5u);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Voulez-vous vraiment mettre ces 5 éléments à la corbeille ?"));

    QSignalSpy counts(&explorer, &ImageExplorer::countChanged);
    select({1, 3});
    commands.DellFileExecute();
    EXPECT_EQ(paths(list()), (QStringList{file("1.jpg"), file("3.jpg"), file("5.jpg"), file("6.jpg")}));
    EXPECT_FALSE(QFile::exists(file("2.jpg")));
    EXPECT_TRUE(PrivateTrash::trashedNames().contains(QStringLiteral("4.jpg")));
    EXPECT_TRUE(list().state().currentPath.isEmpty());
    EXPECT_TRUE(explorer.preview().isEmpty());
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_EQ(counts.last().at(0).toString(), QStringLiteral(" 4 élément(s) trouvé(s)"));
}

TEST_F(FileCommandsTest, AlbumImagesThatVanishedAreLeftOutOfTheCopy)
{
    pictures({"a.jpg", "b.jpg"});
    TestList album;
    fill(album, 3);
    album.setPath(0, file("a.jpg"));
    album.setPath(2, file("b.jpg"));
    for (int i = 0; i < 3; ++i)
        album.entry(i).selected = true;
    commands.copyAlbumImages(album);
    EXPECT_EQ(commands.pending().operation, TOpFile::Operation::Copy);
    EXPECT_EQ(commands.pending().files, (QStringList{file("a.jpg"), file("b.jpg")}));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Information);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("Certains fichiers n'existent plus à l'emplacement spécifié et n'ont pas été ajoutés"));

    album.state().busy = true; // a busy list keeps the pending operation as it was
    commands.pending().reset();
    commands.copyAlbumImages(album);
    EXPECT_FALSE(commands.pending().pastePossible());
}

} // namespace
