// Picture commands: resize through the filter list, thumbnails, fitting into a box,
// JPEG conversion and a generated demo picture.
#include "cli/command_registry.h"
#include "cli/image_files.h"
#include "cli/output_paths.h"
#include "imaging/jpeg_codec.h"
#include "imaging/resampler.h"
#include "imaging/thumbnail.h"

#include <QColor>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

std::optional<int> intInRange(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr int kLargestSide = 65535;

// Options taken out, the rest checked: exactly `count` positional arguments, no stray option.
std::optional<QString> checkArguments(const cli::Options &options, int count, const char *usage)
{
    if (auto unknown = options.unknownOption())
        return QStringLiteral("option inconnue %1 (usage : %2)").arg(*unknown, QLatin1String(usage));
    if (options.positional().size() != count)
        return QStringLiteral("usage : %1").arg(QLatin1String(usage));
    return std::nullopt;
}

std::optional<QSize> sizeArguments(const QString &width, const QString &height)
{
    const auto w = intInRange(width, 1, kLargestSide), h = intInRange(height, 1, kLargestSide);
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

// The picture of `in`, unless `out` is `in` itself: a command never writes over what it
// reads.
Result<QImage> loadInput(const QString &in, const QString &out,
                         imaging::Orienting orienting = imaging::Orienting::Upright)
{
    if (const auto refused = cli::outputOverInput(out, {in}))
        return fail(*refused);
    return cli::loadPictureForCli(in, orienting);
}

int saveOrFail(const QImage &picture, const QString &path, int quality = 90)
{
    if (auto saved = cli::savePictureForCli(picture, path, quality); !saved)
        return cli::badInput(saved.error().message);
    return cli::kExitOk;
}

int resize(const QStringList &args)
{
    static const char usage[] = "resize IN OUT W H [--filter N] [--threads N]";
    cli::Options options(args);
    const auto filterText = options.value(QStringLiteral("filter"));
    const auto threadsText = options.value(QStringLiteral("threads"));
    if (auto error = checkArguments(options, 4, usage))
        return cli::badInput(*error);
    const QStringList &p = options.positional();
    const auto size = sizeArguments(p[2], p[3]);
    if (!size)
        return cli::badInput(QStringLiteral("taille invalide : %1 x %2").arg(p[2], p[3]));
    const auto filter = intInRange(filterText.value_or(QStringLiteral("2")), 0, imaging::kFilterListCount - 1);
    if (!filter)
        return cli::badInput(QStringLiteral("filtre invalide (0 à 7) : %1").arg(*filterText));
    const auto threads = intInRange(threadsText.value_or(QStringLiteral("1")), 1, 2);
    if (!threads)
        return cli::badInput(QStringLiteral("nombre de fils invalide (1 ou 2) : %1").arg(*threadsText));
    Result<QImage> source = loadInput(p[0], p[1]);
    if (!source)
        return cli::badInput(source.error().message);
    QImage target;
    if (auto resized = imaging::ResizeBitmap(*source, target, size->width(), size->height(), *filter,
                                             imaging::StretchOptions{*threads, true});
        !resized)
        return cli::badInput(resized.error().message);
    return saveOrFail(target, p[1]);
}

int thumbnail(const QStringList &args)
{
    static const char usage[] = "thumbnail IN OUT [--plain] [--as-stored]";
    cli::Options options(args);
    const bool plain = options.flag(QStringLiteral("plain"));
    const bool asStored = options.flag(QStringLiteral("as-stored"));
    if (auto error = checkArguments(options, 2, usage))
        return cli::badInput(*error);
    Result<QImage> source = loadInput(options.positional()[0], options.positional()[1],
                                      asStored ? imaging::Orienting::AsStored : imaging::Orienting::Upright);
    if (!source)
        return cli::badInput(source.error().message);
    const QImage result = imaging::MakeThumbnail(*source, !plain);
    if (result.isNull())
        return cli::badInput(QStringLiteral("mémoire insuffisante pour la vignette"));
    return saveOrFail(result, options.positional()[1]);
}

int fit(const QStringList &args)
{
    static const char usage[] = "fit IN OUT W H [--plain]";
    cli::Options options(args);
    const bool plain = options.flag(QStringLiteral("plain"));
    if (auto error = checkArguments(options, 4, usage))
        return cli::badInput(*error);
    const QStringList &p = options.positional();
    const auto box = sizeArguments(p[2], p[3]);
    if (!box)
        return cli::badInput(QStringLiteral("taille invalide : %1 x %2").arg(p[2], p[3]));
    Result<QImage> source = loadInput(p[0], p[1]);
    if (!source)
        return cli::badInput(source.error().message);
    const QImage result = imaging::FitToBox(*source, box->width(), box->height(), !plain);
    if (result.isNull())
        return cli::badInput(QStringLiteral("mémoire insuffisante pour l'image"));
    return saveOrFail(result, p[1]);
}

int jpeg(const QStringList &args)
{
    static const char usage[] = "jpeg IN OUT [--quality Q]";
    cli::Options options(args);
    const auto qualityText = options.value(QStringLiteral("quality"));
    if (auto error = checkArguments(options, 2, usage))
        return cli::badInput(*error);
    const auto quality = intInRange(qualityText.value_or(QStringLiteral("90")), 1, 100);
    if (!quality)
        return cli::badInput(QStringLiteral("qualité invalide (1 à 100) : %1").arg(*qualityText));
    Result<QImage> source = loadInput(options.positional()[0], options.positional()[1]);
    if (!source)
        return cli::badInput(source.error().message);
    if (auto saved = imaging::saveJpegFile(*source, options.positional()[1], *quality); !saved)
        return cli::badInput(saved.error().message);
    return cli::kExitOk;
}

// Hues across, brightness down, with fine rings and a one-pixel grid that show how each
// filter treats detail.
QImage demoPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    if (picture.isNull())
        return picture;
    const double cx = width / 2.0, cy = height / 2.0, scale = std::min(width, height) / 2.0;
    for (int y = 0; y < height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double radius = std::hypot(x - cx, y - cy) / scale;
            const double rings = 0.5 + 0.5 * std::cos(radius * radius * 60.0 * std::numbers::pi);
            const double value = 1.0 - 0.6 * double(y) / height;
            QColor c = QColor::fromHsvF(float(x) / float(width), 0.85f, float(value * (radius < 0.6 ? rings : 1.0)));
            if (x % 64 == 0 || y % 64 == 0)
                c = Qt::white;
            line[3 * x] = uchar(c.blue());
            line[3 * x + 1] = uchar(c.green());
            line[3 * x + 2] = uchar(c.red());
        }
    }
    return picture;
}

