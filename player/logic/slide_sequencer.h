#pragma once
// Which slide the player shows when: the timer tick and the play, pause, previous and next
// buttons over one cursor.
//
// The cursor means two things. For the tick it is the index of the next slide to show:
// the tick shows it, then moves the cursor on. For the buttons it is the slide on screen:
// Previous and Next move it first and then show. So the first step after the show ran on
// its own acts one slide further than the screen suggests: with A on screen (cursor 1),
// Next shows C. Play moves the cursor one on (or back to 0 at the end) and lets the timer
// show that slide after the interval last set.
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
};

} // namespace player
