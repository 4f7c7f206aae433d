#include "documents/show/show_build.h"

#include "base/read_ahead.h"
#include "player/builder/show_builder_core.h"

#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <future>
#include <optional>

namespace showdoc {

namespace {

using Picture = Result<QImage>;
using Jpeg = Result<QByteArray>;

std::unexpected<BuildFailure> failure(BuildError error, const QString &detail)
{
    return std::unexpected(BuildFailure{error, detail});
}

// Runs the slides through the writer: decoding on one worker (one picture ahead with two
// threads), encoding on another, writing here.
std::vector<QString> pathsOf(const std::vector<ShowSlide> &slides)
{
    std::vector<QString> paths;
    paths.reserve(slides.size());
    for (const ShowSlide &slide : slides)
        paths.push_back(slide.path);
    return paths;
}

class SlidePipeline {
public:
    SlidePipeline(const ShowProject &project, player::ShowExecutableWriter &writer, const BuildHooks &hooks)
        : m_slides(project.slides), m_writer(writer), m_hooks(hooks),
          m_readAhead(pathsOf(project.slides), player::decodeShowPicture, hooks.threads > 1)
    {
    }

    std::expected<BuildReport, BuildFailure> run()
    {
        BuildReport report;
        for (std::size_t i = 0; i < m_slides.size(); ++i) {
            if (m_hooks.progress)
                m_hooks.progress(int(i + 1));
            std::optional<std::future<Picture>> current = m_readAhead.take(i);
            if (!current) {
                ++report.missing;
                continue;
            }
            Picture picture = waitFor(*current, m_hooks.idle);
            m_readAhead.prefetch(i + 1);
            const Jpeg jpeg = encode(std::move(picture));
            const auto written = m_writer.addPreparedSlide(slideRecordFor(m_slides[i].entry), jpeg);
            if (!written)
                return failure(BuildError::WriteFailed, written.error().message);
            ++(*written == player::SlideWritten::Picture ? report.pictures : report.empty);
        }
        return report;
    }

private:
    // The picture is released as soon as it is encoded.
    Jpeg encode(Picture picture)
    {
        if (!picture)
            return std::unexpected(picture.error());
        std::future<Jpeg> encoding = std::async(std::launch::async, [picture = std::move(picture)]() mutable {
            Jpeg jpeg = player::encodeShowPicture(*picture);
            picture = Picture();
            return jpeg;
        });
        return waitFor(encoding, m_hooks.idle);
    }

    const std::vector<ShowSlide> &m_slides;
    player::ShowExecutableWriter &m_writer;
    const BuildHooks &m_hooks;
    ReadAhead<Picture> m_readAhead;
};

} // namespace

QString executablePathFor(const QString &projectPath)
{
    const QFileInfo project(projectPath);
    return QDir(project.path()).filePath(project.completeBaseName() + QStringLiteral(".exe"));
}

QString playerBeside(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString resolved = program.canonicalFilePath();
    const QFileInfo real(resolved.isEmpty() ? program.absoluteFilePath() : resolved);
    return QDir(real.path()).filePath(kPlayerFileName);
}

player::TShowHeader showHeaderFor(const ShowOptions &options)
{
    player::TShowHeader header;
    header.musicName = player::showMusicName(options.music);
    header.loop = options.loop;
    header.allowCopy = options.allowCopy;
    header.maxQuality = options.maxQuality;
    return header;
}

player::TSlideRecord slideRecordFor(const TEnrData_S &entry)
{
    player::TSlideRecord record;
    record.displayTime = entry.displayTime;
    record.borderColour = entry.borderColour;
    record.border = entry.border;
    record.backgroundColour = entry.backgroundColour;
    record.caption = entry.caption;
    record.captionColour = entry.captionColour;
    record.style = entry.style;
    return record;
}

QString buildFailureMessage(BuildError error)
{
    switch (error) {
    case BuildError::NoSlides:
        return QStringLiteral("Aucune image dans le script");
    case BuildError::PlayerMissing:
        return QStringLiteral("Impossible de créer le lumivelle,\rle fichier Tolvarine.bin est absent, veuillez "
                              "réinstaller le programme\rafin de remédier à ce problème.");
    case BuildError::CopyFailed:
    case BuildError::WriteFailed:
        break;
    }
    return QStringLiteral("Impossible de créer le lumivelle!");
}

std::expected<BuildReport, BuildFailure> buildShowExecutable(const ShowProject &project, const QString &playerPath,
                                                              const QString &executablePath, const BuildHooks &hooks)
{
    if (project.slides.empty())
        return failure(BuildError::NoSlides, QString());
    if (!QFileInfo(playerPath).isFile())
        return failure(BuildError::PlayerMissing, playerPath);
    auto writer = player::ShowExecutableWriter::begin(playerPath, executablePath, showHeaderFor(project.options));
    if (!writer)
        return failure(BuildError::CopyFailed, writer.error().message);
    auto report = SlidePipeline(project, **writer, hooks).run();
    if (!report)
        return report;
    if (auto finished = (*writer)->finish(); !finished)
        return failure(BuildError::WriteFailed, finished.error().message);
    report->headerOffset = (*writer)->headerOffset();
    return report;
}

} // namespace showdoc
