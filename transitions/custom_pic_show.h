#pragma once
// TCustomPicShow: a picture control that changes from what it shows to a new picture
// through one of 128 timed, stepped transition styles, animated on a background thread
// (TAnimateThread) or in place. Every frame is composed from scratch in the screen bitmap:
// the whole old picture, then the part of the new one the style reveals at that progress.
//
// Threads: the UI thread owns the properties, Execute, Stop, painting and the end of a
// transition; the animation thread runs the Progress setter and the frame composition, and
// with them OnBeforeNewFrame, OnAfterNewFrame, OnCustomDraw and OnProgress. It waits for
// each frame to be painted (the paint-done event) and asks the UI thread for a synchronous
// repaint; a UI thread waiting for it in Stop keeps serving those repaints.
#include "transitions/pic_show_geometry.h"
#include "transitions/ui_call_gate.h"
#include "transitions/manual_reset_event.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

class QEventLoop;

namespace transitions {

class TAnimateThread;
class TCustomPicShow;

enum TBackgroundMode : quint8 { bmNone, bmTiled, bmStretched, bmCentered };
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
// How the control sits in its parent; only AdjustSize looks at it, layouts place the control.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using TShowStyle = quint8;

using TNotifyEvent = std::function<void(TCustomPicShow *Sender)>;
using TCustomDrawEvent = std::function<void(TCustomPicShow *Sender, QImage &Picture, QImage &Screen)>;

class TCustomPicShow : public QWidget {
    Q_OBJECT

public:
    explicit TCustomPicShow(QWidget *parent = nullptr);
    ~TCustomPicShow() override;

    const QImage &Picture() const { return m_picture; }
    void setPicture(const QImage &picture); // a null image empties it
    const QImage &BgPicture() const { return m_bgPicture; }
    void setBgPicture(const QImage &picture);
    TBackgroundMode BgMode() const { return m_bgMode; }
    void setBgMode(TBackgroundMode mode);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    TAlign Align() const { return m_align; }
    void setAlign(TAlign align) { m_align = align; }
    bool Center() const { return m_center; }
    void setCenter(bool on);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool StretchFine() const { return m_stretchFine; }
    void setStretchFine(bool on);
    bool Threaded() const { return m_threaded; }
    void setThreaded(bool on) { m_threaded = on; }
    TThreadPriority ThreadPriority() const { return m_threadPriority; }
    void setThreadPriority(TThreadPriority priority);
    bool Manual() const { return m_manual; }
    void setManual(bool on);
    TShowStyle Style() const { return m_style; }
    void setStyle(TShowStyle style);
    QString StyleName() const;
    void setStyleName(const QString &name);
    int Step() const { return m_step; }
    void setStep(int step); // kept within 1..100
    int Delay() const { return m_delay; }
    void setDelay(int milliseconds);
    bool Reverse() const { return m_reverse; }
    void setReverse(bool on) { m_reverse = on; }
    QColor Color() const;
    void setColor(const QColor &color);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool on);

    int Progress() const { return m_progress; }
    void setProgress(int progress); // only while Busy
    bool Busy() const { return m_busy; }

    // A copy of the screen bitmap: the frame being shown, or the last one between runs.
    QImage ScreenBitmap() const;

    virtual void Execute();
    virtual void Stop();
    virtual void Clear();

    void setOnChange(TNotifyEvent handler) { m_onChange = std::move(handler); }
    void setOnProgress(TNotifyEvent handler) { m_onProgress = std::move(handler); }
    void setOnStart(TNotifyEvent handler) { m_onStart = std::move(handler); }
    void setOnStop(TNotifyEvent handler) { m_onStop = std::move(handler); }
    void setOnComplete(TNotifyEvent handler) { m_onComplete = std::move(handler); }
    void setOnCustomDraw(TCustomDrawEvent handler) { m_onCustomDraw = std::move(handler); }
    void setOnBeforeNewFrame(TCustomDrawEvent handler) { m_onBeforeNewFrame = std::move(handler); }
    void setOnAfterNewFrame(TCustomDrawEvent handler) { m_onAfterNewFrame = std::move(handler); }
    void setOnMouseEnter(TNotifyEvent handler) { m_onMouseEnter = std::move(handler); }
    void setOnMouseLeave(TNotifyEvent handler) { m_onMouseLeave = std::move(handler); }

protected:
    virtual void DoChange();
    virtual void DoProgress();
    virtual void DoCustomDraw(QImage &Picture, QImage &Screen);
    virtual void DoBeforeNewFrame(QImage &Picture, QImage &Screen);
    virtual void DoAfterNewFrame(QImage &Picture, QImage &Screen);
    virtual void DoComplete();
    virtual void DoStart();
    virtual void DoStop();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    friend class TAnimateThread;
    friend class PicShowMessageSink;

    void PrepareTransition();
    void capturePaintBuffer(QImage &oldPicture);
    void Animate();
    void runInPlace();
    void waitForNextFrame(qint64 t0);
    void StepFrame(TAnimateThread &thread);
    void UpdateFrame();
    void InvalidateArea(const QRect &area);
    void repaintPendingArea();
    void flushPendingArea();
    void postAnimationFinished(TAnimateThread *thread); // on the animation thread
    void AnimationFinished(TAnimateThread *thread);
    bool StopAnimation();
    void FinishTransition();
    void AdjustSize();
    void updatePictureRect();
    void invalidateIfShown();
    PictureLayout layout() const;
    void drawBackground(QPainter &painter);
    void drawScreen(QPainter &painter);

    // Published state.
    QImage m_picture;
    QImage m_bgPicture;
    TBackgroundMode m_bgMode = bmTiled;
    bool m_autoSize = true;
    TAlign m_align = alNone;
    bool m_center = false;
    bool m_stretch = false;
    bool m_stretchFine = false;
    bool m_threaded = true;
    TThreadPriority m_threadPriority = tpNormal;
    std::atomic<bool> m_manual{false};
    std::atomic<TShowStyle> m_style{51};
    std::atomic<int> m_step{4};
    std::atomic<int> m_delay{40};
    std::atomic<bool> m_reverse{false};
    QColor m_color;
    bool m_parentColor = true;
    std::atomic<int> m_progress{0};
    std::atomic<bool> m_busy{false};

    // Working state, in the order it is set up.
    QImage m_screen;                 // the composed frame; between runs the last one
    QRect m_pictureRect;             // where the screen bitmap lies in the client area
    TAnimateThread *m_thread = nullptr;
    bool m_painting = false;         // a paint is being handled
    QImage m_paintBuffer;            // client-sized; what the control last displayed
    bool m_stopping = false;         // Stop is running
    QImage m_oldPicture;             // exist only while Busy
    QImage m_newPicture;
    std::recursive_mutex m_frameLock;
    ManualResetEvent m_paintDone{true};
    QObject *m_messageSink = nullptr;
    UiCallGate m_uiCalls;

    mutable std::recursive_mutex m_newCanvas, m_screenCanvas, m_oldCanvas, m_bufferCanvas;
    std::mutex m_pendingLock;
    std::vector<QRect> m_pendingArea; // invalidated picture areas not yet repainted
    std::atomic<bool> m_hasWindow{false};
    bool m_destroying = false;
    QEventLoop *m_frameWait = nullptr; // the in-place loop's wait for the next frame

    TNotifyEvent m_onChange, m_onProgress, m_onStart, m_onStop, m_onComplete, m_onMouseEnter, m_onMouseLeave;
    TCustomDrawEvent m_onCustomDraw, m_onBeforeNewFrame, m_onAfterNewFrame;
};

} // namespace transitions
