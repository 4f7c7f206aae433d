// TCustomPicShow: the frames of a run, the hand-over between the animation thread and the
// UI thread, the end of a transition and the painting of the control.
#include "transitions/custom_pic_show.h"

#include "transitions/animate_thread.h"
#include "transitions/core/frame_composer.h"
#include "transitions/pic_show_message_sink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>

namespace transitions {

void TCustomPicShow::setProgress(int progress)
{
    const int v = std::clamp(progress, 0, 100);
    if (!m_busy || v == m_progress)
        return;
    {
        std::lock_guard lock(m_frameLock);
        if (v < m_progress) {
            std::lock_guard newLock(m_newCanvas);
            InvalidateArea(QRect(QPoint(0, 0), m_newPicture.size()));
        }
        m_progress = v;
        UpdateFrame();
    }
    repaintPendingArea();
    DoProgress();
}

// Composes the frame of the current progress onto the screen bitmap.
void TCustomPicShow::UpdateFrame()
{
    std::lock_guard newLock(m_newCanvas);
    std::lock_guard screenLock(m_screenCanvas);
    FrameHooks hooks;
    if (m_onBeforeNewFrame)
        hooks.beforeNewFrame = [this] { m_onBeforeNewFrame(this, m_newPicture, m_screen); };
    hooks.customDraw = [this] { DoCustomDraw(m_newPicture, m_screen); };
    hooks.invalidate = [this](const QRect &area) { InvalidateArea(area); };
    QRect changed;
    {
        std::lock_guard oldLock(m_oldCanvas);
        changed = composeFrame(m_oldPicture, m_newPicture, m_screen, m_style, m_progress, m_step, hooks);
    }
    InvalidateArea(changed);
    if (m_onAfterNewFrame)
        m_onAfterNewFrame(this, m_newPicture, m_screen);
}

void TCustomPicShow::StepFrame(TAnimateThread &thread)
{
    m_paintDone.wait();
    if (thread.Terminated())
        return;
    m_paintDone.reset();
    setProgress(nextProgress(m_progress, m_step, m_reverse));
    if (progressAtEnd(m_progress, m_reverse))
        thread.Terminate();
}

// Any thread: remembers an area of the picture to repaint. Without a window there is
// nothing to invalidate.
void TCustomPicShow::InvalidateArea(const QRect &area)
{
    if (!m_hasWindow || area.isEmpty())
        return;
    std::lock_guard lock(m_pendingLock);
    m_pendingArea.push_back(area);
}

// Any thread: repaints the remembered areas now, on the UI thread, and lets the next frame
// begin. The event is also set when nothing could be painted (a hidden control), so the
// animation never waits for a paint that will not come.
void TCustomPicShow::repaintPendingArea()
{
    bool pending = false;
    {
        std::lock_guard lock(m_pendingLock);
        pending = !m_pendingArea.empty();
    }
    if (pending) {
        if (QThread::currentThread() == thread())
            flushPendingArea();
        else
            m_uiCalls.call([this] { flushPendingArea(); });
    }
    m_paintDone.set();
}

// UI thread: the synchronous repaint of the remembered areas.
void TCustomPicShow::flushPendingArea()
{
    std::vector<QRect> areas;
    {
        std::lock_guard lock(m_pendingLock);
        areas.swap(m_pendingArea);
    }
    if (m_destroying || !isVisible())
        return;
    const PictureLayout where = layout();
    QRegion region;
    for (const QRect &area : areas)
        region += pictureToClient(area, where);
    if (region.isEmpty())
        return;
    if (m_painting)
        update(region); // no repaint from inside a paint
    else
        repaint(region);
}

void TCustomPicShow::postAnimationFinished(TAnimateThread *thread)
{
    QCoreApplication::postEvent(m_messageSink, new AnimationFinishedEvent(thread));
    m_uiCalls.finishWorker();
}

// UI thread: the animation thread has ended.
void TCustomPicShow::AnimationFinished(TAnimateThread *thread)
{
    if (thread != m_thread || !m_thread)
        return; // already handled
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (m_stopping || !m_manual)
        FinishTransition();
}

bool TCustomPicShow::StopAnimation()
{
    if (!m_thread)
        return false;
    TAnimateThread *const running = m_thread;
    running->Terminate();
    m_paintDone.set(); // wakes a thread waiting in StepFrame
    if (running->Started() || running->isRunning())
        m_uiCalls.waitForWorker(); // repaints the thread asks for meanwhile
    running->wait();
    if (running->Started())
        QCoreApplication::sendPostedEvents(m_messageSink, AnimationFinishedEvent::type());
    if (m_thread == running) // never started, or its notification went astray
        AnimationFinished(running);
    return true;
}

void TCustomPicShow::FinishTransition()
{
    m_busy = false;
    {
        std::lock_guard lock(m_newCanvas);
        m_newPicture = QImage();
    }
    {
        std::lock_guard lock(m_oldCanvas);
        m_oldPicture = QImage();
    }
    if (m_destroying)
        return;
    if (!m_stopping)
        DoComplete();
    DoStop();
}

} // namespace transitions
