// The image tools from a shell: rotate, batch-resize and convert-jpeg. They follow the
// editor's rules, sizes and file names, without dialogs and without reading Lumivelle.cfg.
// Every file that could not be read or written is named on stderr, and the status is 1.
#include "cli/command_registry.h"
#include "imaging/resampler.h"
#include "imaging/tools/batch_resize.h"
#include "imaging/tools/jpeg_conversion.h"
#include "imaging/tools/rotate_and_save.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <optional>

namespace {

using namespace imagetools;

void out(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
}

void err(const QString &line)
{
    std::fprintf(stderr, "lumivelle-cli: %s\n", line.toLocal8Bit().constData());
}

std::optional<int> intInRange(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<QString> strayOption(const cli::Options &options, const char *usage)
{
    if (auto unknown = options.unknownOption())
        return QStringLiteral("option inconnue %1 (usage : %2)").arg(*unknown, QLatin1String(usage));
    return std::nullopt;
}

// "--threads 1" reads each file in turn; 2 (the default on two cores or more) reads the
// next file while the current one is written.
std::optional<bool> readAheadOption(const std::optional<QString> &text)
{
    if (!text)
        return QThread::idealThreadCount() >= 2;
    const auto threads = intInRange(*text, 1, 2);
    if (!threads)
        return std::nullopt;
    return *threads == 2;
}

// Prints the files that failed and gives the status.
int finish(const QStringList &failures)
{
    for (const QString &line : failures)
        err(line);
    return failures.isEmpty() ? cli::kExitOk : cli::kExitBadInput;
}

int rotate(const QStringList &args)
{
    static const char usage[] = "rotate FILE 90|180|270 [--as bmp|jpg]";
    cli::Options options(args);
    const auto as = options.value(QStringLiteral("as"));
    if (auto stray = strayOption(options, usage))
        return cli::badInput(*stray);
    if (options.positional().size() != 2)
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(usage)));
    const QString path = options.positional()[0];
    const QString angleText = options.positional()[1];
    if (angleText != u"90" && angleText != u"180" && angleText != u"270")
        return cli::badInput(QStringLiteral("angle invalide (90, 180 ou 270) : %1").arg(angleText));
    std::optional<SaveFormat> format;
    if (as && (*as == u"bmp" || *as == u"jpg"))
        format = *as == u"bmp" ? SaveFormat::Bitmap : SaveFormat::Jpeg;
    else if (as)
        return cli::badInput(QStringLiteral("format invalide (bmp ou jpg) : %1").arg(*as));
    if (!QFileInfo(path).isFile())
        return cli::badInput(QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine : %1").arg(path));
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Other && format)
        return cli::badInput(QStringLiteral("--as ne sert qu'aux formats autres que BMP et JPEG : %1").arg(path));
    if (kind == FileKind::Other && !format)
        return cli::badInput(QStringLiteral("ce format ne s'enregistre pas : indiquez --as bmp ou --as jpg : %1").arg(path));
    const RotateResult result = RotateAndSave(angleText.toInt(), path, [format] { return format; });
    switch (result.status) {
    case RotateStatus::WrittenOverFile:
    case RotateStatus::WrittenBeside:
        out(result.writtenPath);
        return cli::kExitOk;
    case RotateStatus::Unreadable:
        return cli::badInput(QStringLiteral("image illisible : %1 (%2)").arg(path, result.failure));
    default:
        return cli::badInput(QStringLiteral("Impossible d'enregistrer les modifications de l'image : %1 (%2)")
                                 .arg(result.writtenPath.isEmpty() ? path : result.writtenPath, result.failure));
    }
}

