#include "editor/shell/core/menu_layout.h"

#include <map>

namespace editor {

namespace {

using C = CommandId;
using K = MenuEntry::Kind;

MenuEntry item(CommandId id, const char *caption = nullptr, const char *hint = nullptr)
{
    return MenuEntry{K::Command, id, caption, hint, {}};
}
MenuEntry separator() { return MenuEntry{K::Separator, {}, nullptr, nullptr, {}}; }
MenuEntry rotate(CommandId right, CommandId left, CommandId half)
{
    return MenuEntry{K::Submenu, {}, kRotateSubmenuTitle, nullptr, {right, left, half}};
}

constexpr auto kInstantShow = "Lancer un lumivelle instantané";
constexpr auto kApplyStyle = "Appliquer les paramètres à toutes les images";
constexpr auto kApplyStyleHint = "Appliquer les paramètres à toutes les images du lumivelle";
constexpr auto kApplyInfos = "Dupliquer les infos aux autres images de l'album";

std::map<MenuId, std::vector<MenuEntry>> buildMenus()
{
    std::map<MenuId, std::vector<MenuEntry>> m;
    m[MenuId::Fichier] = {item(C::NewProject), item(C::OpenProjet), item(C::SaveProjet),
                          item(C::SaveProjetAs), item(C::OpenAncienScript), separator(),
                          item(C::NewCollec), item(C::OpenCollec), item(C::SaveCollec),
                          item(C::SaveCollecAs), separator(), item(C::NewDir), item(C::Delldir),
                          separator(), item(C::RenameFile), item(C::Rename_All),
                          item(C::DellFile), separator(), item(C::Quitter)};
    m[MenuId::Edition] = {item(C::Actualiser), separator(), item(C::SelectAll),
                          item(C::UnSelectAll), item(C::InvertSelect), separator(), item(C::Cut),
                          item(C::CopyFile), item(C::Paste), separator(), item(C::ParentDir),
                          item(C::BackDir), item(C::NextDir), separator(), item(C::Tri)};
    m[MenuId::Explorateur] = {item(C::VueImageList), item(C::RefreshVignette),
                              item(C::RetoucherList),
                              rotate(C::RotateListRight, C::RotateListLeft, C::RotateList180),
                              separator(), item(C::RescalePict), item(C::ConvertJPG), separator(),
                              item(C::Exif), separator(), item(C::LumivelleRapide, kInstantShow)};
    m[MenuId::Lumivelle] = {item(C::Ajouter), item(C::AddFileLumiv), item(C::Supprimer),
                            separator(), item(C::VueImageScript), item(C::RefreshVignetteLumiv),
                            item(C::RetoucherScript),
                            item(C::AllStyle_Image, kApplyStyle, kApplyStyleHint),
                            rotate(C::RotateScriptRight, C::RotateScriptLeft, C::RotateScript180),
                            item(C::ModPath_S), separator(), item(C::OptionLumivelle),
                            item(C::Lumivelle), item(C::LumivelleWeb), separator(),
                            item(C::LumivelleRapide, kInstantShow)};
    m[MenuId::Album] = {item(C::AddCollec), item(C::AddFileCollec), item(C::DellCollec),
                        separator(), item(C::VueImageCollec), item(C::RefreshVignetteCollec),
                        item(C::RetoucherCollec), item(C::AllInfoCollec, kApplyInfos, kApplyInfos),
                        rotate(C::RotateCollecRight, C::RotateCollecLeft, C::RotateCollec180),
                        separator(), item(C::SerachCollec), item(C::ModPath),
                        item(C::ExplorerCollec, "Explorateur d'albums"), separator(),
                        item(C::LumivelleRapide, kInstantShow)};
    m[MenuId::Outils] = {item(C::Option), item(C::ApercuActif), item(C::Soft_Retouche)};
    m[MenuId::Aide] = {item(C::AProposde, nullptr, "Version du programme"), item(C::Help),
                       item(C::HelpAuthor)};
    m[MenuId::PopupListFile] = {item(C::Ajouter), item(C::AddCollec), separator(),
                                item(C::VueImageList), item(C::RetoucherList),
                                item(C::RefreshVignette), separator(), item(C::SelectAll),
                                item(C::InvertSelect), separator(), item(C::NewDir), separator(),
                                item(C::Cut), item(C::CopyFile), item(C::Paste), separator(),
                                item(C::DellFile), item(C::RenameFile), item(C::Rename_All),
                                separator(), item(C::RescalePict), item(C::ConvertJPG),
                                separator(), item(C::Exif)};
    m[MenuId::PopupListScript] = {item(C::VueImageScript),
                                  item(C::AllStyle_Image, kApplyStyle, kApplyStyleHint),
                                  separator(), item(C::Supprimer), separator(),
                                  item(C::RetoucherScript), item(C::RefreshVignetteLumiv),
                                  separator(), item(C::ModPath_S)};
    m[MenuId::PopupCollec] = {item(C::Ajouter), separator(), item(C::VueImageCollec),
                              item(C::AllInfoCollec, kApplyInfos, kApplyInfos), separator(),
                              item(C::DellCollec), separator(), item(C::RetoucherCollec),
                              item(C::RefreshVignetteCollec), separator(), item(C::ModPath)};
    m[MenuId::PopupDirTree] = {item(C::NewDir), item(C::Delldir)};
    m[MenuId::PopupMenuView] = {item(C::PreviewFullScreen)};
    return m;
}

} // namespace

const char *menuTitle(MenuId menu)
{
    switch (menu) {
    case MenuId::Fichier: return "Fichier";
    case MenuId::Edition: return "Edition";
    case MenuId::Explorateur: return "Explorateur d'images";
    case MenuId::Lumivelle: return "Lumivelle";
    case MenuId::Album: return "Album";
    case MenuId::Outils: return "Outils";
    case MenuId::Aide: return "?";
    default: return "";
    }
}

const char *menuObjectName(MenuId menu)
{
    switch (menu) {
    case MenuId::Fichier: return "MenuFichier";
    case MenuId::Edition: return "MenuEdition";
    case MenuId::Explorateur: return "MenuExplorateur";
    case MenuId::Lumivelle: return "MenuLumivelle";
    case MenuId::Album: return "MenuAlbum";
    case MenuId::Outils: return "MenuOutils";
    case MenuId::Aide: return "MenuAide";
    case MenuId::PopupListFile: return "PopupListFile";
    case MenuId::PopupListScript: return "PopupListScript";
    case MenuId::PopupCollec: return "PopupCollec";
    case MenuId::PopupDirTree: return "PopupDirTree";
    case MenuId::PopupMenuView: return "PopupMenuView";
    }
    return "";
}

const std::vector<MenuEntry> &menuItems(MenuId menu)
{
    static const auto menus = buildMenus();
    return menus.at(menu);
}

std::vector<CommandId> commandsOfMenu(MenuId menu)
{
    std::vector<CommandId> ids;
    for (const MenuEntry &entry : menuItems(menu)) {
        if (entry.kind == K::Command)
            ids.push_back(entry.command);
        else if (entry.kind == K::Submenu)
            ids.insert(ids.end(), entry.submenu.begin(), entry.submenu.end());
    }
    return ids;
}

} // namespace editor
