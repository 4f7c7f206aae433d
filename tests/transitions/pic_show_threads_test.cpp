// The transition control with its animation thread: event order and threads, stopping,
// holding, destroying a running control, and the hand-over primitives. Threaded cases run
// many times over to flush out races; nothing waits on a clock.
#include "pic_show_support.h"
#include "transitions/manual_reset_event.h"
#include "transitions/ui_call_gate.h"

#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace transitions;

namespace {

// A visible control paces its thread by the paint hand-over, one frame per pass of the
// event loop; a hidden one runs as fast as it composes unless its Delay is long.
std::unique_ptr<TPicShow> threadedShow(bool visible, int step = 4, int delay = 0)
{
    application();
    auto show = std::make_unique<TPicShow>();
    show->setDelay(delay);
    show->setStep(step);
    show->setPicture(solid(48, 32, 0x2255AA));
    if (visible) {
        show->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(show.get()));
        show->repaint();
    }
    return show;
}

bool increasingByStep(const std::vector<int> &p, int from, int step)
{
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i] != std::min(from + step * int(i + 1), 100))
            return false;
    return true;
}

} // namespace

TEST(PicShowThreaded, EventsInOrderWithFramesOnTheAnimationThread)
{
    for (int round = 0; round < 40; ++round) {
        const bool visible = round % 2 == 0;
        auto show = threadedShow(visible);
        EventLog log;
        log.attach(*show);
        show->setStyle(TShowStyle(round * 3 % 128));
        show->Execute();
        ASSERT_TRUE(processUntil([&] { return log.ended(); })) << round;
        EXPECT_FALSE(show->Busy());
        EXPECT_EQ(log.events(), runEvents(25)) << round;
        EXPECT_TRUE(increasingByStep(log.progress(), 0, 4)) << round;
        // Frames run on the animation thread; start, complete and stop on the UI thread.
        EXPECT_EQ(log.offUiThread().size(), 25u * 3) << round;
        const QImage screen = show->ScreenBitmap();
        EXPECT_EQ(screen.pixel(47, 31), 0xFF2255AAu);
    }
}

TEST(PicShowThreaded, StopEndsTheRunWithoutCompleting)
{
    // Visible: stopped at various points of the hand-over. Hidden: stopped while the
    // thread sleeps out a long Delay after its first frame.
    for (int round = 0; round < 60; ++round) {
        const bool visible = round % 3 != 0;
        auto show = threadedShow(visible, 1, visible ? 0 : 60000);
        EventLog log;
        log.attach(*show);
        show->setStyle(5);
        show->Execute();
        const int at = visible ? 5 + round % 40 : 1;
        ASSERT_TRUE(processUntil([&] { return show->Progress() >= at; }));
        show->Stop();
        EXPECT_FALSE(show->Busy());
        EXPECT_EQ(log.count("stop"), 1) << round;
        EXPECT_EQ(log.count("complete"), 0) << round;
        // Nothing more comes after the stop.
        const std::size_t events = log.events().size();
        QCoreApplication::processEvents();
        EXPECT_EQ(log.events().size(), events);
        EXPECT_EQ(log.events().back(), "stop");
        // The screen keeps the last frame: reveal from left up to the last progress.
        const int shown = log.progress().back();
        const QImage screen = show->ScreenBitmap();
        const int X = (48 * shown + 50) / 100;
        if (X > 0 && X < 48) {
            EXPECT_EQ(screen.pixel(X - 1, 5), 0xFF2255AAu) << round;
            EXPECT_EQ(screen.pixel(X, 5), show->isVisible() ? screen.pixel(47, 5) : 0xFFFFFFFFu) << round;
        }
    }
}

TEST(PicShowThreaded, StopRightAfterExecute)
{
    // The thread may not have composed a single frame, or may not have begun at all.
    for (int round = 0; round < 100; ++round) {
        auto show = threadedShow(round % 2 == 0);
        EventLog log;
        log.attach(*show);
        show->Execute();
        show->Stop();
        EXPECT_FALSE(show->Busy());
        EXPECT_EQ(log.count("stop"), 1);
        EXPECT_EQ(log.count("complete"), 0);
        show->Execute(); // the control can run again at once
        ASSERT_TRUE(processUntil([&] { return log.count("stop") == 2; }));
        EXPECT_EQ(log.count("complete"), 1);
    }
}

