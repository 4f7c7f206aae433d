#include "player/logic/slide_sequencer.h"
#include "player_test_support.h"

#include <gtest/gtest.h>

using namespace player;

namespace {

struct Shown {
    int index;
    qint64 at;
    bool operator==(const Shown &) const = default;
};

// A show of slides A, B, C (0, 1, 2) on the fake clock; records what is shown when.
struct ShowRun {
    explicit ShowRun(std::vector<int> times, bool loop = false)
    {
        timer.setOnTick([this] { sequencer.tick(); });
        sequencer.setSlides(std::move(times), loop);
        sequencer.start();
    }
    std::vector<int> indices() const
    {
        std::vector<int> out;
        for (const Shown &s : shown)
            out.push_back(s.index);
        return out;
    }

    FakeTimer timer;
    std::vector<Shown> shown;
    std::vector<int> failing; // slides whose picture does not load
    int ends = 0;
    SlideSequencer sequencer{timer,
                             [this](int i) {
                                 if (std::find(failing.begin(), failing.end(), i) != failing.end())
                                     return false;
                                 shown.push_back({i, timer.now()});
                                 return true;
                             },
                             [this] { ++ends; }};
};

} // namespace

TEST(SlideSequencer, ShowsEachSlideForItsTimeThenStopsOnTheLastWithoutLoop)
{
    ShowRun run({5, 5, 5});
    run.timer.advance(60000);
    EXPECT_EQ(run.shown, (std::vector<Shown>{{0, 1}, {1, 5001}, {2, 10001}}));
    EXPECT_FALSE(run.timer.isEnabled());
    EXPECT_EQ(run.sequencer.cursor(), 3);
    EXPECT_EQ(run.ends, 1);
}

TEST(SlideSequencer, LoopStartsAgainAtTheFirstSlideWithoutEnd)
{
    ShowRun run({5, 2, 3}, true);
    run.timer.advance(25000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(run.shown[3], (Shown{0, 10001}));
    EXPECT_TRUE(run.timer.isEnabled());
    EXPECT_EQ(run.ends, 0);
}

// Next and Previous show the neighbours of the slide on screen, however the show got
// there, and pause it. (The cursor once meant the slide on screen for the buttons but the
// next slide for the tick, so Next on A showed C.)
TEST(SlideSequencer, StepsShowTheNeighboursOfTheSlideOnScreenAndPause)
{
    ShowRun next({5, 5, 5});
    next.timer.advance(1); // A on screen, running
    next.sequencer.next();
    EXPECT_EQ(next.indices(), (std::vector<int>{0, 1}));
    EXPECT_EQ(next.sequencer.onScreen(), 1);
    EXPECT_FALSE(next.timer.isEnabled());
    next.sequencer.next();
    next.sequencer.previous();
    EXPECT_EQ(next.indices(), (std::vector<int>{0, 1, 2, 1}));
    next.timer.advance(60000);
    EXPECT_EQ(next.shown.size(), 4u) << "stepping leaves the show paused";

    ShowRun previous({5, 5, 5});
    previous.timer.advance(5001); // B on screen, running
    previous.sequencer.previous();
    EXPECT_EQ(previous.indices(), (std::vector<int>{0, 1, 0}));
    previous.sequencer.previous(); // nothing before A: the show stays paused on it
    EXPECT_EQ(previous.indices(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(previous.sequencer.onScreen(), 0);
    EXPECT_FALSE(previous.timer.isEnabled());
}

TEST(SlideSequencer, PlayGoesOnWithTheSlideAfterTheOneOnScreen)
{
    ShowRun run({7, 5, 5});
    run.timer.advance(1);
    run.sequencer.pause();
    run.timer.advance(100000);
    EXPECT_EQ(run.shown.size(), 1u);
    run.sequencer.play();
    EXPECT_EQ(run.sequencer.cursor(), 1);
    run.timer.advance(7000); // one display time of A
    EXPECT_EQ(run.shown.back(), (Shown{1, 107001}));

    // Play while the show runs changes nothing; after a step it goes on from there.
    run.sequencer.play();
    run.timer.advance(5000);
    EXPECT_EQ(run.shown.back(), (Shown{2, 112001}));
    run.sequencer.previous();
    run.sequencer.play();
    run.timer.advance(5000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 1, 2, 1, 2}));
}

TEST(SlideSequencer, AfterTheEndNextDoesNothingPreviousAndPlayComeBack)
{
    ShowRun run({5, 5, 4});
    run.timer.advance(60000);
    ASSERT_EQ(run.sequencer.cursor(), 3);
    run.sequencer.next();
    EXPECT_EQ(run.shown.size(), 3u);
    EXPECT_EQ(run.sequencer.cursor(), 3);

    run.sequencer.previous();
    EXPECT_EQ(run.shown.back().index, 2) << "the last slide again";
    run.sequencer.previous();
    EXPECT_EQ(run.shown.back().index, 1) << "then the slide before the one on screen";

    ShowRun ended({5, 5, 4});
    ended.timer.advance(60000);
    ended.sequencer.play();
    EXPECT_EQ(ended.sequencer.cursor(), 0);
    ended.timer.advance(4000); // one display time of C
    EXPECT_EQ(ended.shown.back(), (Shown{0, 64000}));

    // With the loop, the buttons stop at the ends too; the tick goes round.
    ShowRun looping({5, 5, 5}, true);
    looping.timer.advance(10001); // C on screen
    looping.sequencer.next();
    EXPECT_EQ(looping.indices(), (std::vector<int>{0, 1, 2}));
    looping.sequencer.play();
    looping.timer.advance(5000);
    EXPECT_EQ(looping.indices(), (std::vector<int>{0, 1, 2, 0}));
}

TEST(SlideSequencer, ZeroOrNegativeDisplayTimeWaitsForTheViewer)
{
    ShowRun run({0, 5, -3});
    run.timer.advance(1000000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0}));
    EXPECT_TRUE(run.timer.isEnabled());
    EXPECT_EQ(run.timer.interval(), 0);

    // Play is the viewer going on: the next slide comes at once, the one after it 5 s
    // later, and its negative time then holds it as 0 does.
    run.sequencer.play();
    run.timer.advance(1);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 1}));
    run.timer.advance(1000000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 1, 2}));

    EXPECT_EQ(displayInterval(5), 5000);
    EXPECT_EQ(displayInterval(-1), 0);
    EXPECT_EQ(displayInterval(3000000), INT_MAX) << "no overflow into a negative interval";
}

TEST(SlideSequencer, AShowWithoutSlidesNeverShowsOneEvenWithLoop)
{
    for (bool loop : {false, true}) {
        ShowRun run({}, loop);
        run.timer.advance(100000);
        EXPECT_TRUE(run.shown.empty());
        EXPECT_FALSE(run.timer.isEnabled()) << "loop " << loop;
        run.sequencer.next();
        run.sequencer.previous();
        run.sequencer.play();
        run.timer.advance(100000);
        EXPECT_TRUE(run.shown.empty());
        EXPECT_EQ(run.ends, 2);
    }
}

TEST(SlideSequencer, ASlideThatFailsStopsTheShowAndPlayGoesOnAfterIt)
{
    ShowRun run({5, 5, 5});
    run.failing = {1};
    run.timer.advance(60000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0}));
    EXPECT_FALSE(run.timer.isEnabled());
    EXPECT_EQ(run.sequencer.cursor(), 1) << "the cursor stays on the failing slide";
    EXPECT_EQ(run.sequencer.onScreen(), 1);
    run.sequencer.play();
    run.timer.advance(5000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 2}));
}
