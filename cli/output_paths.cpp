#include "cli/output_paths.h"

#include "base/path_identity.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace cli {

bool sameLocation(const QString &a, const QString &b)
{
    std::error_code error;
    const std::filesystem::path first(QFile::encodeName(a).toStdString()), second(QFile::encodeName(b).toStdString());
    if (std::filesystem::equivalent(first, second, error) && !error)
        return true;
    return samePath(QFileInfo(a).absoluteFilePath(), QFileInfo(b).absoluteFilePath());
}

std::optional<QString> outputOverInput(const QString &output, const QStringList &inputs)
{
    for (const QString &input : inputs)
        if (sameLocation(output, input))
            return QStringLiteral("la sortie %1 est aussi une entrée : rien n'est écrit").arg(output);
    return std::nullopt;
}

} // namespace cli
