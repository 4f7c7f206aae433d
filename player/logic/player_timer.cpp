#include "player/logic/player_timer.h"

#include <algorithm>

namespace player {

void PlayerTimer::setInterval(int milliseconds)
{
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    if (m_enabled)
        reschedule();
}

void PlayerTimer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (m_logger)
        m_logger(on ? QStringLiteral("timer on %1").arg(m_interval) : QStringLiteral("timer off"));
    reschedule();
}

void PlayerTimer::fire()
{
    if (m_enabled && m_interval > 0 && m_onTick)
        m_onTick();
}

QtPlayerTimer::QtPlayerTimer()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
}

void QtPlayerTimer::reschedule()
{
    if (isEnabled() && interval() > 0)
        m_timer.start(interval());
    else
        m_timer.stop();
}

} // namespace player
