#pragma once
// Helpers of the control tests: the application, waiting on a condition while events are
// processed, and a log of the control's events with the thread each ran on.
#include "transitions/pic_show.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

inline QApplication &application()
{
    static int argc = 1;
    static char name[] = "tests_transitions_control";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}

// A member declared before any widget member makes sure the application exists first.
struct ApplicationReady {
    ApplicationReady() { application(); }
};

// Processes events until done() holds; gives up after a generous limit so a hang fails
// the test instead of blocking the suite. The timer only keeps the loop waking up.
inline bool processUntil(const std::function<bool()> &done, int limitMs = 20000)
{
    QTimer heartbeat;
    heartbeat.start(5);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A solid picture of one colour.
inline QImage solid(int w, int h, QRgb colour, QImage::Format format = QImage::Format_BGR888)
{
    QImage p(w, h, format);
    p.fill(QColor::fromRgb(colour));
    return p;
}

class EventLog {
public:
    void attach(transitions::TCustomPicShow &show)
    {
        using transitions::TCustomPicShow;
        show.setOnStart([this](TCustomPicShow *) { add("start"); });
        show.setOnStop([this](TCustomPicShow *) { add("stop"); });
        show.setOnComplete([this](TCustomPicShow *) { add("complete"); });
        show.setOnProgress([this](TCustomPicShow *s) {
            add("progress");
            std::lock_guard lock(m_mutex);
            m_progress.push_back(s->Progress());
        });
        show.setOnBeforeNewFrame([this](TCustomPicShow *, QImage &, QImage &) { add("before"); });
        show.setOnAfterNewFrame([this](TCustomPicShow *, QImage &, QImage &) { add("after"); });
    }
    std::vector<std::string> events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    std::vector<int> progress() const
    {
        std::lock_guard lock(m_mutex);
        return m_progress;
    }
    int count(const std::string &name) const
    {
        std::lock_guard lock(m_mutex);
        return int(std::count(m_events.begin(), m_events.end(), name));
    }
    // Events that ran on a thread other than the UI thread.
    std::vector<std::string> offUiThread() const
    {
        std::lock_guard lock(m_mutex);
        return m_offUi;
    }
    bool ended() const { return count("stop") > 0; }

private:
    void add(const char *name)
    {
        std::lock_guard lock(m_mutex);
        m_events.emplace_back(name);
        if (QThread::currentThread() != application().thread())
            m_offUi.emplace_back(name);
    }
    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
    std::vector<std::string> m_offUi;
    std::vector<int> m_progress;
};

// The events of a run of n frames, in order.
inline std::vector<std::string> runEvents(int frames, bool completed = true)
{
    std::vector<std::string> e{"start"};
    for (int i = 0; i < frames; ++i)
        for (const char *name : {"before", "after", "progress"})
            e.emplace_back(name);
    if (completed)
        e.emplace_back("complete");
    e.emplace_back("stop");
    return e;
}
