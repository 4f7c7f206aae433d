#pragma once
// The enabling rules: when a menu opens, its rule recomputes the enabled flag of the
// commands it covers from a snapshot of the window's state. A command a rule does not
// cover keeps the flag it had. Pure functions, no window needed.
#include "editor/shell/core/command_catalogue.h"
#include "editor/shell/core/command_state.h"
#include "editor/shell/core/menu_layout.h"

#include <optional>
#include <utility>
#include <vector>

namespace editor {

struct MenuRuleResult {
    std::vector<std::pair<CommandId, bool>> enabled;
    std::optional<bool> apercuChecked; // the check mark of "Voir la fenêtre d'aperçu rapide"

    // The flag the rule gives a command, or nothing when the rule does not cover it.
    std::optional<bool> enabledOf(CommandId id) const;
};

MenuRuleResult evaluateMenuRule(MenuId menu, const CommandState &state);

// The menus whose retouch item caption follows the associated program's name.
bool menuShowsRetouchItem(MenuId menu);

} // namespace editor
