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

// The buttons take the cursor as the slide on screen while the tick left it one further.
TEST(SlideSequencer, StepsWhileRunningActOneSlideFurtherAndPause)
{
    ShowRun next({5, 5, 5});
    next.timer.advance(1); // A on screen, cursor 1
    next.sequencer.next();
    EXPECT_EQ(next.shown.back().index, 2);
    EXPECT_EQ(next.sequencer.cursor(), 2);
    EXPECT_FALSE(next.timer.isEnabled());
    next.sequencer.previous();
    EXPECT_EQ(next.shown.back().index, 1);
    next.timer.advance(60000);
    EXPECT_EQ(next.shown.size(), 3u) << "stepping leaves the show paused";

    ShowRun previous({5, 5, 5});
    previous.timer.advance(1);
    previous.sequencer.previous();
    EXPECT_EQ(previous.indices(), (std::vector<int>{0, 0}));
    EXPECT_EQ(previous.sequencer.cursor(), 0);
    EXPECT_FALSE(previous.timer.isEnabled());
}

TEST(SlideSequencer, PauseThenPlayPassesOverTheNextSlide)
{
    ShowRun run({7, 5, 5});
    run.timer.advance(1);
    run.sequencer.pause();
    run.timer.advance(100000);
    EXPECT_EQ(run.shown.size(), 1u);
    run.sequencer.play();
    EXPECT_EQ(run.sequencer.cursor(), 2);
    run.timer.advance(7000); // one display time of A
    EXPECT_EQ(run.shown.back(), (Shown{2, 107001}));
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
    EXPECT_EQ(run.shown.back().index, 2);
    EXPECT_EQ(run.sequencer.cursor(), 2);

    ShowRun ended({5, 5, 4});
    ended.timer.advance(60000);
    ended.sequencer.play();
    EXPECT_EQ(ended.sequencer.cursor(), 0);
    ended.timer.advance(4000); // one display time of C
    EXPECT_EQ(ended.shown.back(), (Shown{0, 64000}));
}

TEST(SlideSequencer, ZeroOrNegativeDisplayTimeWaitsForTheViewer)
{
    ShowRun run({0, 5, -3});
    run.timer.advance(1000000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0}));
    EXPECT_TRUE(run.timer.isEnabled());
    EXPECT_EQ(run.timer.interval(), 0);

    // Play is the viewer going on: the slide after the next one (as always after the show
    // ran on its own) comes at once; its negative time then holds it as 0 does.
    run.sequencer.play();
    run.timer.advance(1);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 2}));
    run.timer.advance(1000000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 2}));

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
    run.sequencer.play();
    run.timer.advance(5000);
    EXPECT_EQ(run.indices(), (std::vector<int>{0, 2}));
}
