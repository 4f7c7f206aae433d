// lumivelle-cli: the toolkit-free operations of Lumivelle from a shell, for scripting,
// diagnostics and benchmarks.
#include "cli/command_registry.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

void printHelp()
{
    std::printf("Usage: lumivelle-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    auto sorted = cli::commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const cli::Command &a, const cli::Command &b) { return qstrcmp(a.name, b.name) < 0; });
    for (const cli::Command &c : sorted)
        std::printf("  %s %s\n      %s\n", c.name, c.usage, c.summary);
    std::printf("\nExit status: 0 on success, 1 on bad input (message on stderr).\n");
}

const cli::Command *findCommand(const char *name)
{
    for (const cli::Command &c : cli::commands())
        if (qstrcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0) {
        printHelp();
        return argc < 2 ? cli::kExitBadInput : cli::kExitOk;
    }
    const cli::Command *command = findCommand(argv[1]);
    if (!command)
        return cli::badInput(QStringLiteral("commande inconnue « %1 » (voir --help)").arg(QString::fromLocal8Bit(argv[1])));

    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(2);
    return command->run(args);
}
