#pragma once
// The player's timer: an interval in milliseconds and an enabled flag, like the UI timers
// the show was written for. At interval 0 it never fires, even while enabled. Changing the
// interval of an enabled timer starts the period again.
//
// The window drives a QtPlayerTimer; tests drive their own subclass with a fake clock.
#include <QString>
#include <QTimer>
#include <functional>

namespace player {

class PlayerTimer {
public:
    virtual ~PlayerTimer() = default;

    void setInterval(int milliseconds);
    int interval() const { return m_interval; }
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    void setOnTick(std::function<void()> handler) { m_onTick = std::move(handler); }
    // Told "timer on <ms>" and "timer off" whenever the enabled flag changes.
    void setLogger(std::function<void(const QString &)> logger) { m_logger = std::move(logger); }

protected:
    // The clock behind the timer follows interval() and isEnabled(), from now on.
    virtual void reschedule() = 0;
    void fire();

private:
    int m_interval = 1;
    bool m_enabled = false;
    std::function<void()> m_onTick;
    std::function<void(const QString &)> m_logger;
};

class QtPlayerTimer final : public PlayerTimer {
public:
    QtPlayerTimer();

protected:
    void reschedule() override;

private:
    QTimer m_timer;
};

} // namespace player
