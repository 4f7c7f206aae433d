// The main window's menus and context menus, the enabling rules applied when they open,
// and the shortcut keys, which the window sees before its controls do.
#include "editor/shell/main_window.h"

#include "editor/shell/core/enabling_rules.h"
#include "editor/shell/status_line.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace editor {

namespace {

QString itemText(const QString &caption, const QKeySequence &keys)
{
    // QMenu shows what follows a tab as the item's shortcut. The keys themselves are
    // dispatched by the window (dispatchShortcut), never by the action.
    if (keys.isEmpty())
        return caption;
    return caption + QLatin1Char('\t') + keys.toString(QKeySequence::NativeText);
}

} // namespace

void TMainLumivelle3000::buildMenus()
{
    for (MenuId id : kMainMenus)
        menuBar()->addMenu(buildMenu(id, menuBar()));
    for (MenuId id : kContextMenus)
        buildMenu(id, this);
}

QMenu *TMainLumivelle3000::buildMenu(MenuId id, QWidget *parent)
{
    auto *menu = new QMenu(QString::fromUtf8(menuTitle(id)), parent);
    menu->setObjectName(QString::fromLatin1(menuObjectName(id)));
    m_menus[id] = menu;
    for (const MenuEntry &entry : menuItems(id)) {
        if (entry.kind == MenuEntry::Kind::Separator) {
            menu->addSeparator();
        } else if (entry.kind == MenuEntry::Kind::Submenu) {
            QMenu *sub = menu->addMenu(QString::fromUtf8(entry.caption));
            for (CommandId commandId : entry.submenu)
                bindItem(sub, MenuEntry{MenuEntry::Kind::Command, commandId});
            // The submenu is as available as its items, which share one rule.
            Command &first = command(entry.submenu.front());
            auto follow = [sub, &first] { sub->menuAction()->setEnabled(first.isEnabled()); };
            connect(&first, &Command::changed, sub, follow);
            follow();
        } else {
            bindItem(menu, entry);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, id] {
        applyMenuRule(id);
        if (menuShowsRetouchItem(id))
            updateRetouchCaptions();
    });
    connect(menu, &QMenu::hovered, this,
            [this](QAction *action) { m_statusLine->showHint(action->statusTip()); });
    return menu;
}

// A menu item is a view of its command: it follows the command's caption (unless it has
// its own), enabled flag and check mark, and runs the command when chosen.
void TMainLumivelle3000::bindItem(QMenu *menu, const MenuEntry &entry)
{
    Command &cmd = command(entry.command);
    auto *action = menu->addAction(QString());
    action->setObjectName(cmd.name());
    action->setCheckable(entry.command == CommandId::ApercuActif);
    const QString hint = entry.hint ? QString::fromUtf8(entry.hint) : cmd.hint();
    const HintParts parts = splitHint(hint);
    action->setToolTip(parts.tooltip);
    action->setStatusTip(parts.statusText);
    const QString ownCaption = entry.caption ? QString::fromUtf8(entry.caption) : QString();
    auto follow = [action, &cmd, ownCaption] {
        action->setText(itemText(ownCaption.isEmpty() ? cmd.caption() : ownCaption, cmd.shortcut()));
        action->setEnabled(cmd.isEnabled());
        action->setChecked(cmd.isChecked());
    };
    connect(&cmd, &Command::changed, action, follow);
    follow();
    connect(action, &QAction::triggered, &cmd, &Command::execute);
}

void TMainLumivelle3000::applyMenuRule(MenuId id)
{
    const MenuRuleResult rule = evaluateMenuRule(id, currentState());
    for (const auto &[commandId, enabled] : rule.enabled)
        command(commandId).setEnabled(enabled);
    if (rule.apercuChecked)
        command(CommandId::ApercuActif).setChecked(*rule.apercuChecked);
}

void TMainLumivelle3000::updateRetouchCaptions()
{
    const QString caption = retouchCaption(m_settings.SoftRetoucheN);
    for (CommandId id : {CommandId::RetoucherList, CommandId::RetoucherScript, CommandId::RetoucherCollec})
        command(id).setCaption(caption);
}

void TMainLumivelle3000::popupContextMenu(MenuId id, const QPoint &globalPosition)
{
    m_menus.at(id)->popup(globalPosition);
}

bool TMainLumivelle3000::dispatchShortcut(QKeyCombination key)
{
    const QKeySequence pressed(key);
    if (pressed == command(CommandId::VueImage).shortcut()) {
        command(CommandId::VueImage).execute();
        return true;
    }
    for (MenuId id : kMainMenus) {
        for (CommandId commandId : commandsOfMenu(id)) {
            if (command(commandId).shortcut() != pressed)
                continue;
            // Shift+F10 to Shift+F12 rotate on the active tab: the album menu's items
            // when the album tab is active, the show menu's otherwise.
            MenuId menuId = id;
            if (id == MenuId::Lumivelle && commandId >= CommandId::RotateScriptRight &&
                commandId <= CommandId::RotateScript180 && activeTab() == 3) {
                menuId = MenuId::Album;
                commandId = CommandId(int(CommandId::RotateCollecRight) +
                                      (int(commandId) - int(CommandId::RotateScriptRight)));
            }
            applyMenuRule(menuId);
            if (command(commandId).isEnabled())
                command(commandId).execute();
            return true;
        }
    }
    return false;
}

bool TMainLumivelle3000::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    if (target->window() != this || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        scanCancelRequested = true;
        return false;
    }
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return dispatchShortcut(QKeyCombination(modifiers, Qt::Key(key->key())));
}

} // namespace editor
