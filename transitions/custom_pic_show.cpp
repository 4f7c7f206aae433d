#include "transitions/custom_pic_show.h"

#include "transitions/animate_thread.h"
#include "transitions/core/frame_composer.h"
#include "transitions/pic_show_message_sink.h"
#include "transitions/core/pixel_styles.h"
#include "transitions/core/scaled_copy.h"
#include "transitions/core/style_names.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>
#include <new>

namespace transitions {

namespace {

QThread::Priority qtPriority(TThreadPriority p)
{
    static const QThread::Priority kMap[] = {QThread::IdlePriority, QThread::LowestPriority,
                                             QThread::LowPriority, QThread::NormalPriority,
                                             QThread::HighPriority, QThread::HighestPriority,
                                             QThread::TimeCriticalPriority};
    return kMap[p];
}

} // namespace

TCustomPicShow::TCustomPicShow(QWidget *parent)
    : QWidget(parent),
      m_messageSink(new PicShowMessageSink(*this)),
      m_uiCalls([sink = m_messageSink] { QCoreApplication::postEvent(sink, new ServeUiCallEvent); })
{
    // Every paint covers the whole area from the paint buffer: nothing to erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(100, 100);
}

TCustomPicShow::~TCustomPicShow()
{
    m_destroying = true;
    Stop();
    delete m_messageSink;
}

void TCustomPicShow::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_destroying)
        return;
    if (!m_picture.isNull() && m_autoSize)
        AdjustSize();
    DoChange();
}

void TCustomPicShow::setBgPicture(const QImage &picture)
{
    m_bgPicture = picture;
    if (m_bgMode != bmNone && !m_painting)
        update();
}

void TCustomPicShow::setBgMode(TBackgroundMode mode)
{
    if (mode == m_bgMode)
        return;
    m_bgMode = mode;
    if (!m_bgPicture.isNull() && !m_painting)
        update();
}

void TCustomPicShow::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    if (on)
        AdjustSize();
}

void TCustomPicShow::setCenter(bool on)
{
    if (on == m_center)
        return;
    m_center = on;
    if (!m_picture.isNull()) {
        updatePictureRect();
        invalidateIfShown();
    }
}

void TCustomPicShow::setStretch(bool on)
{
    if (on == m_stretch)
        return;
    m_stretch = on;
    invalidateIfShown();
}

void TCustomPicShow::setStretchFine(bool on)
{
    if (on == m_stretchFine)
        return;
    m_stretchFine = on;
    invalidateIfShown();
}

void TCustomPicShow::setThreadPriority(TThreadPriority priority)
{
    m_threadPriority = priority;
    if (m_thread && m_thread->isRunning())
        m_thread->setPriority(qtPriority(priority));
}

void TCustomPicShow::setManual(bool on)
{
    if (on == m_manual)
        return;
    m_manual = on;
    if (m_frameWait)
        m_frameWait->quit();
    StopAnimation();
    if (!m_busy)
        m_progress = m_reverse ? 100 : 0;
    else if (!m_manual)
        Animate(); // the timed run goes on from the current progress
}

void TCustomPicShow::setStyle(TShowStyle style)
{
    if (style == m_style)
        return;
    if (m_busy && isPixelStyle(style) && !isPixelStyle(m_style)) {
        {
            std::lock_guard lock(m_newCanvas);
            m_newPicture.convertTo(kFrameFormat);
        }
        std::lock_guard lock(m_screenCanvas);
        m_screen.convertTo(kFrameFormat);
    }
    m_style = style;
}

QString TCustomPicShow::StyleName() const
{
    return styleName(m_style);
}

void TCustomPicShow::setStyleName(const QString &name)
{
    if (const std::optional<int> style = styleByName(name))
        setStyle(TShowStyle(*style));
}

void TCustomPicShow::setStep(int step)
{
    m_step = std::clamp(step, 1, 100);
}

void TCustomPicShow::setDelay(int milliseconds)
{
    m_delay = std::clamp(milliseconds, 0, 65535);
}

QColor TCustomPicShow::Color() const
{
    if (!m_parentColor)
        return m_color;
    const QWidget *from = parentWidget() ? parentWidget() : this;
    return from->palette().color(QPalette::Window);
}

void TCustomPicShow::setColor(const QColor &color)
{
    m_color = color;
    m_parentColor = false;
    if (!m_painting)
        update();
}

void TCustomPicShow::setParentColor(bool on)
{
    if (on == m_parentColor)
        return;
    m_color = Color();
    m_parentColor = on;
    if (!m_painting)
        update();
}

QImage TCustomPicShow::ScreenBitmap() const
{
    std::lock_guard lock(m_screenCanvas);
    return m_screen.copy();
}

