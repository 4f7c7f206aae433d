#include "editor/viewer/picture_read_ahead.h"

#include "editor/viewer/viewer_picture.h"

#include <QFileInfo>
#include <chrono>

namespace editor {

PictureReadAhead::PictureReadAhead(QSize screen, bool filterOk) : m_screen(screen), m_filterOk(filterOk)
{
    m_pool.setMaxThreadCount(1);
}

PictureReadAhead::~PictureReadAhead()
{
    m_pool.waitForDone();
}

PictureReadAhead::FileStamp PictureReadAhead::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

Result<QImage> PictureReadAhead::take(const QString &path)
{
    if (m_job && m_job->path == path) {
        const std::unique_ptr<Job> job = std::move(m_job);
        if (job->stamp == stampOf(path))
            return job->result.get();
    } else if (m_job && m_job->result.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        m_job.reset(); // a picture nobody wants any more
    }
    return loadScreenPicture(path, m_screen, m_filterOk);
}

void PictureReadAhead::prefetch(const QString &path)
{
    if (m_job && (m_job->path == path || m_job->result.wait_for(std::chrono::seconds(0)) != std::future_status::ready))
        return;
    auto promise = std::make_shared<std::promise<Result<QImage>>>();
    m_job = std::make_unique<Job>(Job{path, stampOf(path), promise->get_future().share()});
    m_pool.start([promise, path, screen = m_screen, filterOk = m_filterOk] {
        try {
            promise->set_value(loadScreenPicture(path, screen, filterOk));
        } catch (...) { // worker threads never throw: the failure is the result
            promise->set_value(fail(QStringLiteral("Mémoire insuffisante pour afficher l'image.")));
        }
    });
}

} // namespace editor
