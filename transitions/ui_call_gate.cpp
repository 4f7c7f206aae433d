#include "transitions/ui_call_gate.h"

#include <QScopeGuard>

namespace transitions {

void UiCallGate::call(std::function<void()> fn)
{
    std::unique_lock lock(m_mutex);
    m_pending = std::move(fn);
    lock.unlock();
    m_changed.notify_all(); // wakes a UI thread in waitForWorker
    m_poster();             // and one in its event loop
    lock.lock();
    m_changed.wait(lock, [this] { return !m_pending; });
}

void UiCallGate::finishWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_workerDone = true;
    }
    m_changed.notify_all();
}

void UiCallGate::serve()
{
    std::unique_lock lock(m_mutex);
    if (!m_pending)
        return;
    std::function<void()> fn = m_pending;
    lock.unlock();
    // The worker is released however the call ends.
    const auto release = qScopeGuard([this] {
        {
            std::lock_guard relock(m_mutex);
            m_pending = nullptr;
        }
        m_changed.notify_all();
    });
    fn();
}

void UiCallGate::waitForWorker()
{
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_workerDone || bool(m_pending); });
        if (!m_pending)
            return; // done, nothing left to run
        lock.unlock();
        serve();
    }
}

void UiCallGate::restart()
{
    std::lock_guard lock(m_mutex);
    m_pending = nullptr;
    m_workerDone = false;
}

} // namespace transitions
