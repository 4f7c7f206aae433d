// project: the show project files from a shell, with the editor's own code: what a .dap
// holds, the import of an old .spr script into a .dap, and the build of a show executable
// from a .dap exactly as "Créer le lumivelle" makes it (the .dap itself is never written).
#include "base/path_identity.h"
#include "cli/command_registry.h"
#include "documents/show/old_script.h"
#include "documents/show/project_file.h"
#include "documents/show/show_build.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

const QString kNotCompatible = QStringLiteral("Fichier non compatible avec cette version de Lumivelle");

QByteArray hex(Colour c)
{
    return QByteArray::number(c, 16).rightJustified(6, '0').toUpper();
}

// Messages of the editor span several lines; on stderr they take one.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void printHeader(const showdoc::LoadedProject &p)
{
    const showdoc::ShowOptions &o = p.project.options;
    std::printf("header slides=%d loop=%d copy=%d max-quality=%d music \"%s\"\n", p.declaredSlides, int(o.loop),
                int(o.allowCopy), int(o.maxQuality), o.music.toUtf8().constData());
}

void printRecord(int index, const showdoc::ProjectRecordEntry &e)
{
    const showdoc::TProjectSlide &r = e.record;
    const QByteArray thumbnail = r.thumbnailSize > 0 ? QByteArray::number(r.thumbnailSize) + " bytes "
                                                             + QByteArray::number(e.thumbnail.width()) + "x"
                                                             + QByteArray::number(e.thumbnail.height())
                                                       : QByteArray("none");
    std::printf("record %d offset=%lld path=\"%s\" size=%dx%d file-size=%d time=%d border=%d border-colour=%s "
                "background=%s caption-colour=%s style=%d caption=\"%s\" thumbnail=%s\n",
                index, static_cast<long long>(e.offset), r.path.toUtf8().constData(), r.width, r.height, r.fileSize,
                r.displayTime, int(r.border), hex(r.borderColour).constData(), hex(r.backgroundColour).constData(),
                hex(r.captionColour).constData(), r.style, r.caption.toUtf8().constData(), thumbnail.constData());
}

int dump(const QStringList &args)
{
    if (args.size() != 1)
        return cli::badInput(QStringLiteral("usage : project dump FILE.dap"));
    const showdoc::LoadedProject loaded = showdoc::LoadProjectFile(args[0]);
    if (loaded.headerRead)
        printHeader(loaded);
    for (std::size_t i = 0; i < loaded.records.size(); ++i)
        printRecord(int(i), loaded.records[i]);
    const int empty = int(loaded.records.size()) - int(loaded.project.slides.size());
    switch (loaded.verdict) {
    case showdoc::ProjectVerdict::Loaded:
        std::printf("verdict: %zu slide(s), %d record(s) without thumbnail, %s; loaded\n",
                    loaded.project.slides.size(), empty,
                    loaded.missingPictures ? "some pictures missing" : "every picture present");
        return cli::kExitOk;
    case showdoc::ProjectVerdict::Incompatible:
    case showdoc::ProjectVerdict::Damaged:
        std::printf("verdict: refused\n");
        break;
    }
    return cli::badInput(QStringLiteral("%1 : %2 (%3)").arg(args[0], kNotCompatible, loaded.problem));
}

int importScript(QStringList args)
{
    const auto output = cli::takeOutput(args);
    cli::Options options(args);
    const bool plain = options.flag(QStringLiteral("plain"));
    if (const auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue : %1").arg(*unknown));
    if (options.positional().size() != 1)
        return cli::badInput(QStringLiteral("usage : project import-spr FILE.spr [-o OUT.dap] [--plain]"));
    const QString script = options.positional()[0];
    const QString target = output.value_or(showdoc::projectPathForScript(script));
    if (samePath(QFileInfo(target).absoluteFilePath(), QFileInfo(script).absoluteFilePath()))
        return cli::badInput(QStringLiteral("%1 : le script ne peut pas être remplacé par le lumivelle").arg(target));
    const auto imported = showdoc::importOldScript(script, !plain);
    if (!imported)
        return cli::badInput(QStringLiteral("%1 : %2").arg(script, oneLine(imported.error().message)));
    for (const QString &missing : imported->missingPictures)
        std::fprintf(stderr, "lumivelle-cli: %s : introuvable, laissée de côté\n", missing.toLocal8Bit().constData());
    if (imported->project.slides.empty())
        return cli::badInput(QStringLiteral("%1 : aucune image, aucun lumivelle écrit").arg(script));
    if (showdoc::isReadOnlyFile(target))
        return cli::badInput(oneLine(showdoc::readOnlyMessage(target)));
    if (auto saved = showdoc::SaveProjectFile(target, imported->project); !saved)
        return cli::badInput(oneLine(saved.error().message));
    std::printf("%s: %zu image(s)\n", target.toLocal8Bit().constData(), imported->project.slides.size());
    return cli::kExitOk;
}

int build(QStringList args)
{
    const auto output = cli::takeOutput(args);
    cli::Options options(args);
    const QString player = options.value(QStringLiteral("player"))
                               .value_or(showdoc::playerBeside(QCoreApplication::applicationFilePath()));
    const QString threads = options.value(QStringLiteral("threads")).value_or(QStringLiteral("2"));
    if (const auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue : %1").arg(*unknown));
    if (options.positional().size() != 1 || (threads != QStringLiteral("1") && threads != QStringLiteral("2")))
        return cli::badInput(
            QStringLiteral("usage : project build FILE.dap [-o OUT.exe] [--player PATH] [--threads 1|2]"));
    const QString project = options.positional()[0];
    const showdoc::LoadedProject loaded = showdoc::LoadProjectFile(project);
    if (loaded.verdict != showdoc::ProjectVerdict::Loaded)
        return cli::badInput(QStringLiteral("%1 : %2 (%3)").arg(project, kNotCompatible, loaded.problem));
    const QString target = output.value_or(showdoc::executablePathFor(project));
    showdoc::BuildHooks hooks;
    hooks.threads = threads.toInt();
    const auto built = showdoc::buildShowExecutable(loaded.project, player, target, hooks);
    if (!built)
        return cli::badInput(QStringLiteral("%1 (%2)")
                                 .arg(oneLine(showdoc::buildFailureMessage(built.error().error)), built.error().detail));
    std::printf("%s: %d image(s), %d fiche(s) vide(s), %d absente(s), lumivelle à l'offset %lld\n",
                target.toLocal8Bit().constData(), built->pictures, built->empty, built->missing,
                static_cast<long long>(built->headerOffset));
    return cli::kExitOk;
}

int project(const QStringList &args)
{
    const QString verb = args.value(0);
    const QStringList rest = args.mid(1);
    if (verb == QStringLiteral("dump"))
        return dump(rest);
    if (verb == QStringLiteral("import-spr"))
        return importScript(rest);
    if (verb == QStringLiteral("build"))
        return build(rest);
    return cli::badInput(QStringLiteral("usage : project dump|import-spr|build ..."));
}

} // namespace

CLI_COMMAND("project",
            "dump FILE.dap | import-spr FILE.spr [-o OUT.dap] [--plain] | "
            "build FILE.dap [-o OUT.exe] [--player PATH] [--threads 1|2]",
            "show projects: prints a .dap record by record, imports an old .spr script into a .dap, builds the "
            "show executable of a .dap as the editor does (default player: Tolvarine.bin beside lumivelle-cli)",
            false, project);
