#include "cli/command_registry.h"

#include <cstdio>

namespace cli {

std::vector<Command> &commands()
{
    static std::vector<Command> all;
    return all;
}

int badInput(const QString &message)
{
    std::fprintf(stderr, "lumivelle-cli: %s\n", message.toLocal8Bit().constData());
    return kExitBadInput;
}

bool Options::flag(const QString &name)
{
    return m_args.removeAll(QStringLiteral("--") + name) > 0;
}

std::optional<QString> Options::value(const QString &name)
{
    const qsizetype at = m_args.indexOf(QStringLiteral("--") + name);
    if (at < 0 || at + 1 >= m_args.size())
        return std::nullopt;
    const QString v = m_args.at(at + 1);
    m_args.remove(at, 2);
    return v;
}

std::optional<QString> Options::unknownOption() const
{
    for (const QString &a : m_args)
        if (a.startsWith(QStringLiteral("--")))
            return a;
    return std::nullopt;
}

std::optional<QString> takeOutput(QStringList &args)
{
    const qsizetype at = args.indexOf(QStringLiteral("-o"));
    if (at < 0 || at + 1 >= args.size())
        return std::nullopt;
    const QString out = args.at(at + 1);
    args.remove(at, 2);
    return out;
}

} // namespace cli
