#pragma once
// Lets a worker thread run a function on the UI thread and wait until it has run, without
// ever blocking a UI thread that is itself waiting for the worker: while the UI thread
// waits for the worker to end (waitForWorker), it runs the worker's calls itself. Outside
// that wait the UI thread runs them from its event loop, where the poster function asks
// it to call serve() soon.
#include <condition_variable>
#include <functional>
#include <mutex>

namespace transitions {

class UiCallGate {
public:
    explicit UiCallGate(std::function<void()> poster) : m_poster(std::move(poster)) {}

    // Worker: runs fn on the UI thread and returns once it has run.
    void call(std::function<void()> fn);
    // Worker: the worker's body has ended; no more calls follow.
    void finishWorker();

    // UI thread: runs the waiting call, if any.
    void serve();
    // UI thread: runs the worker's calls until finishWorker.
    void waitForWorker();
    // UI thread: before a new worker starts.
    void restart();

private:
    std::function<void()> m_poster;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_pending;
    bool m_workerDone = false;
};

} // namespace transitions
