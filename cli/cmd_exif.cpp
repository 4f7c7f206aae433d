// lumivelle-cli exif: the EXIF report of a picture, line for line as the report dialog
// shows it.
#include "cli/command_registry.h"
#include "imaging/exif/exif_reader.h"
#include "imaging/exif/exif_report.h"

#include <QFileInfo>
#include <QLocale>
#include <cstdio>

namespace {

int runExif(const QStringList &args)
{
    cli::Options options(args);
    const std::optional<QString> localeName = options.value(QStringLiteral("locale"));
    if (const auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue « %1 »").arg(*unknown));
    if (options.positional().size() != 1)
        return cli::badInput(QStringLiteral("usage : exif FICHIER [--locale fr_FR]"));
    const QString path = options.positional().first();
    if (!QFileInfo(path).isFile())
        return cli::badInput(QStringLiteral("fichier introuvable « %1 »").arg(path));
    if (!exif::hasExifExtension(path))
        return cli::badInput(QStringLiteral("seuls les fichiers JPG et TIFF ont un rapport EXIF : « %1 »").arg(path));
    const QLocale locale = localeName ? QLocale(*localeName) : QLocale::system();
    const QStringList lines = exif::exifReportForFile(path, exif::ExifLocale::fromQLocale(locale));
    for (const QString &line : lines)
        std::printf("%s\n", line.toUtf8().constData());
    return cli::kExitOk;
}

} // namespace

CLI_COMMAND("exif", "FILE [--locale fr_FR]",
            "prints the EXIF report of a JPEG or TIFF picture as the report dialog shows it",
            false, runExif);