int demo(const QStringList &args)
{
    if (args.size() != 3)
        return cli::badInput(QStringLiteral("usage : demo-picture OUT W H"));
    const auto size = sizeArguments(args[1], args[2]);
    if (!size)
        return cli::badInput(QStringLiteral("taille invalide : %1 x %2").arg(args[1], args[2]));
    const QImage picture = demoPicture(size->width(), size->height());
    if (picture.isNull())
        return cli::badInput(QStringLiteral("mémoire insuffisante pour %1 x %2").arg(args[1], args[2]));
    return saveOrFail(picture, args[0]);
}

} // namespace

CLI_COMMAND("resize", "IN OUT W H [--filter N] [--threads N]",
            "resizes to W x H with filter N of the resize dialog (0 plain, 1 Box, 2 Triangle (default), "
            "3 Hermite, 4 Bell, 5 B-Spline, 6 Lanczos3, 7 Mitchell) on 1 or 2 threads",
            false, resize);
CLI_COMMAND("thumbnail", "IN OUT [--plain] [--as-stored]",
            "makes the 100 x 100 thumbnail (Triangle filter, or plain stretch with --plain) of the picture "
            "turned upright by its EXIF orientation (--as-stored: as the file stores it)", false, thumbnail);
CLI_COMMAND("fit", "IN OUT W H [--plain]",
            "fits the picture into W x H, proportions kept, never enlarged", false, fit);
CLI_COMMAND("jpeg", "IN OUT [--quality Q]", "writes IN as a baseline JPEG file at quality Q (1..100, default 90)",
            false, jpeg);
CLI_COMMAND("demo-picture", "OUT W H", "writes a generated colourful test picture of W x H", false, demo);