std::optional<QSize> parseBox(const QString &text)
{
    const QStringList sides = text.split(u'x');
    if (sides.size() != 2)
        return std::nullopt;
    const auto w = intInRange(sides[0], 1, 65535), h = intInRange(sides[1], 1, 65535);
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

std::optional<ResizeOptions> resizeOptions(cli::Options &options, QString &error)
{
    ResizeOptions result;
    result.largerOnly = options.flag(QStringLiteral("larger-only"));
    const auto box = options.value(QStringLiteral("box"));
    const auto filter = options.value(QStringLiteral("filter"));
    const QString copy = options.value(QStringLiteral("copy")).value_or(QStringLiteral("same"));
    const auto parsedBox = box ? parseBox(*box) : std::nullopt;
    if (!parsedBox) {
        error = QStringLiteral("Saisie incorrecte pour la taille : --box LxH attendu, %1").arg(box.value_or(QString()));
        return std::nullopt;
    }
    result.box = *parsedBox;
    const auto filterIndex = intInRange(filter.value_or(QStringLiteral("2")), 0, imaging::kFilterListCount - 1);
    if (!filterIndex) {
        error = QStringLiteral("filtre invalide (0 à 7) : %1").arg(*filter);
        return std::nullopt;
    }
    result.filterIndex = *filterIndex;
    if (copy == u"same") {
        result.copyStyle = CopyStyle::SameFolder;
    } else if (copy == u"inplace") {
        result.copyStyle = CopyStyle::InPlace;
    } else if (QFileInfo(copy).isDir()) {
        result.copyStyle = CopyStyle::OtherFolder;
        result.folder = copy;
    } else {
        error = QStringLiteral("--copy attend same, inplace ou un dossier existant : %1").arg(copy);
        return std::nullopt;
    }
    return result;
}

QString resizeFailure(const ResizeResult &result, const QString &source)
{
    switch (result.status) {
    case ResizeStatus::Unreadable: return QStringLiteral("Image incorrecte (%1)").arg(source);
    case ResizeStatus::ResizeFailed: return QStringLiteral("redimensionnement impossible : %1").arg(source);
    default:
        return QStringLiteral("Impossible d'enregistrer les modifications de l'image : %1 (%2)")
            .arg(result.target, result.failure);
    }
}

int batchResize(const QStringList &args)
{
    static const char usage[] = "batch-resize --box WxH [--filter N] [--larger-only] [--copy same|inplace|DIR] "
                                "[--threads 1|2] FILE...";
    cli::Options options(args);
    QString error;
    const auto resize = resizeOptions(options, error);
    const auto readAhead = readAheadOption(options.value(QStringLiteral("threads")));
    if (auto stray = strayOption(options, usage))
        return cli::badInput(*stray);
    if (!resize)
        return cli::badInput(error);
    if (!readAhead)
        return cli::badInput(QStringLiteral("nombre de fils invalide (1 ou 2)"));
    if (options.positional().isEmpty())
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(usage)));
    QStringList sources;
    for (const QString &path : options.positional()) {
        if (isResizableFile(path))
            sources << path;
        else
            err(QStringLiteral("ni JPG ni BMP, laissée de côté : %1").arg(path));
    }
    ResizeBatch batch(sources, *resize, *readAhead);
    QStringList failures;
    for (int i = 0; i < batch.count(); ++i) {
        const ResizeResult result = batch.run(i);
        if (result.status == ResizeStatus::Written)
            out(QStringLiteral("%1 -> %2 (%3 x %4)").arg(batch.source(i), result.target)
                    .arg(result.size.width()).arg(result.size.height()));
        else if (result.status == ResizeStatus::Skipped)
            out(QStringLiteral("%1 : pas plus grande que la taille choisie, laissée telle quelle").arg(batch.source(i)));
        else
            failures << resizeFailure(result, batch.source(i));
    }
    return finish(failures);
}

int convertJpeg(const QStringList &args)
{
    static const char usage[] = "convert-jpeg [--quality Q] --to DIR [--yes] [--threads 1|2] FILE...";
    cli::Options options(args);
    const bool overwrite = options.flag(QStringLiteral("yes"));
    const auto qualityText = options.value(QStringLiteral("quality"));
    const auto folder = options.value(QStringLiteral("to"));
    const auto readAhead = readAheadOption(options.value(QStringLiteral("threads")));
    if (auto stray = strayOption(options, usage))
        return cli::badInput(*stray);
    const auto quality = intInRange(qualityText.value_or(QStringLiteral("100")), 1, 100);
    if (!quality)
        return cli::badInput(QStringLiteral("qualité invalide (1 à 100) : %1").arg(*qualityText));
    if (!folder || !QFileInfo(*folder).isDir())
        return cli::badInput(QStringLiteral("--to attend un dossier existant (usage : %1)").arg(QLatin1String(usage)));
    if (!readAhead)
        return cli::badInput(QStringLiteral("nombre de fils invalide (1 ou 2)"));
    if (options.positional().isEmpty())
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(usage)));
    ConvertBatch batch(options.positional(), *folder, *quality, *readAhead);
    QStringList failures;
    for (int i = 0; i < batch.count(); ++i) {
        if (!overwrite && QFileInfo::exists(batch.target(i))) {
            out(QStringLiteral("%1 existe déjà, laissé tel quel (--yes pour l'écraser)").arg(batch.target(i)));
            continue;
        }
        const ConvertResult result = batch.run(i);
        if (result.status == ConvertStatus::Written)
            out(QStringLiteral("%1 -> %2").arg(batch.source(i), result.target));
        else if (result.status == ConvertStatus::Unreadable)
            failures << QStringLiteral("image illisible : %1 (%2)").arg(batch.source(i), result.failure);
        else
            failures << QStringLiteral("Impossible d'enregistrer le fichier < %1 > (%2)")
                            .arg(QFileInfo(result.target).fileName(), result.failure);
    }
    return finish(failures);
}

} // namespace

CLI_COMMAND("rotate", "FILE 90|180|270 [--as bmp|jpg]",
            "turns a picture counter-clockwise (270 is a quarter turn to the right) and writes it over the "
            "file (BMP, JPEG at quality 100 with its EXIF kept); other formats need --as and are written "
            "beside as FILE.bmp or FILE.jpg",
            false, rotate);
CLI_COMMAND("batch-resize",
            "--box WxH [--filter N] [--larger-only] [--copy same|inplace|DIR] [--threads 1|2] FILE...",
            "resizes BMP and JPEG files as the editor's batch resize: the wider side to the box's width, "
            "otherwise the height to its height; copies NAME(1).jpg beside (same, the default), into DIR, or "
            "over the files (inplace); filter 0..7, default 2 (Triangle)",
            false, batchResize);
CLI_COMMAND("convert-jpeg", "[--quality Q] --to DIR [--yes] [--threads 1|2] FILE...",
            "writes JPEG versions (quality 1..100, default 100) of any readable pictures into DIR; an "
            "existing file is replaced only with --yes",
            false, convertJpeg);
