#include "imaging/scan/thumbnail_pipeline.h"

#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>

namespace editor {

namespace {

// Nothing thrown may leave a worker thread: a file whose loading throws (memory running
// out, a library's own exception) is a file that could not be read.
std::optional<TEnrData> loadCatchingAll(const ThumbnailPipeline::Loader &load, const QString &path)
{
    try {
        return load(path);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

struct ThumbnailPipeline::Shared {
    std::mutex mutex;
    std::condition_variable finished;
    std::uint64_t run = 0; // bumped by start and cancel; stale loads are dropped
    QStringList paths;
    Loader load;
    std::function<void()> onReady;
    int dispatched = 0;    // paths handed to the workers
    std::vector<char> started; // per index: handed to the workers
    int nextInOrder = 0;   // no index below it waits to be started, but preferred ones
    std::vector<int> preferred;
    std::size_t preferredAt = 0;
    int taken = 0;         // entries taken by the consumer (in order: also the next index)
    bool cancelled = false;
    std::map<int, ScanResult> done; // finished, waiting for their turn
    int mostAhead = 0;
};

ThumbnailPipeline::ThumbnailPipeline(int threads, int readAhead)
    : m_threads(threads > 0 ? threads : std::max(2, QThread::idealThreadCount())),
      m_readAhead(readAhead > 0 ? readAhead : std::max(4, 2 * m_threads)),
      m_shared(std::make_shared<Shared>())
{
    m_pool.setMaxThreadCount(m_threads);
    m_pool.setExpiryTimeout(-1); // keep the workers between scans
}

ThumbnailPipeline::~ThumbnailPipeline()
{
    cancel();
    m_pool.waitForDone();
}

void ThumbnailPipeline::start(QStringList paths, Loader load, std::function<void()> onReady)
{
    cancel();
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->paths = std::move(paths);
        m_shared->load = std::move(load);
        m_shared->onReady = std::move(onReady);
        m_shared->dispatched = 0;
        m_shared->started.assign(std::size_t(m_shared->paths.size()), 0);
        m_shared->nextInOrder = 0;
        m_shared->preferred.clear();
        m_shared->preferredAt = 0;
        m_shared->taken = 0;
        m_shared->cancelled = false;
        m_shared->done.clear();
        m_shared->mostAhead = 0;
    }
    dispatch();
}

void ThumbnailPipeline::append(const QStringList &paths)
{
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->cancelled)
            return;
        m_shared->paths += paths;
        m_shared->started.resize(std::size_t(m_shared->paths.size()), 0);
    }
    dispatch();
}

void ThumbnailPipeline::prefer(std::vector<int> indices)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->preferred = std::move(indices);
        m_shared->preferredAt = 0;
    }
    dispatch();
}

// Hands paths to the workers until `readAhead` are out beyond the last one taken.
void ThumbnailPipeline::dispatch()
{
    std::lock_guard lock(m_shared->mutex);
    Shared &s = *m_shared;
    // A preferred index, else the first of the run not started; -1 when none is left.
    auto nextToStart = [&s] {
        while (s.preferredAt < s.preferred.size()) {
            const int index = s.preferred[s.preferredAt++];
            if (index >= 0 && index < s.paths.size() && !s.started[std::size_t(index)])
                return index;
        }
        while (s.nextInOrder < s.paths.size() && s.started[std::size_t(s.nextInOrder)])
            ++s.nextInOrder;
        return s.nextInOrder < s.paths.size() ? s.nextInOrder++ : -1;
    };
    while (!s.cancelled && s.dispatched < s.taken + m_readAhead) {
        const int index = nextToStart();
        if (index < 0)
            break;
        s.started[std::size_t(index)] = 1;
        ++s.dispatched;
        s.mostAhead = std::max(s.mostAhead, s.dispatched - s.taken);
        m_pool.start([shared = m_shared, run = s.run, index] {
            Loader load;
            QString path;
            {
                std::lock_guard lock(shared->mutex);
                if (shared->run != run)
                    return;
                load = shared->load;
                path = shared->paths[index];
            }
            ScanResult result{path, loadCatchingAll(load, path), index};
            std::function<void()> onReady;
            {
                std::lock_guard lock(shared->mutex);
                if (shared->run != run)
                    return;
                shared->done.emplace(index, std::move(result));
                onReady = shared->onReady;
            }
            shared->finished.notify_all();
            if (onReady)
                onReady();
        });
    }
}

std::optional<ScanResult> ThumbnailPipeline::takeNext()
{
    std::optional<ScanResult> result;
    {
        std::lock_guard lock(m_shared->mutex);
        auto found = m_shared->done.find(m_shared->taken);
        if (m_shared->cancelled || found == m_shared->done.end())
            return std::nullopt;
        result = std::move(found->second);
        m_shared->done.erase(found);
        ++m_shared->taken;
    }
    dispatch();
    return result;
}

std::optional<ScanResult> ThumbnailPipeline::takeFinished()
{
    std::optional<ScanResult> result;
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->cancelled || m_shared->done.empty())
            return std::nullopt;
        auto first = m_shared->done.begin();
        result = std::move(first->second);
        m_shared->done.erase(first);
        ++m_shared->taken;
    }
    dispatch();
    return result;
}

ScanResult ThumbnailPipeline::waitNext()
{
    {
        std::unique_lock lock(m_shared->mutex);
        m_shared->finished.wait(lock, [&] {
            return m_shared->cancelled || m_shared->done.contains(m_shared->taken);
        });
    }
    if (auto result = takeNext())
        return std::move(*result);
    return {};
}

bool ThumbnailPipeline::atEnd() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->cancelled || m_shared->taken >= m_shared->paths.size();
}

void ThumbnailPipeline::cancel()
{
    {
        std::lock_guard lock(m_shared->mutex);
        ++m_shared->run;
        m_shared->cancelled = true;
        m_shared->done.clear();
    }
    m_pool.clear(); // loads not yet started never run
    m_shared->finished.notify_all();
}

int ThumbnailPipeline::mostReadAhead() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->mostAhead;
}

} // namespace editor
