#include "editor/shell/core/enabling_rules.h"

#include <initializer_list>

namespace editor {

namespace {

using C = CommandId;

class RuleBuilder {
public:
    void set(std::initializer_list<CommandId> ids, bool enabled)
    {
        for (CommandId id : ids)
            m_result.enabled.emplace_back(id, enabled);
    }
    MenuRuleResult &result() { return m_result; }

private:
    MenuRuleResult m_result;
};

// The usual conditions on one list: not empty, a selection of some size, not busy.
bool one(const ListState &list) { return list.notEmpty && list.selected == 1 && !list.busy; }
bool some(const ListState &list) { return list.notEmpty && list.selected >= 1 && !list.busy; }

void fichier(RuleBuilder &r, const CommandState &s)
{
    const bool t1 = s.tab == 1;
    const ListState &e = s.explorer;
    r.set({C::SaveProjet, C::SaveProjetAs}, s.showOpen);
    r.set({C::SaveCollec, C::SaveCollecAs}, s.albumOpen);
    r.set({C::RenameFile}, t1 && one(e));
    r.set({C::Rename_All}, t1 && e.notEmpty && e.selected >= 2 && !e.busy);
    r.set({C::DellFile}, t1 && some(e));
    r.set({C::NewDir, C::Delldir}, t1 && !e.busy);
}

void edition(RuleBuilder &r, const CommandState &s)
{
    const bool t1 = s.tab == 1;
    const ListState &e = s.explorer;
    const bool explorerSelection = t1 && e.selected >= 1 && !e.busy;
    r.set({C::NewDir, C::Actualiser}, t1 && !e.busy);
    r.set({C::SelectAll}, t1 && e.notEmpty && !e.busy);
    r.set({C::UnSelectAll}, t1 && some(e));
    r.set({C::InvertSelect, C::Cut}, explorerSelection);
    r.set({C::CopyFile}, explorerSelection || (s.tab == 3 && some(s.album)));
    r.set({C::Paste}, t1 && s.pendingPaste && !e.busy);
}

void explorateur(RuleBuilder &r, const CommandState &s)
{
    const bool t1 = s.tab == 1;
    const ListState &e = s.explorer;
    r.set({C::VueImageList, C::RetoucherList, C::RotateListRight, C::RotateListLeft,
           C::RotateList180, C::Exif},
          t1 && one(e));
    r.set({C::RefreshVignette, C::RescalePict, C::ConvertJPG}, t1 && some(e));
    r.set({C::LumivelleRapide}, t1 && e.notEmpty && !e.busy);
}

bool addToShowEnabled(const CommandState &s)
{
    switch (s.tab) {
    case 1: return s.showOpen && s.explorer.selected >= 1 && !s.explorer.busy;
    case 3: return s.showOpen && s.albumOpen && s.album.selected >= 1 && !s.album.busy;
    default: return false;
    }
}

void lumivelle(RuleBuilder &r, const CommandState &s)
{
    const bool t2 = s.tab == 2;
    const ListState &l = s.slides;
    r.set({C::LumivelleRapide}, t2 && l.notEmpty && !l.busy);
    r.set({C::Supprimer, C::AllStyle_Image}, t2 && s.showOpen && l.selected >= 1 && !l.busy);
    r.set({C::RefreshVignetteLumiv, C::ModPath_S}, t2 && some(l));
    r.set({C::RetoucherScript, C::VueImageScript, C::RotateScriptRight, C::RotateScriptLeft,
           C::RotateScript180},
          t2 && one(l));
    r.set({C::Lumivelle, C::LumivelleWeb}, t2 && s.showOpen && l.notEmpty && !l.busy);
    r.set({C::OptionLumivelle}, t2 && s.showOpen);
    r.set({C::AddFileLumiv}, t2 && s.showOpen && !l.busy);
    r.set({C::Ajouter}, addToShowEnabled(s));
}

void album(RuleBuilder &r, const CommandState &s)
{
    const bool t3 = s.tab == 3;
    const bool a = s.albumOpen;
    const ListState &m = s.album;
    r.set({C::AddCollec}, s.tab == 1 && a && s.explorer.selected >= 1 && !m.busy);
    r.set({C::DellCollec, C::RefreshVignetteCollec}, t3 && a && m.selected >= 1 && !m.busy);
    r.set({C::AllInfoCollec, C::RetoucherCollec, C::RotateCollecRight, C::RotateCollecLeft,
           C::RotateCollec180, C::VueImageCollec},
          t3 && a && m.selected == 1 && !m.busy);
    r.set({C::SerachCollec}, t3 && m.notEmpty);
    r.set({C::ModPath}, t3 && a && some(m));
    r.set({C::AddFileCollec}, t3 && a && !m.busy);
    r.set({C::LumivelleRapide}, t3 && m.notEmpty && !m.busy);
}

void popupListFile(RuleBuilder &r, const CommandState &s)
{
    const ListState &e = s.explorer;
    const bool selection = e.selected >= 1 && !e.busy;
    r.set({C::SelectAll}, e.notEmpty && !e.busy);
    r.set({C::InvertSelect, C::Cut, C::CopyFile, C::DellFile, C::RescalePict, C::ConvertJPG},
          selection);
    r.set({C::Paste}, s.pendingPaste);
    r.set({C::RenameFile, C::VueImageList, C::RetoucherList, C::Exif}, one(e));
    r.set({C::Rename_All}, e.selected >= 2 && !e.busy);
    r.set({C::RefreshVignette}, some(e));
    r.set({C::Ajouter}, s.showOpen && selection);
    r.set({C::AddCollec}, s.albumOpen && selection);
}

void popupListScript(RuleBuilder &r, const CommandState &s)
{
    const ListState &l = s.slides;
    r.set({C::Supprimer, C::RefreshVignetteLumiv, C::ModPath_S},
          s.showOpen && l.selected >= 1 && !l.busy);
    r.set({C::AllStyle_Image, C::VueImageScript, C::RetoucherScript},
          s.showOpen && l.selected == 1 && !l.busy);
}

void popupCollec(RuleBuilder &r, const CommandState &s)
{
    const ListState &m = s.album;
    const bool a = s.albumOpen;
    r.set({C::Ajouter}, s.showOpen && a && m.selected >= 1 && !m.busy);
    r.set({C::DellCollec, C::RefreshVignetteCollec, C::ModPath}, a && m.selected >= 1 && !m.busy);
    r.set({C::VueImageCollec, C::AllInfoCollec, C::RetoucherCollec},
          a && m.selected == 1 && !m.busy);
}

} // namespace

std::optional<bool> MenuRuleResult::enabledOf(CommandId id) const
{
    for (const auto &[command, flag] : enabled)
        if (command == id)
            return flag;
    return std::nullopt;
}

MenuRuleResult evaluateMenuRule(MenuId menu, const CommandState &state)
{
    RuleBuilder rule;
    switch (menu) {
    case MenuId::Fichier: fichier(rule, state); break;
    case MenuId::Edition: edition(rule, state); break;
    case MenuId::Explorateur: explorateur(rule, state); break;
    case MenuId::Lumivelle: lumivelle(rule, state); break;
    case MenuId::Album: album(rule, state); break;
    case MenuId::Outils: rule.result().apercuChecked = state.apercu; break;
    case MenuId::PopupListFile: popupListFile(rule, state); break;
    case MenuId::PopupListScript: popupListScript(rule, state); break;
    case MenuId::PopupCollec: popupCollec(rule, state); break;
    case MenuId::Aide:
    case MenuId::PopupDirTree:
    case MenuId::PopupMenuView: break;
    }
    return rule.result();
}

bool menuShowsRetouchItem(MenuId menu)
{
    switch (menu) {
    case MenuId::Explorateur:
    case MenuId::Lumivelle:
    case MenuId::Album:
    case MenuId::PopupListFile:
    case MenuId::PopupListScript:
    case MenuId::PopupCollec: return true;
    default: return false;
    }
}

} // namespace editor
