#pragma once
// The editor's command line: nothing, one show project file or one album file (the
// desktop opens both document types with the editor). An unquoted path with blanks
// arrives as several parameters, so they are joined back.
#include <QString>
#include <QStringList>
#include <functional>

namespace editor {

// All parameters in order, each followed by one blank, trailing blanks removed.
QString JoinedCommandLine(const QStringList &parameters);

struct CommandLineAction {
    enum class Kind { Nothing, OpenShow, OpenAlbum, Refuse } kind = Kind::Nothing;
    QString path;
};

inline const QString kUnhandledFileMessage = QStringLiteral("Fichier non géré par Lumivelle.");

// A ".dap" or ".ccl" file (any letter case) that exists is opened; any other parameter is
// refused with the warning kUnhandledFileMessage.
CommandLineAction commandLineAction(const QStringList &parameters,
                                    const std::function<bool(const QString &)> &fileExists);

} // namespace editor
