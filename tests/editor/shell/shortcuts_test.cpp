// Shortcut keys go through the rule of the menu that carries them: a disabled command
// uses up its key and does nothing.
#include "ui/qb_panel.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace editor;

namespace {

struct Counts {
    std::map<CommandId, int> runs;
    void watch(TMainLumivelle3000 &w, std::initializer_list<CommandId> ids)
    {
        for (CommandId id : ids)
            w.command(id).setHandler([this, id] { ++runs[id]; });
    }
    int operator[](CommandId id) { return runs[id]; }
};

} // namespace

class ShortcutTest : public WindowTest {
protected:
    void SetUp() override
    {
        TMainLumivelle3000 &w = openWindow();
        w.stateProvider().explorer = [this] { return explorer; };
        w.stateProvider().slides = [this] { return slides; };
        w.stateProvider().album = [this] { return album; };
        w.stateProvider().showOpen = [this] { return showOpen; };
        w.stateProvider().albumOpen = [this] { return albumOpen; };
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
    }
    void press(QKeyCombination key)
    {
        QTest::keyClick(&window(), key.key(), key.keyboardModifiers());
    }

    ListState explorer, slides, album;
    bool showOpen = false, albumOpen = false;
    Counts counts;
};

TEST_F(ShortcutTest, SelectAllWorksOnlyOnTheExplorerTab)
{
    counts.watch(window(), {CommandId::SelectAll});
    explorer = {true, 0, false};
    window().setActiveTab(2);
    press(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(counts[CommandId::SelectAll], 0);
    window().setActiveTab(1);
    press(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(counts[CommandId::SelectAll], 1);
}

TEST_F(ShortcutTest, CopyWorksOnTheAlbumTabWithASelectionButNotOnTheShowTab)
{
    counts.watch(window(), {CommandId::CopyFile});
    album = {true, 2, false};
    slides = {true, 2, false};
    window().setActiveTab(3);
    press(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(counts[CommandId::CopyFile], 1);
    window().setActiveTab(2);
    press(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(counts[CommandId::CopyFile], 1);
}

TEST_F(ShortcutTest, F2AddsFromTheExplorerAndTheAlbumButNotOnTheShowTab)
{
    counts.watch(window(), {CommandId::Ajouter});
    showOpen = albumOpen = true;
    explorer = {true, 1, false};
    album = {true, 2, false};
    for (int tab : {1, 2, 3}) {
        window().setActiveTab(tab);
        press(QKeyCombination(Qt::Key_F2));
    }
    EXPECT_EQ(counts[CommandId::Ajouter], 2);
    showOpen = false;
    window().setActiveTab(1);
    press(QKeyCombination(Qt::Key_F2));
    EXPECT_EQ(counts[CommandId::Ajouter], 2);
}

TEST_F(ShortcutTest, F4AlwaysRunsTheViewOfTheActiveTab)
{
    counts.watch(window(), {CommandId::VueImageList, CommandId::VueImageScript, CommandId::VueImageCollec});
    for (int tab : {2, 3, 1, 3}) {
        window().setActiveTab(tab);
        press(QKeyCombination(Qt::Key_F4));
    }
    EXPECT_EQ(counts[CommandId::VueImageList], 1);
    EXPECT_EQ(counts[CommandId::VueImageScript], 1);
    EXPECT_EQ(counts[CommandId::VueImageCollec], 2);
}

TEST_F(ShortcutTest, ShiftRotationKeysReachTheActiveTabsRotation)
{
    counts.watch(window(), {CommandId::RotateScriptRight, CommandId::RotateCollecRight, CommandId::RotateCollec180,
                            CommandId::RotateListLeft});
    slides = {true, 1, false};
    album = {true, 1, false};
    explorer = {true, 1, false};
    albumOpen = true;
    window().setActiveTab(2);
    press(Qt::SHIFT | Qt::Key_F10);
    window().setActiveTab(3);
    press(Qt::SHIFT | Qt::Key_F10);
    press(Qt::SHIFT | Qt::Key_F12);
    window().setActiveTab(1);
    press(Qt::SHIFT | Qt::Key_F10);  // no rotation of the show or album from the explorer tab
    press(Qt::CTRL | Qt::Key_F11);
    EXPECT_EQ(counts[CommandId::RotateScriptRight], 1);
    EXPECT_EQ(counts[CommandId::RotateCollecRight], 1);
    EXPECT_EQ(counts[CommandId::RotateCollec180], 1);
    EXPECT_EQ(counts[CommandId::RotateListLeft], 1);
}

TEST_F(ShortcutTest, ADisabledCommandUsesUpItsKeyAndOtherKeysReachTheControls)
{
    auto *edit = new QLineEdit(window().slidePanelPlace());
    edit->setText(QStringLiteral("légende"));
    window().setActiveTab(2);
    edit->show();
    edit->setFocus();
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_EQ(edit->text(), QStringLiteral("légendex"));
}

TEST_F(ShortcutTest, EscapeAsksTheScanToStopAndAltXCloses)
{
    window().scanCancelRequested = false;
    press(QKeyCombination(Qt::Key_Escape));
    EXPECT_TRUE(window().scanCancelRequested);
    press(Qt::ALT | Qt::Key_X);
    EXPECT_FALSE(window().isVisible());
}
