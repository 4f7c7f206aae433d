#pragma once
// Pictures of a batch read one ahead: while the current item is encoded and written, the
// next existing file is decoded on a worker, so at most two pictures are in memory. The
// batch asks for each item in order with take() and, once the current picture is decoded,
// starts the next one with prefetch(); with `ahead` off prefetch() does nothing.
#include <QFileInfo>
#include <QString>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <vector>

// Waits for a worker's result, running `idle` (the window's pending events) meanwhile.
template <class T>
T waitFor(std::future<T> &pending, const std::function<void()> &idle)
{
    using namespace std::chrono_literals;
    while (pending.wait_for(15ms) != std::future_status::ready)
        if (idle)
            idle();
    return pending.get();
}

template <class Picture>
class ReadAhead {
public:
    using Decode = std::function<Picture(const QString &path)>;

    ReadAhead(std::vector<QString> paths, Decode decode, bool ahead)
        : m_paths(std::move(paths)), m_decode(std::move(decode)), m_ahead(ahead)
    {
    }

    // The decoding of item i: the one started ahead, or a new one; none when item i's file
    // does not exist.
    std::optional<std::future<Picture>> take(std::size_t i)
    {
        std::optional<std::future<Picture>> taken;
        if (m_pending && m_pendingIndex == i)
            taken = std::move(m_pending);
        else if (QFileInfo(m_paths[i]).isFile())
            taken = later(m_paths[i]);
        m_pending.reset();
        return taken;
    }

    // Starts decoding item i ahead when reading ahead and its file exists.
    void prefetch(std::size_t i)
    {
        if (m_ahead && i < m_paths.size() && QFileInfo(m_paths[i]).isFile()) {
            m_pending = later(m_paths[i]);
            m_pendingIndex = i;
        }
    }

private:
    std::future<Picture> later(const QString &path)
    {
        return std::async(std::launch::async, [decode = m_decode, path] { return decode(path); });
    }

    std::vector<QString> m_paths;
    Decode m_decode;
    bool m_ahead;
    std::optional<std::future<Picture>> m_pending;
    std::size_t m_pendingIndex = 0;
};