void TCustomPicShow::Execute()
{
    if (m_picture.isNull() || m_busy)
        return;
    m_busy = true;
    try {
        PrepareTransition();
        if (!m_manual && !m_stopping)
            Animate();
    } catch (...) {
        {
            std::lock_guard lock(m_newCanvas);
            m_newPicture = QImage();
        }
        {
            std::lock_guard lock(m_oldCanvas);
            m_oldPicture = QImage();
        }
        m_busy = false;
        throw;
    }
}

void TCustomPicShow::Stop()
{
    if (!m_busy || m_stopping)
        return;
    m_stopping = true;
    const auto clearFlag = qScopeGuard([this] { m_stopping = false; });
    if (m_frameWait)
        m_frameWait->quit();
    if (m_manual || !StopAnimation())
        FinishTransition(); // with a thread, its end notification has finished it already
}

void TCustomPicShow::Clear()
{
    if (m_busy)
        return;
    {
        std::lock_guard lock(m_screenCanvas);
        if (m_screen.isNull())
            return;
        m_screen = QImage();
    }
    update();
}

void TCustomPicShow::DoChange() { if (m_onChange) m_onChange(this); }
void TCustomPicShow::DoProgress() { if (m_onProgress) m_onProgress(this); }
void TCustomPicShow::DoCustomDraw(QImage &Picture, QImage &Screen) { if (m_onCustomDraw) m_onCustomDraw(this, Picture, Screen); }
void TCustomPicShow::DoBeforeNewFrame(QImage &Picture, QImage &Screen) { if (m_onBeforeNewFrame) m_onBeforeNewFrame(this, Picture, Screen); }
void TCustomPicShow::DoAfterNewFrame(QImage &Picture, QImage &Screen) { if (m_onAfterNewFrame) m_onAfterNewFrame(this, Picture, Screen); }
void TCustomPicShow::DoComplete() { if (m_onComplete) m_onComplete(this); }
void TCustomPicShow::DoStart() { if (m_onStart) m_onStart(this); }
void TCustomPicShow::DoStop() { if (m_onStop) m_onStop(this); }

void TCustomPicShow::PrepareTransition()
{
    const QSize size = m_picture.size();
    {
        std::lock_guard lock(m_screenCanvas);
        QImage resized(size, kFrameFormat);
        if (resized.isNull())
            throw std::bad_alloc();
        resized.fill(Qt::white);
        if (!m_screen.isNull())
            copyPicture(m_screen, resized);
        m_screen = std::move(resized);
    }
    updatePictureRect();
    QImage oldPicture(size, kFrameFormat);
    QImage newPicture = m_picture.convertToFormat(kFrameFormat);
    if (oldPicture.isNull() || newPicture.isNull())
        throw std::bad_alloc();
    capturePaintBuffer(oldPicture);
    {
        std::lock_guard lock(m_oldCanvas);
        m_oldPicture = std::move(oldPicture);
    }
    {
        std::lock_guard lock(m_newCanvas);
        m_newPicture = std::move(newPicture);
    }
    m_progress = m_reverse ? 100 : 0;
    DoStart();
}

void TCustomPicShow::Animate()
{
    if (m_threaded) {
        m_uiCalls.restart();
        m_thread = new TAnimateThread(*this);
        m_thread->start(qtPriority(m_threadPriority));
        return;
    }
    runInPlace();
}

// Without a thread: one frame per Delay, events processed in between, until the end, a
// switch to Manual or a stop. The control may be destroyed by a handler meanwhile.
void TCustomPicShow::runInPlace()
{
    const QPointer<TCustomPicShow> alive(this);
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    do {
        const qint64 t0 = clock.elapsed();
        setProgress(nextProgress(m_progress, m_step, m_reverse));
        if (!alive)
            return;
        if (progressAtEnd(m_progress, m_reverse))
            done = !m_manual;
        else
            waitForNextFrame(t0 - clock.elapsed());
        if (!alive)
            return;
    } while (!done && !m_manual && !m_stopping && m_busy);
    if (m_busy && !m_manual)
        FinishTransition();
}

// Processes events until more than Delay milliseconds have passed since the frame began
// (sinceStart is minus the time already spent), Manual is switched on or a stop comes.
void TCustomPicShow::waitForNextFrame(qint64 sinceStart)
{
    const QPointer<TCustomPicShow> alive(this);
    QCoreApplication::processEvents();
    if (!alive || m_manual || m_stopping || !m_busy)
        return;
    const qint64 remaining = m_delay + 1 + sinceStart;
    if (remaining <= 0)
        return;
    QEventLoop wait;
    QTimer::singleShot(std::chrono::milliseconds(remaining), Qt::PreciseTimer, &wait, &QEventLoop::quit);
    QEventLoop *const outer = m_frameWait;
    m_frameWait = &wait;
    wait.exec();
    if (alive)
        m_frameWait = outer;
}

} // namespace transitions
