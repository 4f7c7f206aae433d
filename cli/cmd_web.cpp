// web: the web gallery of a show project from a shell, written by the editor's own code
// ("Créer un lumivelle Web") with the options given here instead of the dialog's. No
// configuration file is read: what is not given takes the dialog's first-use values.
#include "cli/command_registry.h"
#include "documents/show/project_file.h"
#include "documents/web/gallery_generator.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <expected>

namespace {

const char *const kUsage =
    "FILE.dap OUT.htm [--title T] [--col N] [--rows N] [--border N] [--thumb-border] [--captions] "
    "[--copyright T] [--email T] [--link-text T --url U] [--colours PAGE,TEXT,LINE] [--plain] [--threads 1|2]";

// "#RRGGBB"
std::optional<Colour> parseColour(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return makeColour(m.captured(1).toInt(nullptr, 16), m.captured(2).toInt(nullptr, 16),
                      m.captured(3).toInt(nullptr, 16));
}

// Takes "--name N" into `number`; false when the value is not a whole number.
bool takeNumber(cli::Options &options, const QString &name, int &number)
{
    const auto text = options.value(name);
    if (!text)
        return true;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok);
    if (ok)
        number = value;
    return ok;
}

bool takeColours(cli::Options &options, webgallery::GalleryOptions &gallery)
{
    const auto text = options.value(QStringLiteral("colours"));
    if (!text)
        return true;
    const QStringList parts = text->split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    const auto page = parseColour(parts[0]), fore = parseColour(parts[1]), line = parseColour(parts[2]);
    if (!page || !fore || !line)
        return false;
    gallery.pageColour = *page;
    gallery.textColour = *fore;
    gallery.lineColour = *line;
    return true;
}

// The gallery's options from the command line; a message when one is wrong.
std::expected<webgallery::GalleryOptions, QString> takeGalleryOptions(cli::Options &options)
{
    webgallery::GalleryOptions gallery;
    gallery.title = options.value(QStringLiteral("title")).value_or(QString());
    gallery.copyright = options.value(QStringLiteral("copyright")).value_or(QString());
    gallery.email = options.value(QStringLiteral("email")).value_or(QString());
    gallery.linkText = options.value(QStringLiteral("link-text")).value_or(QString());
    gallery.url = options.value(QStringLiteral("url")).value_or(QString());
    gallery.thumbnailBorder = options.flag(QStringLiteral("thumb-border"));
    gallery.captions = options.flag(QStringLiteral("captions"));
    for (const auto &[name, number] : {std::pair{QStringLiteral("col"), &gallery.columns},
                                       std::pair{QStringLiteral("rows"), &gallery.rows},
                                       std::pair{QStringLiteral("border"), &gallery.border}})
        if (!takeNumber(options, name, *number))
            return std::unexpected(QStringLiteral("--%1 attend un nombre entier").arg(name));
    if (!takeColours(options, gallery))
        return std::unexpected(QStringLiteral("--colours attend trois couleurs #RRGGBB séparées par des virgules"));
    return gallery;
}

void printProblems(const std::vector<webgallery::GalleryProblem> &problems)
{
    for (const webgallery::GalleryProblem &p : problems)
        std::fprintf(stderr, "lumivelle-cli: %s : %s\n", p.file.toLocal8Bit().constData(),
                     p.reason.toLocal8Bit().constData());
}

int web(const QStringList &args)
{
    cli::Options options(args);
    const auto gallery = takeGalleryOptions(options);
    const bool plain = options.flag(QStringLiteral("plain"));
    const QString threads = options.value(QStringLiteral("threads")).value_or(QStringLiteral("2"));
    if (!gallery)
        return cli::badInput(gallery.error());
    if (const auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue : %1").arg(*unknown));
    if (options.positional().size() != 2 || (threads != QStringLiteral("1") && threads != QStringLiteral("2")))
        return cli::badInput(QStringLiteral("usage : web %1").arg(QLatin1String(kUsage)));
    const QString project = options.positional()[0];
    const auto target = webgallery::galleryTarget(options.positional()[1]);
    if (!target)
        return cli::badInput(webgallery::kFileNameRequired);
    const showdoc::LoadedProject loaded = showdoc::LoadProjectFile(project);
    if (loaded.verdict != showdoc::ProjectVerdict::Loaded)
        return cli::badInput(QStringLiteral("%1 : Fichier non compatible avec cette version de Lumivelle (%2)")
                                 .arg(project, loaded.problem));

    std::vector<webgallery::GallerySlide> slides;
    for (const showdoc::ShowSlide &slide : loaded.project.slides)
        slides.push_back({slide.path, slide.entry.caption});
    webgallery::GalleryWork work;
    work.filterOk = !plain;
    work.threads = threads.toInt();
    webgallery::GalleryReport report = webgallery::generateGallery(slides, *gallery, *target, work);

    // A picture file that is not there cannot be read either: the page keeps its cell,
    // the command says so.
    for (const webgallery::GallerySlide &slide : slides)
        if (!QFileInfo(slide.path).isFile())
            report.problems.push_back({slide.path, QStringLiteral("fichier introuvable")});
    std::printf("%s: %lld page(s), %d image(s) copiée(s)\n", report.pages.value(0).toLocal8Bit().constData(),
                static_cast<long long>(report.pages.size()), report.pictures);
    if (report.problems.empty())
        return cli::kExitOk;
    printProblems(report.problems);
    return cli::kExitBadInput;
}

} // namespace

CLI_COMMAND("web", kUsage,
            "writes the web gallery of a show project: its pages beside OUT.htm (OUT1.htm, OUT2.htm...) with a "
            "full-size copy and a thumbnail of every picture (Triangle filter, or plain stretch with --plain); no "
            "configuration file is read",
            true, web);
