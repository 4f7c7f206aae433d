#pragma once
// TAnimateThread: paces the frames of a running transition. Each round takes the time, waits
// until the previous frame has been painted, composes the next one (StepFrame) and sleeps
// for the rest of Delay, so a frame period is the larger of Delay and the time a frame takes
// to compose and paint. However the body ends, it posts the animation-finished notification
// to the control's message sink; the UI thread then frees the thread and ends the transition.
#include "transitions/manual_reset_event.h"

#include <QThread>
#include <atomic>

namespace transitions {

class TCustomPicShow;

class TAnimateThread : public QThread {
public:
    explicit TAnimateThread(TCustomPicShow &owner) : m_owner(owner) {}

    // Asks the body to end after the current step; wakes it from its sleep.
    void Terminate()
    {
        m_terminated = true;
        m_wake.set();
    }
    bool Terminated() const { return m_terminated; }
    bool Started() const { return m_started; }

protected:
    void run() override;

private:
    TCustomPicShow &m_owner;
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_terminated{false};
    ManualResetEvent m_wake;
};

} // namespace transitions
