#pragma once
// The commands of lumivelle-cli. Each command lives in its own file and registers itself
// with CLI_COMMAND; main() looks the first argument up here.
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace cli {

struct Command {
    const char *name;
    const char *usage;    // arguments, e.g. "IN OUT W H [--filter N]"
    const char *summary;  // one line for --help
    bool needsGui;        // starts a QGuiApplication (fonts, painting) instead of a core one
    std::function<int(const QStringList &args)> run; // returns the exit status
};

std::vector<Command> &commands();

struct Registration {
    explicit Registration(Command command) { commands().push_back(std::move(command)); }
};

// Exit statuses: 0 success, 1 bad input (a one-line message on stderr).
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;

// Prints "lumivelle-cli: <message>" on stderr and returns kExitBadInput.
int badInput(const QString &message);

// "-o OUT" taken out of the arguments, before the "--" options are read.
std::optional<QString> takeOutput(QStringList &args);

// Options of the form "--name value" or "--flag" taken out of the arguments.
class Options {
public:
    explicit Options(QStringList args) : m_args(std::move(args)) {}
    bool flag(const QString &name);                  // removes "--name" when present
    std::optional<QString> value(const QString &name); // removes "--name V", returns V
    const QStringList &positional() const { return m_args; }
    // The first remaining argument that starts with "--", if any.
    std::optional<QString> unknownOption() const;

private:
    QStringList m_args;
};

} // namespace cli

#define CLI_CONCAT2(a, b) a##b
#define CLI_CONCAT(a, b) CLI_CONCAT2(a, b)
#define CLI_COMMAND(...) \
    static const ::cli::Registration CLI_CONCAT(cliRegistration_, __LINE__){::cli::Command{__VA_ARGS__}}
