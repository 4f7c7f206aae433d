// Every row of the enabling-rule table: a state in which the row's commands are enabled,
// the single changes that must disable them, and changes that must not.
#include "editor/shell/core/enabling_rules.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>

using namespace editor;

namespace {

using C = CommandId;
using Change = std::function<void(CommandState &)>;
struct Named {
    const char *name;
    Change change;
};

Named tab(int t) { return {t == 1 ? "T1" : t == 2 ? "T2" : "T3", [t](CommandState &s) { s.tab = t; }}; }
Named e(int n) { return {"e", [n](CommandState &s) { s.explorer.selected = n; }}; }
Named s(int n) { return {"s", [n](CommandState &st) { st.slides.selected = n; }}; }
Named a(int n) { return {"a", [n](CommandState &s) { s.album.selected = n; }}; }
const Named noE{"not E", [](CommandState &s) { s.explorer = {}; }};
const Named noL{"not L", [](CommandState &s) { s.slides = {}; }};
const Named noM{"not M", [](CommandState &s) { s.album = {}; }};
const Named bE{"bE", [](CommandState &s) { s.explorer.busy = true; }};
const Named bS{"bS", [](CommandState &s) { s.slides.busy = true; }};
const Named bA{"bA", [](CommandState &s) { s.album.busy = true; }};
const Named noS{"not S", [](CommandState &s) { s.showOpen = false; }};
const Named noA{"not A", [](CommandState &s) { s.albumOpen = false; }};
const Named noP{"not P", [](CommandState &s) { s.pendingPaste = false; }};

struct Row {
    const char *label;
    MenuId menu;
    std::vector<CommandId> commands;
    std::vector<Named> setup;      // from the full state: one entry selected everywhere
    std::vector<Named> disablers;  // each alone disables the commands
    std::vector<Named> keepers;    // each alone keeps them enabled
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.label;
}

CommandState fullState()
{
    CommandState st;
    st.explorer = {true, 1, false};
    st.slides = {true, 1, false};
    st.album = {true, 1, false};
    st.showOpen = st.albumOpen = st.pendingPaste = true;
    return st;
}

const std::vector<Row> &rows()
{
    static const std::vector<Row> table = {
        {"save show", MenuId::Fichier, {C::SaveProjet, C::SaveProjetAs}, {}, {noS}, {tab(2), tab(3), noL}},
        {"save album", MenuId::Fichier, {C::SaveCollec, C::SaveCollecAs}, {}, {noA}, {tab(2), noM}},
        {"rename", MenuId::Fichier, {C::RenameFile}, {tab(1)}, {tab(2), tab(3), noE, e(0), e(2), bE}, {}},
        {"rename all", MenuId::Fichier, {C::Rename_All}, {tab(1), e(2)}, {tab(2), tab(3), noE, e(1), bE}, {e(7)}},
        {"delete files", MenuId::Fichier, {C::DellFile}, {tab(1)}, {tab(2), tab(3), noE, e(0), bE}, {e(3)}},
        {"folders", MenuId::Fichier, {C::NewDir, C::Delldir}, {tab(1)}, {tab(2), tab(3), bE}, {noE}},
        {"new folder, refresh", MenuId::Edition, {C::NewDir, C::Actualiser}, {tab(1)}, {tab(2), tab(3), bE}, {noE}},
        {"select all", MenuId::Edition, {C::SelectAll}, {tab(1)}, {tab(2), tab(3), noE, bE}, {e(0)}},
        {"unselect all", MenuId::Edition, {C::UnSelectAll}, {tab(1)}, {tab(2), tab(3), noE, e(0), bE}, {e(4)}},
        {"invert, cut", MenuId::Edition, {C::InvertSelect, C::Cut}, {tab(1)}, {tab(2), tab(3), e(0), bE}, {e(3)}},
        {"copy explorer", MenuId::Edition, {C::CopyFile}, {tab(1), noM}, {tab(2), tab(3), e(0), bE}, {e(2)}},
        {"copy album", MenuId::Edition, {C::CopyFile}, {tab(3), a(2), noE}, {tab(2), noM, a(0), bA}, {bE, noA}},
        {"paste", MenuId::Edition, {C::Paste}, {tab(1)}, {tab(2), tab(3), noP, bE}, {noE}},
        {"one explorer image", MenuId::Explorateur,
         {C::VueImageList, C::RetoucherList, C::RotateListRight, C::RotateListLeft, C::RotateList180, C::Exif},
         {tab(1)}, {tab(2), tab(3), noE, e(0), e(2), bE}, {}},
        {"explorer selection", MenuId::Explorateur, {C::RefreshVignette, C::RescalePict, C::ConvertJPG},
         {tab(1)}, {tab(2), tab(3), noE, e(0), bE}, {e(4)}},
        {"instant show, explorer", MenuId::Explorateur, {C::LumivelleRapide}, {tab(1)}, {tab(2), tab(3), noE, bE}, {e(0)}},
        {"instant show, show", MenuId::Lumivelle, {C::LumivelleRapide}, {tab(2)}, {tab(1), tab(3), noL, bS}, {noS, s(0)}},
        {"remove, apply style", MenuId::Lumivelle, {C::Supprimer, C::AllStyle_Image}, {tab(2)},
         {tab(1), tab(3), noS, s(0), bS}, {s(3)}},
        {"refresh, paths", MenuId::Lumivelle, {C::RefreshVignetteLumiv, C::ModPath_S}, {tab(2)},
         {tab(1), tab(3), noL, s(0), bS}, {noS, s(3)}},
        {"one slide", MenuId::Lumivelle,
         {C::RetoucherScript, C::VueImageScript, C::RotateScriptRight, C::RotateScriptLeft, C::RotateScript180},
         {tab(2)}, {tab(1), tab(3), noL, s(0), s(2), bS}, {}},
        {"build", MenuId::Lumivelle, {C::Lumivelle, C::LumivelleWeb}, {tab(2)}, {tab(1), tab(3), noS, noL, bS}, {s(0)}},
        {"show options", MenuId::Lumivelle, {C::OptionLumivelle}, {tab(2)}, {tab(1), tab(3), noS}, {noL, bS}},
        {"add from files", MenuId::Lumivelle, {C::AddFileLumiv}, {tab(2)}, {tab(1), tab(3), noS, bS}, {noL}},
        {"add on explorer tab", MenuId::Lumivelle, {C::Ajouter}, {tab(1)}, {noS, e(0), bE, tab(2)}, {noA, bA}},
        {"add on album tab", MenuId::Lumivelle, {C::Ajouter}, {tab(3)}, {noS, noA, a(0), bA, tab(2)}, {bE, e(0)}},
        {"add to album", MenuId::Album, {C::AddCollec}, {tab(1)}, {tab(2), tab(3), noA, e(0), bA}, {noM}},
        {"album selection", MenuId::Album, {C::DellCollec, C::RefreshVignetteCollec}, {tab(3)},
         {tab(1), tab(2), noA, a(0), bA}, {a(4)}},
        {"one album image", MenuId::Album,
         {C::AllInfoCollec, C::RetoucherCollec, C::RotateCollecRight, C::RotateCollecLeft, C::RotateCollec180,
          C::VueImageCollec},
         {tab(3)}, {tab(1), tab(2), noA, a(0), a(2), bA}, {}},
        {"search", MenuId::Album, {C::SerachCollec}, {tab(3)}, {tab(1), tab(2), noM}, {bA, a(0)}},
        {"album paths", MenuId::Album, {C::ModPath}, {tab(3)}, {tab(1), tab(2), noA, noM, a(0), bA}, {a(3)}},
        {"album add from files", MenuId::Album, {C::AddFileCollec}, {tab(3)}, {tab(1), tab(2), noA, bA}, {noM}},
        {"instant show, album", MenuId::Album, {C::LumivelleRapide}, {tab(3)}, {tab(1), tab(2), noM, bA}, {a(0)}},
        {"popup select all", MenuId::PopupListFile, {C::SelectAll}, {}, {noE, bE}, {tab(2), e(0)}},
        {"popup selection", MenuId::PopupListFile,
         {C::InvertSelect, C::Cut, C::CopyFile, C::DellFile, C::RescalePict, C::ConvertJPG}, {}, {e(0), bE}, {tab(3), e(5)}},
        {"popup paste", MenuId::PopupListFile, {C::Paste}, {}, {noP}, {bE, tab(2)}},
        {"popup one image", MenuId::PopupListFile, {C::RenameFile, C::VueImageList, C::RetoucherList, C::Exif}, {},
         {noE, e(0), e(2), bE}, {tab(2)}},
        {"popup rename all", MenuId::PopupListFile, {C::Rename_All}, {e(2)}, {e(1), bE}, {e(9)}},
        {"popup refresh", MenuId::PopupListFile, {C::RefreshVignette}, {}, {noE, e(0), bE}, {e(2)}},
        {"popup add to show", MenuId::PopupListFile, {C::Ajouter}, {}, {noS, e(0), bE}, {tab(2), bS}},
        {"popup add to album", MenuId::PopupListFile, {C::AddCollec}, {}, {noA, e(0), bE}, {bA}},
        {"popup slides", MenuId::PopupListScript, {C::Supprimer, C::RefreshVignetteLumiv, C::ModPath_S}, {},
         {noS, s(0), bS}, {s(3), tab(1)}},
        {"popup one slide", MenuId::PopupListScript, {C::AllStyle_Image, C::VueImageScript, C::RetoucherScript}, {},
         {noS, s(0), s(2), bS}, {}},
        {"popup album add to show", MenuId::PopupCollec, {C::Ajouter}, {}, {noS, noA, a(0), bA}, {bE, a(2)}},
        {"popup album selection", MenuId::PopupCollec, {C::DellCollec, C::RefreshVignetteCollec, C::ModPath}, {},
         {noA, a(0), bA}, {a(3)}},
        {"popup one album image", MenuId::PopupCollec, {C::VueImageCollec, C::AllInfoCollec, C::RetoucherCollec}, {},
         {noA, a(0), a(2), bA}, {}},
    };
    return table;
}

CommandState apply(const std::vector<Named> &changes, CommandState st = fullState())
{
    for (const Named &c : changes)
        c.change(st);
    return st;
}

class EnablingRuleRow : public ::testing::TestWithParam<Row> {};

} // namespace

