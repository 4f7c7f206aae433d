// thumbnails: the explorer's folder scan from a shell. The same file selection and order,
// the same readers and thumbnail rule and the same read-ahead worker threads as the
// explorer tab; each thumbnail is written as a PNG named after its picture ("a.JPG" gives
// "a.JPG.png"), so the scan can be timed and used from scripts. Each thumbnail is written
// atomically; a write that fails is listed on stderr and counted, and makes the command
// end with status 1. The output folder may not be the scanned one.
#include "base/atomic_file.h"
#include "cli/command_registry.h"
#include "cli/output_paths.h"
#include "imaging/scan/picture_loading.h"
#include "imaging/scan/thumbnail_pipeline.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <cstdio>

namespace {

constexpr char kUsage[] = "thumbnails FOLDER OUTFOLDER [--plain] [--threads N] [--timing]";
// Light deflate: a 100-pixel thumbnail gains little from harder compression, and the
// main thread that writes the files should keep up with the decoding workers.
constexpr int kPngQuality = 80;

struct ScanCounts {
    int written = 0;
    int skipped = 0; // unreadable pictures
    int failed = 0;  // thumbnails that could not be written
    qint64 firstMs = -1; // from the start of the scan to the first thumbnail written
};

// Encoded in memory first: the PNG encoder then never meets a failing write (from which it
// does not recover cleanly), and the file's failure is the atomic writer's to report.
Result<void> writeThumbnail(const QImage &thumbnail, const QString &target)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kPngQuality);
    if (!writer.write(thumbnail))
        return fail(QStringLiteral("%1 : %2").arg(target, writer.errorString()));
    return writeFileAtomically(target, png);
}

ScanCounts writeThumbnails(const QString &folder, const QDir &out, bool filterOk, int threads,
                           const QElapsedTimer &clock)
{
    QStringList paths;
    for (const QString &name : editor::listImageNames(folder))
        paths << editor::pathInFolder(folder, name);
    editor::ThumbnailPipeline pipeline(threads);
    pipeline.start(paths, [filterOk](const QString &path) { return editor::loadThumbnailEntry(path, filterOk); });
    ScanCounts counts;
    while (!pipeline.atEnd()) {
        const editor::ScanResult result = pipeline.waitNext();
        if (!result.entry) {
            ++counts.skipped;
            continue;
        }
        const QString target = out.filePath(QFileInfo(result.path).fileName() + QStringLiteral(".png"));
        if (auto saved = writeThumbnail(result.entry->thumbnail, target); !saved) {
            std::fprintf(stderr, "lumivelle-cli: %s\n", saved.error().message.toUtf8().constData());
            ++counts.failed;
            continue;
        }
        if (counts.written++ == 0)
            counts.firstMs = clock.elapsed();
    }
    return counts;
}

int thumbnails(const QStringList &args)
{
    cli::Options options(args);
    const bool plain = options.flag(QStringLiteral("plain"));
    const bool timing = options.flag(QStringLiteral("timing"));
    const auto threadsText = options.value(QStringLiteral("threads"));
    if (auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue %1 (usage : %2)").arg(*unknown, QLatin1String(kUsage)));
    if (options.positional().size() != 2)
        return cli::badInput(QStringLiteral("usage : %1").arg(QLatin1String(kUsage)));
    bool ok = true;
    const int threads = threadsText ? threadsText->toInt(&ok) : 0;
    if (!ok || threads < 0 || threads > 64)
        return cli::badInput(QStringLiteral("nombre de fils invalide : %1").arg(*threadsText));
    const QString folder = options.positional()[0];
    if (!QFileInfo(folder).isDir())
        return cli::badInput(QStringLiteral("dossier introuvable : %1").arg(folder));
    if (const auto refused = cli::outputOverInput(options.positional()[1], {folder}))
        return cli::badInput(*refused);
    const QDir out(options.positional()[1]);
    if (!out.mkpath(QStringLiteral(".")))
        return cli::badInput(QStringLiteral("impossible de créer le dossier %1").arg(out.path()));

    QElapsedTimer clock;
    clock.start();
    const ScanCounts counts = writeThumbnails(folder, out, !plain, threads, clock);
    const qint64 totalMs = clock.elapsed();
    std::printf("%d thumbnail(s) written, %d file(s) skipped", counts.written, counts.skipped);
    if (counts.failed > 0)
        std::printf(", %d write(s) failed", counts.failed);
    std::printf("\n");
    if (timing)
        std::printf("first thumbnail %lld ms, whole scan %lld ms, %.1f thumbnails/s\n",
                    static_cast<long long>(counts.firstMs), static_cast<long long>(totalMs),
                    totalMs > 0 ? 1000.0 * counts.written / double(totalMs) : 0.0);
    return counts.failed > 0 ? cli::kExitBadInput : cli::kExitOk;
}

} // namespace

CLI_COMMAND("thumbnails", "FOLDER OUTFOLDER [--plain] [--threads N] [--timing]",
            "scans FOLDER as the image explorer does and writes each thumbnail as OUTFOLDER/<name>.png "
            "(OUTFOLDER may not be FOLDER; status 1 when a thumbnail could not be written) "
            "(--plain: plain stretch; --threads: worker threads, default one per core; "
            "--timing: time to the first thumbnail and thumbnails per second)",
            false, thumbnails);
