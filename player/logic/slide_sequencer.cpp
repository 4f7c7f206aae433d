#include "player/logic/slide_sequencer.h"

#include <climits>

namespace player {

int displayInterval(int seconds)
{
    if (seconds <= 0)
        return 0;
    if (seconds > INT_MAX / 1000)
        return INT_MAX;
    return seconds * 1000;
}

SlideSequencer::SlideSequencer(PlayerTimer &timer, std::function<bool(int)> showSlide, std::function<void()> ended)
    : m_timer(timer), m_showSlide(std::move(showSlide)), m_ended(std::move(ended))
{
}

void SlideSequencer::setSlides(std::vector<int> displayTimes, bool loop)
{
    m_displayTimes = std::move(displayTimes);
    m_loop = loop;
    m_cursor = 0;
    m_onScreen = -1;
    m_finished = false;
}

void SlideSequencer::start()
{
    m_timer.setEnabled(true);
}

void SlideSequencer::tick()
{
    if (m_cursor > lastIndex()) {
        // Without slides, looping back to 0 would show a slide that does not exist.
        if (!m_loop || m_displayTimes.empty()) {
            m_timer.setEnabled(false);
            m_finished = !m_displayTimes.empty();
            if (m_ended)
                m_ended();
            return;
        }
        m_cursor = 0;
    }
    m_timer.setInterval(displayInterval(m_displayTimes[m_cursor]));
    m_timer.setEnabled(false);
    m_onScreen = m_cursor; // a slide that fails counts as passed: Play goes on after it
    if (!m_showSlide(m_cursor))
        return;
    m_timer.setEnabled(true);
    ++m_cursor;
}

void SlideSequencer::previous()
{
    m_timer.setEnabled(false);
    // After the end without loop, Previous shows the last slide again.
    if (m_finished)
        step(lastIndex());
    else if (m_onScreen > 0)
        step(m_onScreen - 1);
}

void SlideSequencer::next()
{
    m_timer.setEnabled(false);
    if (m_onScreen < lastIndex())
        step(m_onScreen + 1);
}

// Shows slide `to` and leaves the cursor on the slide after it, for Play.
void SlideSequencer::step(int to)
{
    m_finished = false;
    m_onScreen = to;
    m_cursor = to + 1;
    m_timer.setInterval(displayInterval(m_displayTimes[to]));
    m_showSlide(to);
}

void SlideSequencer::play()
{
    m_finished = false;
    m_cursor = m_onScreen < lastIndex() ? m_onScreen + 1 : 0;
    // A slide shown for 0 s waits for the viewer; Play is the viewer asking to go on, so
    // the next slide comes at once instead of never.
    if (m_timer.interval() == 0)
        m_timer.setInterval(1);
    m_timer.setEnabled(true);
}

void SlideSequencer::pause()
{
    m_timer.setEnabled(false);
}

} // namespace player
