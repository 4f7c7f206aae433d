#include "transitions/animate_thread.h"

#include "transitions/custom_pic_show.h"

#include <QElapsedTimer>
#include <QScopeGuard>

namespace transitions {

void TAnimateThread::run()
{
    m_started = true;
    const auto notify = qScopeGuard([this] { m_owner.postAnimationFinished(this); });
    QElapsedTimer clock;
    clock.start();
    while (!m_terminated) {
        const qint64 t0 = clock.elapsed(); // before the paint-done wait, which counts towards Delay
        m_owner.StepFrame(*this);
        if (m_terminated)
            break;
        const qint64 wait = m_owner.Delay() - (clock.elapsed() - t0);
        if (wait >= 0)
            m_wake.waitFor(std::chrono::milliseconds(wait));
    }
}

} // namespace transitions
