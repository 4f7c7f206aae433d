// show: builds a show executable straight from picture files, as the editor's show
// builder does from a show.
#include "cli/command_registry.h"
#include "cli/output_paths.h"
#include "player/builder/show_builder_core.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

namespace {

struct ShowCommand {
    QString output;
    QString player;
    QString music;
    int seconds = 5;
    int style = 0;
    bool randomStyle = false;
    bool captionFromName = false;
    player::TShowHeader header;
    QStringList pictures;
};

std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

std::optional<QString> parse(QStringList args, ShowCommand &c)
{
    const auto output = cli::takeOutput(args);
    if (!output)
        return QStringLiteral("-o OUT.exe manque");
    c.output = *output;
    cli::Options options(args);
    c.player = options.value(QStringLiteral("player"))
                   .value_or(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tolvarine.bin")));
    if (const auto time = options.value(QStringLiteral("time"))) {
        const auto s = number(*time, 0, 2147483);
        if (!s)
            return QStringLiteral("durée invalide : %1").arg(*time);
        c.seconds = *s;
    }
    if (const auto style = options.value(QStringLiteral("style"))) {
        c.randomStyle = *style == QStringLiteral("random");
        const auto n = number(*style, 0, 127);
        if (!c.randomStyle && !n)
            return QStringLiteral("style invalide : %1 (0 à 127 ou random)").arg(*style);
        c.style = n.value_or(0);
    }
    c.music = options.value(QStringLiteral("music")).value_or(QString());
    c.captionFromName = options.flag(QStringLiteral("caption-from-name"));
    c.header.loop = !options.flag(QStringLiteral("no-loop"));
    c.header.allowCopy = !options.flag(QStringLiteral("no-copy"));
    c.header.maxQuality = !options.flag(QStringLiteral("fast"));
    if (const auto unknown = options.unknownOption())
        return QStringLiteral("option inconnue : %1").arg(*unknown);
    c.pictures = options.positional();
    if (c.pictures.isEmpty())
        return QStringLiteral("aucune image");
    return std::nullopt;
}

player::TSlideRecord slideFor(const ShowCommand &c, const QString &picture)
{
    player::TSlideRecord record;
    record.displayTime = c.seconds;
    record.style = c.randomStyle ? QRandomGenerator::global()->bounded(128) : c.style;
    if (c.captionFromName)
        record.caption = QFileInfo(picture).completeBaseName();
    return record;
}

int buildShow(const QStringList &args)
{
    ShowCommand c;
    if (const auto problem = parse(args, c))
        return cli::badInput(*problem + QStringLiteral("\nusage : show -o OUT.exe [options] IMAGE..."));
    if (!QFileInfo(c.player).isFile())
        return cli::badInput(QStringLiteral("lecteur introuvable : %1").arg(c.player));
    QStringList inputs = c.pictures;
    inputs << c.player;
    if (!c.music.isEmpty())
        inputs << c.music;
    if (const auto refused = cli::outputOverInput(c.output, inputs))
        return cli::badInput(*refused);
    if (!c.music.isEmpty()) {
        auto copied = player::copyMusicBeside(c.music, QFileInfo(c.output).absolutePath());
        if (!copied)
            return cli::badInput(copied.error().message);
        c.header.musicName = player::showMusicName(c.music);
    }
    auto writer = player::ShowExecutableWriter::begin(c.player, c.output, c.header);
    if (!writer)
        return cli::badInput(writer.error().message);
    int shown = 0;
    for (const QString &picture : c.pictures) {
        const auto written = (*writer)->addSlide(picture, slideFor(c, picture));
        if (!written)
            return cli::badInput(written.error().message);
        if (*written == player::SlideWritten::Picture)
            ++shown;
        else
            std::fprintf(stderr, "lumivelle-cli: %s : %s\n", picture.toLocal8Bit().constData(),
                         *written == player::SlideWritten::Missing ? "introuvable, laissée de côté"
                                                                   : "illisible, fiche vide");
    }
    if (auto finished = (*writer)->finish(); !finished)
        return cli::badInput(finished.error().message);
    std::printf("%s: %d image(s) sur %lld, lumivelle à l'offset %lld\n", c.output.toLocal8Bit().constData(), shown,
                static_cast<long long>(c.pictures.size()), static_cast<long long>((*writer)->headerOffset()));
    return cli::kExitOk;
}

} // namespace

CLI_COMMAND("show",
            "-o OUT.exe [--player PATH] [--time S] [--style N|random] [--caption-from-name] [--music FILE] "
            "[--no-loop] [--no-copy] [--fast] PICTURE...",
            "builds a show executable from pictures (default player: Tolvarine.bin beside lumivelle-cli)",
            false, buildShow);
