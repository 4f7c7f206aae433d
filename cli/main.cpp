// lumivelle-cli: the toolkit-free operations of Lumivelle from a shell, for scripting,
// diagnostics and benchmarks.
#include "cli/command_registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

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

// Metafiles draw their text with fonts, which only a GUI application has.
bool namesMetafile(const QStringList &args)
{
    return std::any_of(args.begin(), args.end(), [](const QString &a) {
        return a.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive)
            || a.endsWith(QStringLiteral(".emf"), Qt::CaseInsensitive);
    });
}

// The offscreen platform warns on stderr when the runtime folder is not set; a tool
// whose stderr carries its verdict gives it a private one instead.
void quietRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/runtime-lumivelle-cli-") + QString::number(getuid());
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
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

    // Taken before the application exists: QGuiApplication consumes options of its own
    // ("--style", "--platform"...) that our commands also use.
    QStringList args;
    for (int i = 2; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui || namesMetafile(args)) {
        quietRuntimeDir();
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return command->run(args);
}
