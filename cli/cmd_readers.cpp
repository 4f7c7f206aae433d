// decode, formats: the image format readers from a shell.
#include "cli/command_registry.h"
#include "cli/image_files.h"
#include "cli/output_paths.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/readers/reader_registry.h"

#include <QRegularExpression>
#include <cstdio>

namespace {

const char *formatName(QImage::Format format)
{
    return format == QImage::Format_ARGB32 ? "32 bits avec alpha" : "24 bits";
}

// decode IN OUT.png [--at-least WxH] [--as-stored]: any supported picture to PNG (or PPM,
// JPEG by the output's extension), photos upright by their orientation tag unless
// --as-stored; prints the size, the family and the pixel format.
int decodeCommand(const QStringList &args)
{
    cli::Options options(args);
    QSize atLeast;
    const bool asStored = options.flag(QStringLiteral("as-stored"));
    if (auto value = options.value(QStringLiteral("at-least"))) {
        const auto match = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(*value);
        if (!match.hasMatch())
            return cli::badInput(QStringLiteral("--at-least attend LxH (par exemple 200x150)"));
        atLeast = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    }
    if (auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue %1").arg(*unknown));
    if (options.positional().size() != 2)
        return cli::badInput(QStringLiteral("usage : decode IN OUT.png [--at-least LxH] [--as-stored]"));
    const QString in = options.positional()[0], out = options.positional()[1];
    if (const auto refused = cli::outputOverInput(out, {in}))
        return cli::badInput(*refused);
    imaging::PictureRequest request;
    request.atLeast = atLeast;
    request.orienting = asStored ? imaging::Orienting::AsStored : imaging::Orienting::Upright;
    auto picture = imaging::LoadPicture(in, request);
    if (!picture)
        return cli::badInput(QStringLiteral("%1 : %2").arg(in, picture.error().message));
    if (auto saved = cli::savePictureForCli(picture->image, out); !saved)
        return cli::badInput(saved.error().message);
    std::printf("%dx%d %s, %s%s\n", picture->image.width(), picture->image.height(),
                picture->family.toUtf8().constData(), formatName(picture->image.format()),
                picture->plainBitmap ? ", bitmap simple" : "");
    return cli::kExitOk;
}

// formats: every extension in the program's order, its family and what decodes it.
int formatsCommand(const QStringList &args)
{
    if (!args.isEmpty())
        return cli::badInput(QStringLiteral("usage : formats"));
    for (const imaging::ImageExtension &e : imaging::ExtensionList()) {
        const auto *family = imaging::readers::familyForExtension(e.extension);
        // Padded in characters, not bytes: "Icône" lines up with "JPEG".
        const QString line = e.extension.leftJustified(5) + u' ' + e.family.leftJustified(32) + u' ' + QLatin1StringView(family->engine);
        std::printf("%s\n", line.toUtf8().constData());
    }
    return cli::kExitOk;
}

} // namespace

CLI_COMMAND("decode", "IN OUT.png [--at-least WxH] [--as-stored]",
            "decodes a picture of any of the 37 known extensions and writes it as PNG (or PPM, JPEG); "
            "photos come upright by their EXIF orientation (--as-stored: as the file stores them)",
            true, decodeCommand);
CLI_COMMAND("formats", "", "lists the known image extensions with their family and reader", false, formatsCommand);
