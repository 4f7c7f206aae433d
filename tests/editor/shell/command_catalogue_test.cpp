#include "editor/shell/core/command.h"
#include "editor/shell/core/command_catalogue.h"
#include "editor/shell/core/menu_layout.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

using namespace editor;

TEST(CommandCatalogue, EveryCommandHasAUniqueNameAndACaption)
{
    QSet<QString> names;
    for (const CommandInfo &info : allCommands()) {
        EXPECT_FALSE(names.contains(QString::fromLatin1(info.name))) << info.name;
        names.insert(QString::fromLatin1(info.name));
        EXPECT_FALSE(QString::fromUtf8(info.caption).isEmpty()) << info.name;
        EXPECT_EQ(commandByName(QString::fromLatin1(info.name)), info.id);
        EXPECT_EQ(&commandInfo(info.id), &info);
    }
    EXPECT_EQ(commandByName("NoSuchCommand"), std::nullopt);
}

TEST(CommandCatalogue, ShortcutsBelongToOneCommandExceptTheTwoRotationMenus)
{
    const CommandRegistry registry;
    QMap<QString, QStringList> byKey;
    for (const CommandInfo &info : allCommands())
        if (!registry[info.id].shortcut().isEmpty())
            byKey[registry[info.id].shortcut().toString()] << info.name;
    for (auto it = byKey.begin(); it != byKey.end(); ++it) {
        if (it.key().startsWith("Shift+F1"))
            EXPECT_EQ(it.value().size(), 2) << it.key().toStdString();
        else
            EXPECT_EQ(it.value().size(), 1) << it.key().toStdString();
    }
    EXPECT_EQ(registry[CommandId::DellFile].shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(registry[CommandId::NewCollec].shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
    EXPECT_EQ(registry[CommandId::Quitter].shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    EXPECT_EQ(registry[CommandId::VueImage].shortcut(), QKeySequence(Qt::Key_F4));
}

TEST(CommandCatalogue, HintsSplitIntoTooltipAndStatusText)
{
    const HintParts both = splitHint(QStringLiteral("Couper des images"));
    EXPECT_EQ(both.tooltip, both.statusText);
    const HintParts statusOnly = splitHint(QString::fromUtf8(commandInfo(CommandId::Actualiser).hint));
    EXPECT_EQ(statusOnly.tooltip, QString());
    EXPECT_EQ(statusOnly.statusText, QStringLiteral("Actualiser la liste des dossiers"));
    const HintParts split = splitHint(QStringLiteral("court|long|reste"));
    EXPECT_EQ(split.tooltip, QStringLiteral("court"));
    EXPECT_EQ(split.statusText, QStringLiteral("long|reste"));
}

TEST(CommandCatalogue, RetouchCaptionsFollowTheFriendlyName)
{
    EXPECT_EQ(retouchCaption({}), QStringLiteral("Retoucher l'image"));
    EXPECT_EQ(retouchCaption("Editeur"), QStringLiteral("Retoucher l'image avec Editeur"));
}

TEST(CommandRegistry, StartsEnabledExceptTheHistoriesAndRunsOnlyConnectedHandlers)
{
    CommandRegistry registry;
    for (const CommandInfo &info : allCommands()) {
        const bool history = info.id == CommandId::BackDir || info.id == CommandId::NextDir;
        EXPECT_EQ(registry[info.id].isEnabled(), !history) << info.name;
    }
    Command &cut = registry[CommandId::Cut];
    EXPECT_FALSE(cut.isConnected());
    cut.execute(); // nothing connected: nothing happens
    int runs = 0;
    int changes = 0;
    QObject::connect(&cut, &Command::changed, [&] { ++changes; });
    cut.setHandler([&] { ++runs; });
    cut.setEnabled(false);
    cut.setEnabled(false);
    cut.execute(); // toolbar buttons run handlers whatever the flag
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(changes, 1);
}

TEST(MenuLayout, EveryCommandButTheF4KeyIsReachableFromAMenu)
{
    QSet<int> reachable;
    for (MenuId menu : kMainMenus)
        for (CommandId id : commandsOfMenu(menu))
            reachable.insert(int(id));
    for (MenuId menu : kContextMenus)
        for (CommandId id : commandsOfMenu(menu))
            reachable.insert(int(id));
    for (const CommandInfo &info : allCommands())
        EXPECT_EQ(reachable.contains(int(info.id)), info.id != CommandId::VueImage) << info.name;
}
