#pragma once
// Which slide the player shows when: the timer tick and the play, pause, previous and next
// buttons.
//
// Two indices: the cursor, the next slide the tick shows (it shows it, then moves the
// cursor on), and the slide on screen (the last one shown or tried). The buttons work from
// the slide on screen: Next shows the slide after it, Previous the one before, both
// pausing the show; Play lets the timer show the slide after it once the interval last set
// has passed, or the first slide again when the last one is on screen. So stepping never
// skips a slide, whether the show ran on its own or was paused.
//
// The show ends when a tick finds the cursor past the last slide without the loop flag:
// the timer stops, the last slide stays on screen. A show without slides never tries to
// show one, loop or not.
#include "player/logic/player_timer.h"

#include <functional>
#include <vector>

namespace player {

// A display time in seconds as a timer interval: negative times count as 0 (the slide
// waits for the viewer), huge ones are cut to the longest interval the timer takes.
int displayInterval(int seconds);

class SlideSequencer {
public:
    // showSlide(i) shows slide i and says whether it could; a slide that fails leaves the
    // show stopped with the cursor where it was. ended() is told when the show ends.
    SlideSequencer(PlayerTimer &timer, std::function<bool(int)> showSlide, std::function<void()> ended = {});

    // Display times in seconds, one per slide, in show order.
    void setSlides(std::vector<int> displayTimes, bool loop);

    int cursor() const { return m_cursor; }
    // The slide on screen, or the one whose showing failed last; -1 before the first.
    int onScreen() const { return m_onScreen; }
    int lastIndex() const { return int(m_displayTimes.size()) - 1; }
    bool loop() const { return m_loop; }

    void start();    // the first tick comes at once (the interval is still 1 ms)
    void tick();     // TimerTimer
    void previous(); // B_PrecClick
    void next();     // B_SuivClick
    void play();     // B_LecClick
    void pause();    // B_PauseClick

private:
    void step(int to);

    PlayerTimer &m_timer;
    std::function<bool(int)> m_showSlide;
    std::function<void()> m_ended;
    std::vector<int> m_displayTimes;
    bool m_loop = false;
    int m_cursor = 0;
    int m_onScreen = -1;
    bool m_finished = false; // ended without loop: Previous shows the last slide again
};

} // namespace player
