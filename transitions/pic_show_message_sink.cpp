#include "transitions/pic_show_message_sink.h"

#include "transitions/custom_pic_show.h"

namespace transitions {

QEvent::Type AnimationFinishedEvent::type()
{
    static const QEvent::Type registered = QEvent::Type(QEvent::registerEventType());
    return registered;
}

QEvent::Type ServeUiCallEvent::type()
{
    static const QEvent::Type registered = QEvent::Type(QEvent::registerEventType());
    return registered;
}

bool PicShowMessageSink::event(QEvent *e)
{
    if (e->type() == AnimationFinishedEvent::type()) {
        m_owner.AnimationFinished(static_cast<AnimationFinishedEvent *>(e)->thread);
        return true;
    }
    if (e->type() == ServeUiCallEvent::type()) {
        m_owner.m_uiCalls.serve();
        return true;
    }
    return QObject::event(e);
}

} // namespace transitions
