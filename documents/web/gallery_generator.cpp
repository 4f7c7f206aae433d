#include "documents/web/gallery_generator.h"

#include "base/atomic_file.h"
#include "base/read_ahead.h"
#include "base/result.h"
#include "documents/web/gallery_names.h"
#include "documents/web/gallery_pages.h"
#include "imaging/jpeg_codec.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/scan/picture_loading.h"
#include "imaging/thumbnail.h"

#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <future>
#include <optional>

namespace webgallery {

namespace {

using Picture = Result<QImage>;
using Problems = std::vector<GalleryProblem>;

constexpr int kListedProblems = 15;

const QString kOutOfMemory = QStringLiteral("mémoire insuffisante");

// The picture as a plain 24-bit bitmap, unless the readers gave a Windows bitmap.
Picture decodePicture(const QString &path)
{
    auto loaded = imaging::LoadPicture(path);
    if (!loaded)
        return fail(loaded.error().message);
    QImage picture = loaded->plainBitmap ? std::move(loaded->image) : editor::toPlainBitmap(std::move(loaded->image));
    if (picture.isNull())
        return fail(kOutOfMemory);
    return picture;
}

// Both copies of one picture; the picture is released once its thumbnail is made.
Problems writeCopies(QImage picture, const QString &image, const QString &thumbnail, bool filterOk)
{
    Problems problems;
    if (auto saved = imaging::saveJpegFile(picture, image, kGalleryJpegQuality); !saved)
        problems.push_back({image, saved.error().message});
    const QImage small = imaging::MakeThumbnail(picture, filterOk);
    picture = QImage();
    if (small.isNull())
        problems.push_back({thumbnail, kOutOfMemory});
    else if (auto saved = imaging::saveJpegFile(small, thumbnail, kGalleryJpegQuality); !saved)
        problems.push_back({thumbnail, saved.error().message});
    return problems;
}

struct PictureJob {
    QString source;
    QString image;     // full paths of the two copies
    QString thumbnail;
};

std::vector<QString> sourcesOf(const std::vector<PictureJob> &jobs)
{
    std::vector<QString> sources;
    sources.reserve(jobs.size());
    for (const PictureJob &job : jobs)
        sources.push_back(job.source);
    return sources;
}

// Runs the pictures through decoding (one picture ahead with two threads) and writing,
// both on workers; the caller's thread waits and idles.
class PicturePipeline {
public:
    PicturePipeline(const std::vector<PictureJob> &jobs, const GalleryWork &work, GalleryReport &report)
        : m_jobs(jobs), m_work(work), m_report(report), m_readAhead(sourcesOf(jobs), decodePicture, work.threads > 1)
    {
    }

    void run()
    {
        for (std::size_t i = 0; i < m_jobs.size(); ++i) {
            runOne(i);
            if (m_work.progress)
                m_work.progress(int(i + 1));
        }
    }

private:
    void runOne(std::size_t i)
    {
        std::optional<std::future<Picture>> decoding = m_readAhead.take(i);
        if (!decoding) {
            ++m_report.missing;
            return;
        }
        Picture picture = waitFor(*decoding, m_work.idle);
        m_readAhead.prefetch(i + 1);
        if (!picture) {
            m_report.problems.push_back({m_jobs[i].source, picture.error().message});
            return;
        }
        const PictureJob &job = m_jobs[i];
        std::future<Problems> writing = std::async(
            std::launch::async, [picture = std::move(*picture), job, filterOk = m_work.filterOk]() mutable {
                return writeCopies(std::move(picture), job.image, job.thumbnail, filterOk);
            });
        const Problems problems = waitFor(writing, m_work.idle);
        if (problems.empty())
            ++m_report.pictures;
        m_report.problems.insert(m_report.problems.end(), problems.begin(), problems.end());
    }

    const std::vector<PictureJob> &m_jobs;
    const GalleryWork &m_work;
    GalleryReport &m_report;
    ReadAhead<Picture> m_readAhead;
};

} // namespace

std::optional<GalleryTarget> galleryTarget(const QString &htmlPath)
{
    const QFileInfo file(htmlPath);
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    GalleryTarget target{file.absolutePath(), dot < 0 ? name : name.left(dot), dot < 0 ? QString() : name.mid(dot)};
    if (htmlPath.isEmpty() || target.base.isEmpty())
        return std::nullopt;
    return target;
}

GalleryReport generateGallery(const std::vector<GallerySlide> &slides, const GalleryOptions &options,
                              const GalleryTarget &target, const GalleryWork &work)
{
    const QDir folder(target.folder);
    QStringList sources, pageNames;
    for (const GallerySlide &slide : slides)
        sources << slide.path;
    const int pages = pageCount(int(slides.size()), options);
    for (int page = 0; page < pages; ++page)
        pageNames << pageName(target.base, target.ext, page);
    const std::vector<PictureNames> names = assignPictureNames(sources, target.folder, pageNames);

    std::vector<GalleryCell> cells;
    std::vector<PictureJob> jobs;
    for (std::size_t i = 0; i < slides.size(); ++i) {
        cells.push_back({names[i].thumbnail, names[i].image, slides[i].caption});
        jobs.push_back({slides[i].path, folder.filePath(names[i].image), folder.filePath(names[i].thumbnail)});
    }

    GalleryReport report;
    for (const GalleryPage &page : writePages(cells, options, target.base, target.ext)) {
        const QString path = folder.filePath(page.name);
        report.pages << path;
        if (auto written = writeFileAtomically(path, page.bytes); !written)
            report.problems.push_back({path, written.error().message});
    }
    PicturePipeline(jobs, work, report).run();
    return report;
}

QString problemsMessage(const std::vector<GalleryProblem> &problems)
{
    QString text = QStringLiteral("Certains fichiers du lumivelle Web n'ont pas pu être lus ou écrits :");
    const int listed = std::min(int(problems.size()), kListedProblems);
    for (int i = 0; i < listed; ++i)
        text += QStringLiteral("\r%1 (%2)").arg(QDir::toNativeSeparators(problems[std::size_t(i)].file),
                                                problems[std::size_t(i)].reason);
    if (int(problems.size()) > listed)
        text += QStringLiteral("\r... et %1 autre(s)").arg(int(problems.size()) - listed);
    return text;
}

} // namespace webgallery
