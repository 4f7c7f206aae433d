#include "editor/shell/core/command_line.h"

#include <QFileInfo>

namespace editor {

QString JoinedCommandLine(const QStringList &parameters)
{
    QString joined;
    for (const QString &parameter : parameters)
        joined += parameter + QLatin1Char(' ');
    qsizetype end = joined.size();
    while (end > 0 && joined.at(end - 1).unicode() <= u' ')
        --end;
    return joined.left(end);
}

CommandLineAction commandLineAction(const QStringList &parameters,
                                    const std::function<bool(const QString &)> &fileExists)
{
    if (parameters.isEmpty())
        return {};
    const QString path = JoinedCommandLine(parameters);
    const QString suffix = QFileInfo(path).suffix();
    const auto is = [&suffix](const char *wanted) {
        return suffix.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
    };
    if (!fileExists(path))
        return {CommandLineAction::Kind::Refuse, path};
    if (is("dap"))
        return {CommandLineAction::Kind::OpenShow, path};
    if (is("ccl"))
        return {CommandLineAction::Kind::OpenAlbum, path};
    return {CommandLineAction::Kind::Refuse, path};
}

} // namespace editor
