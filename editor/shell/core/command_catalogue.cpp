#include "editor/shell/core/command_catalogue.h"

#include <array>

namespace editor {

namespace {

constexpr std::array kCommands = {
#define LUMIVELLE_COMMAND_INFO(name, caption, hint, keys) \
    CommandInfo{CommandId::name, #name, caption, hint, keys},
    LUMIVELLE_COMMANDS(LUMIVELLE_COMMAND_INFO)
#undef LUMIVELLE_COMMAND_INFO
};

} // namespace

std::span<const CommandInfo> allCommands()
{
    return kCommands;
}

const CommandInfo &commandInfo(CommandId id)
{
    return kCommands[std::size_t(id)];
}

std::optional<CommandId> commandByName(const QString &name)
{
    for (const CommandInfo &info : kCommands)
        if (name == QLatin1String(info.name))
            return info.id;
    return std::nullopt;
}

HintParts splitHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

QString retouchCaption(const QString &friendlyName)
{
    if (friendlyName.isEmpty())
        return QStringLiteral("Retoucher l'image");
    return QStringLiteral("Retoucher l'image avec ") + friendlyName;
}

} // namespace editor
