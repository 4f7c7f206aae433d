#pragma once
// The hidden receiver of the transition control's messages on the UI thread: the end of an
// animation thread, and the animation thread's requests for a synchronous repaint.
#include <QEvent>
#include <QObject>

namespace transitions {

class TAnimateThread;
class TCustomPicShow;

struct AnimationFinishedEvent : QEvent {
    explicit AnimationFinishedEvent(TAnimateThread *finished) : QEvent(type()), thread(finished) {}
    static QEvent::Type type();
    TAnimateThread *thread;
};

struct ServeUiCallEvent : QEvent {
    ServeUiCallEvent() : QEvent(type()) {}
    static QEvent::Type type();
};

class PicShowMessageSink : public QObject {
public:
    explicit PicShowMessageSink(TCustomPicShow &owner) : m_owner(owner) {}
    bool event(QEvent *e) override;

private:
    TCustomPicShow &m_owner;
};

} // namespace transitions
