#pragma once
// The main menus and the context menus: their titles and items in order. An item shows
// its command's caption and hint unless it sets its own.
#include "editor/shell/core/command_catalogue.h"

#include <vector>

namespace editor {

enum class MenuId {
    Fichier,
    Edition,
    Explorateur,
    Lumivelle,
    Album,
    Outils,
    Aide,
    PopupListFile,
    PopupListScript,
    PopupCollec,
    PopupDirTree,
    PopupMenuView,
};

inline constexpr MenuId kMainMenus[] = {MenuId::Fichier, MenuId::Edition, MenuId::Explorateur,
                                        MenuId::Lumivelle, MenuId::Album, MenuId::Outils,
                                        MenuId::Aide};
inline constexpr MenuId kContextMenus[] = {MenuId::PopupListFile, MenuId::PopupListScript,
                                           MenuId::PopupCollec, MenuId::PopupDirTree,
                                           MenuId::PopupMenuView};

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    CommandId command{};
    const char *caption = nullptr;    // the item's own caption, if it has one
    const char *hint = nullptr;       // the item's own hint, if it has one
    std::vector<CommandId> submenu{}; // the items of a submenu, in order
};

const char *menuTitle(MenuId menu);
const char *menuObjectName(MenuId menu);
const std::vector<MenuEntry> &menuItems(MenuId menu);

// Every command one menu shows, submenu items included, in order.
std::vector<CommandId> commandsOfMenu(MenuId menu);

inline constexpr const char *kRotateSubmenuTitle = "Faire pivoter";

} // namespace editor