TEST_P(EnablingRuleRow, EnablesOnlyWhenEveryConditionHolds)
{
    const Row &row = GetParam();
    const CommandState enabledState = apply(row.setup);
    for (CommandId id : row.commands)
        EXPECT_EQ(evaluateMenuRule(row.menu, enabledState).enabledOf(id), true) << commandInfo(id).name;
    for (const Named &breaker : row.disablers) {
        const MenuRuleResult rule = evaluateMenuRule(row.menu, apply({breaker}, enabledState));
        for (CommandId id : row.commands)
            EXPECT_EQ(rule.enabledOf(id), false) << commandInfo(id).name << " with " << breaker.name;
    }
    for (const Named &keeper : row.keepers) {
        const MenuRuleResult rule = evaluateMenuRule(row.menu, apply({keeper}, enabledState));
        for (CommandId id : row.commands)
            EXPECT_EQ(rule.enabledOf(id), true) << commandInfo(id).name << " with " << keeper.name;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRow, EnablingRuleRow, ::testing::ValuesIn(rows()),
                         [](const auto &info) {
                             std::string name;
                             for (char c : std::string(info.param.label))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(EnablingRules, EachMenuRuleCoversExactlyItsRowsAndLeavesOtherCommandsAlone)
{
    std::map<MenuId, QSet<int>> expected;
    for (const Row &row : rows())
        for (CommandId id : row.commands)
            expected[row.menu].insert(int(id));
    expected[MenuId::Edition].insert(int(C::NewDir)); // one rule row for two menus
    for (MenuId menu : {MenuId::Fichier, MenuId::Edition, MenuId::Explorateur, MenuId::Lumivelle, MenuId::Album,
                        MenuId::Outils, MenuId::Aide, MenuId::PopupListFile, MenuId::PopupListScript,
                        MenuId::PopupCollec, MenuId::PopupDirTree, MenuId::PopupMenuView}) {
        QSet<int> covered;
        for (const auto &[id, flag] : evaluateMenuRule(menu, fullState()).enabled)
            covered.insert(int(id));
        EXPECT_EQ(covered, expected[menu]) << menuObjectName(menu);
    }
}

TEST(EnablingRules, AddToShowIsNeverEnabledOnTheShowTab)
{
    CommandState st = fullState();
    st.tab = 2;
    st.explorer.selected = st.album.selected = 5;
    EXPECT_EQ(evaluateMenuRule(MenuId::Lumivelle, st).enabledOf(C::Ajouter), false);
}

TEST(EnablingRules, ToolsMenuShowsThePreviewSetting)
{
    CommandState st;
    st.apercu = false;
    EXPECT_EQ(evaluateMenuRule(MenuId::Outils, st).apercuChecked, false);
    st.apercu = true;
    EXPECT_EQ(evaluateMenuRule(MenuId::Outils, st).apercuChecked, true);
    EXPECT_EQ(evaluateMenuRule(MenuId::Fichier, st).apercuChecked, std::nullopt);
}

TEST(EnablingRules, RetouchItemsFollowTheNameInTheirSixMenus)
{
    for (MenuId menu : {MenuId::Explorateur, MenuId::Lumivelle, MenuId::Album, MenuId::PopupListFile,
                        MenuId::PopupListScript, MenuId::PopupCollec})
        EXPECT_TRUE(menuShowsRetouchItem(menu));
    for (MenuId menu : {MenuId::Fichier, MenuId::Edition, MenuId::Outils, MenuId::Aide, MenuId::PopupDirTree})
        EXPECT_FALSE(menuShowsRetouchItem(menu));
}
