#pragma once
// An event that stays signalled until it is reset, releasing every waiter meanwhile.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace transitions {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : m_signalled(signalled) {}

    void set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_changed.notify_all();
    }
    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
    }
    bool isSet() const
    {
        std::lock_guard lock(m_mutex);
        return m_signalled;
    }
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_signalled; });
    }
    // Returns whether the event was signalled within the time.
    bool waitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [this] { return m_signalled; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled;
};

} // namespace transitions