TEST(PicShowThreaded, ManualOnHoldsAndOffResumes)
{
    for (int round = 0; round < 30; ++round) {
        auto show = threadedShow(true, 1);
        EventLog log;
        log.attach(*show);
        show->Execute();
        ASSERT_TRUE(processUntil([&] { return show->Progress() >= 10 + round; }));
        show->setManual(true);
        const int held = show->Progress();
        EXPECT_TRUE(show->Busy());
        QCoreApplication::processEvents();
        EXPECT_EQ(show->Progress(), held);
        EXPECT_EQ(log.count("stop"), 0);
        show->setManual(false);
        ASSERT_TRUE(processUntil([&] { return log.ended(); }));
        // One unbroken sequence 1, 2, ..., 100 across the hold.
        EXPECT_TRUE(increasingByStep(log.progress(), 0, 1)) << round;
        EXPECT_EQ(log.count("complete"), 1);
    }
}

TEST(PicShowThreaded, ProgressSetFromTheUiThreadDuringARun)
{
    for (int round = 0; round < 20; ++round) {
        auto show = threadedShow(true, 1);
        EventLog log;
        log.attach(*show);
        show->Execute();
        ASSERT_TRUE(processUntil([&] { return show->Progress() >= 20; }));
        show->setProgress(90); // the run carries on from there
        ASSERT_TRUE(processUntil([&] { return log.ended(); }));
        const std::vector<int> p = log.progress();
        EXPECT_EQ(p.back(), 100);
        EXPECT_LT(p.size(), 60u);
        EXPECT_EQ(log.count("complete"), 1);
    }
}

TEST(PicShowThreaded, DestroyingARunningControlFiresNothing)
{
    for (int round = 0; round < 60; ++round) {
        const bool visible = round % 2 == 0;
        auto show = threadedShow(visible, 1, visible ? 0 : 60000);
        EventLog log;
        log.attach(*show);
        show->Execute();
        if (round % 3 != 0) {
            ASSERT_TRUE(processUntil([&] { return show->Progress() >= (visible ? round % 30 : 1); }));
        }
        show.reset();
        QCoreApplication::processEvents();
        EXPECT_EQ(log.count("stop"), 0);
        EXPECT_EQ(log.count("complete"), 0);
    }
}

TEST(PicShowInPlace, DestroyedByItsOwnHandlerMidRun)
{
    application();
    auto *show = new TPicShow;
    show->setThreaded(false);
    show->setDelay(0);
    show->setPicture(solid(16, 16, 0x00FF00));
    int stops = 0;
    show->setOnStop([&stops](TCustomPicShow *) { ++stops; });
    // A handler queued on the event loop destroys the control while its loop waits.
    QTimer::singleShot(0, [&show] {
        delete show;
        show = nullptr;
    });
    show->setDelay(100000);
    show->Execute();
    EXPECT_EQ(show, nullptr);
    EXPECT_EQ(stops, 0);
}

TEST(ManualResetEvent, StaysSignalledUntilReset)
{
    ManualResetEvent e(true);
    e.wait();
    e.wait();
    e.reset();
    EXPECT_FALSE(e.isSet());
    EXPECT_FALSE(e.waitFor(std::chrono::milliseconds(0)));
    std::thread setter([&e] { e.set(); });
    e.wait();
    setter.join();
    EXPECT_TRUE(e.isSet());
}

TEST(UiCallGate, WaitingUiThreadRunsTheWorkersCalls)
{
    // The worker makes calls that only the UI thread may run; the UI thread, waiting for
    // the worker to end, runs them all. The poster is never served, as in a UI thread
    // blocked in Stop.
    for (int round = 0; round < 200; ++round) {
        std::atomic<int> posted{0};
        UiCallGate gate([&posted] { ++posted; });
        const std::thread::id ui = std::this_thread::get_id();
        int ran = 0;
        bool allOnUi = true;
        std::thread worker([&] {
            for (int i = 0; i < 5; ++i)
                gate.call([&] {
                    ++ran;
                    allOnUi = allOnUi && std::this_thread::get_id() == ui;
                });
            gate.finishWorker();
        });
        gate.waitForWorker();
        worker.join();
        EXPECT_EQ(ran, 5);
        EXPECT_TRUE(allOnUi);
        EXPECT_EQ(posted, 5);
        gate.serve(); // a late posted request finds nothing to run
        EXPECT_EQ(ran, 5);
    }
}

TEST(UiCallGate, EventLoopServesCallsOutsideTheWait)
{
    std::atomic<int> posted{0};
    UiCallGate gate([&posted] { ++posted; });
    std::atomic<bool> done{false};
    int ran = 0;
    std::thread worker([&] {
        gate.call([&ran] { ++ran; });
        done = true;
    });
    while (posted == 0)
        std::this_thread::yield();
    gate.serve();
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ran, 1);
}
