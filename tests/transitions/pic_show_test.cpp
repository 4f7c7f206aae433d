// The transition control without a thread: properties, the in-place run, the held
// (Manual) state, capturing the old picture and painting.
#include "pic_show_support.h"

#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace transitions;

namespace {

class PicShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        show.setThreaded(false);
        show.setDelay(0);
        log.attach(show);
    }
    ApplicationReady ready;
    TPicShow show;
    EventLog log;
};

std::uint32_t pixelAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

bool allPixels(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != (colour | 0xFF000000u))
                return false;
    return true;
}

// Records the areas the control repaints.
class RecordingPicShow : public TPicShow {
public:
    std::vector<QRect> painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted.push_back(event->region().boundingRect());
        TPicShow::paintEvent(event);
    }
};

} // namespace

TEST_F(PicShowTest, DefaultsOfANewControl)
{
    EXPECT_EQ(show.size(), QSize(100, 100));
    EXPECT_EQ(show.Style(), 51);
    EXPECT_EQ(show.Step(), 4);
    EXPECT_EQ(show.Delay(), 0); // set by the fixture; the default is 40
    EXPECT_EQ(TPicShow().Delay(), 40);
    EXPECT_TRUE(TPicShow().Threaded());
    EXPECT_TRUE(show.AutoSize());
    EXPECT_FALSE(show.Center());
    EXPECT_EQ(show.BgMode(), bmTiled);
    EXPECT_EQ(show.ThreadPriority(), tpNormal);
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(show.StyleName(), QStringLiteral("Appear and Contract to middle"));
}

TEST_F(PicShowTest, ExecuteWithoutPictureOrWhileBusyDoesNothing)
{
    show.Execute();
    EXPECT_FALSE(show.Busy());
    EXPECT_TRUE(log.events().empty());
    show.setManual(true);
    show.setPicture(solid(40, 30, 0xFF0000));
    show.Execute();
    EXPECT_TRUE(show.Busy());
    show.Execute();
    EXPECT_EQ(log.events(), std::vector<std::string>{"start"});
}

TEST_F(PicShowTest, InPlaceRunFiresEveryFrameInOrder)
{
    show.setPicture(solid(40, 30, 0x00FF00));
    show.Execute(); // returns when the run is over
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(log.events(), runEvents(25));
    ASSERT_EQ(log.progress().size(), 25u);
    EXPECT_EQ(log.progress().front(), 4);
    EXPECT_EQ(log.progress().back(), 100);
    EXPECT_TRUE(allPixels(show.ScreenBitmap(), 0x00FF00));
    EXPECT_TRUE(log.offUiThread().empty());
}

TEST_F(PicShowTest, StepIsKeptWithinOneToAHundred)
{
    show.setPicture(solid(8, 8, 0x0000FF));
    show.setStep(100);
    show.Execute();
    EXPECT_EQ(log.progress(), std::vector<int>{100});
    show.setStep(0);
    EXPECT_EQ(show.Step(), 1);
    show.Execute();
    EXPECT_EQ(log.progress().size(), 1u + 100u);
    show.setStep(250);
    EXPECT_EQ(show.Step(), 100);
}

TEST_F(PicShowTest, ReverseRunsDownAndLeavesTheOldPicture)
{
    show.setPicture(solid(40, 30, 0x112233));
    show.setReverse(true);
    show.setStyle(5);
    show.Execute();
    const std::vector<int> p = log.progress();
    ASSERT_EQ(p.size(), 25u);
    EXPECT_EQ(p.front(), 96);
    EXPECT_EQ(p[1], 92);
    EXPECT_EQ(p.back(), 0);
    // Never painted: the old picture is blank, and that is what remains.
    EXPECT_TRUE(allPixels(show.ScreenBitmap(), 0xFFFFFF));
    EXPECT_EQ(log.count("complete"), 1);
}

TEST_F(PicShowTest, StopFromAHandlerEndsTheInPlaceLoop)
{
    show.setPicture(solid(40, 30, 0x445566));
    show.setStyle(5);
    show.setOnProgress([](TCustomPicShow *s) {
        if (s->Progress() == 40)
            s->Stop();
    });
    int stops = 0, completes = 0;
    show.setOnStop([&stops](TCustomPicShow *) { ++stops; });
    show.setOnComplete([&completes](TCustomPicShow *) { ++completes; });
    show.Execute();
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(show.Progress(), 40);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(completes, 0);
    // The screen keeps the frame of progress 40: reveal from left, 16 of 40 columns.
    const QImage screen = show.ScreenBitmap();
    EXPECT_EQ(pixelAt(screen, 15, 10), 0xFF445566u);
    EXPECT_EQ(pixelAt(screen, 16, 10), 0xFFFFFFFFu);
}

TEST_F(PicShowTest, StopWhileWaitingForTheNextFrame)
{
    // A long Delay: the loop sits in its wait, and a stop posted to the event loop ends it.
    show.setPicture(solid(40, 30, 0x445566));
    show.setDelay(60000);
    QTimer::singleShot(0, &show, [this] { show.Stop(); });
    show.Execute();
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(log.progress(), std::vector<int>{4});
    EXPECT_EQ(log.count("stop"), 1);
    EXPECT_EQ(log.count("complete"), 0);
}

TEST_F(PicShowTest, ManualHoldsAndResumes)
{
    show.setPicture(solid(40, 30, 0x778899));
    show.setStyle(5);
    show.setManual(true);
    show.Execute();
    EXPECT_TRUE(show.Busy());
    EXPECT_EQ(show.Progress(), 0);
    EXPECT_EQ(log.events(), std::vector<std::string>{"start"});
    show.setProgress(30);
    show.setProgress(100); // reaching the end while held does not finish
    EXPECT_TRUE(show.Busy());
    show.setProgress(50);
    EXPECT_EQ(log.progress(), (std::vector<int>{30, 100, 50}));
    show.setManual(false); // the timed run goes on from 50
    EXPECT_FALSE(show.Busy());
    const std::vector<int> p = log.progress();
    ASSERT_EQ(p.size(), 3u + 13u);
    EXPECT_EQ(p[3], 54);
    EXPECT_EQ(p.back(), 100);
    EXPECT_EQ(log.count("complete"), 1);
}

TEST_F(PicShowTest, ManualOnMidRunHoldsTheProgress)
{
    show.setPicture(solid(40, 30, 0x778899));
    show.setOnProgress([](TCustomPicShow *s) {
        if (s->Progress() == 20)
            s->setManual(true);
    });
    show.Execute();
    EXPECT_TRUE(show.Busy());
    EXPECT_EQ(show.Progress(), 20);
    show.Stop();
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(log.count("complete"), 0);
    EXPECT_EQ(log.count("stop"), 1);
    // Not busy: switching Manual sets the progress to the start of a run.
    show.setManual(false);
    EXPECT_EQ(show.Progress(), 0);
    show.setReverse(true);
    show.setManual(true);
    EXPECT_EQ(show.Progress(), 100);
}

TEST_F(PicShowTest, ProgressIsIgnoredWhenNotBusyAndClampedWhenHeld)
{
    show.setPicture(solid(20, 20, 0x123456));
    show.setProgress(50);
    EXPECT_EQ(show.Progress(), 0);
    EXPECT_TRUE(log.events().empty());
    show.setManual(true);
    show.Execute();
    show.setProgress(300);
    EXPECT_EQ(show.Progress(), 100);
    show.setProgress(100); // unchanged: no frame, no event
    EXPECT_EQ(log.count("progress"), 1);
    show.Stop();
}

TEST_F(PicShowTest, SwitchToFadeMidRunConvertsTheWorkingPictures)
{
    show.setPicture(solid(20, 10, 0x204060, QImage::Format_RGB888));
    show.setStyle(60);
    show.setManual(true);
    show.Execute();
    show.setProgress(30);
    show.setStyle(118);
    EXPECT_EQ(show.Style(), 118);
    show.setProgress(50);
    // Old (blank) and new mixed half and half: (255 + 0x20) div 2 = 0x8F, ...
    const QImage screen = show.ScreenBitmap();
    EXPECT_EQ(screen.format(), QImage::Format_RGB32);
    EXPECT_EQ(pixelAt(screen, 7, 3), 0xFF8F9FAFu);
    show.Stop();
}

TEST_F(PicShowTest, StyleNameLooksUpTheTable)
{
    show.setStyleName(QStringLiteral("reveal FROM left"));
    EXPECT_EQ(show.Style(), 5);
    EXPECT_EQ(show.StyleName(), QStringLiteral("Reveal from left"));
    show.setStyleName(QStringLiteral("no such style"));
    EXPECT_EQ(show.Style(), 5);
    show.setStyleName(QStringLiteral("Expand in from top"));
    EXPECT_EQ(show.Style(), 25);
    show.setStyle(200);
    EXPECT_TRUE(show.StyleName().isEmpty());
}

TEST_F(PicShowTest, StyleOutsideTheTableShowsTheOldPictureUntilTheEnd)
{
    show.setPicture(solid(10, 10, 0x00FF00));
    show.setStyle(200);
    std::vector<QRgb> centre;
    show.setOnAfterNewFrame([&centre](TCustomPicShow *, QImage &, QImage &screen) { centre.push_back(screen.pixel(5, 5)); });
    show.Execute();
    ASSERT_EQ(centre.size(), 25u);
    EXPECT_EQ(centre[23], 0xFFFFFFFFu);
    EXPECT_EQ(centre[24], 0xFF00FF00u);
}

TEST_F(PicShowTest, FailureWhilePreparingLeavesTheControlIdle)
{
    show.setPicture(solid(10, 10, 0x00FF00));
    show.setOnStart([](TCustomPicShow *) { throw std::runtime_error("refused"); });
    EXPECT_THROW(show.Execute(), std::runtime_error);
    EXPECT_FALSE(show.Busy());
    EXPECT_EQ(log.count("stop"), 0);
    show.setOnStart(nullptr);
    show.Execute(); // usable again
    EXPECT_EQ(log.count("stop"), 1);
}

TEST_F(PicShowTest, OldPictureIsWhatTheControlLastShowed)
{
    // Client 120 x 80 in red; the 100 x 50 picture centred at (10, 15).
    show.setAutoSize(false);
    show.resize(120, 80);
    show.setColor(QColor(255, 0, 0));
    show.setCenter(true);
    show.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    QImage captured;
    show.setOnBeforeNewFrame([&captured](TCustomPicShow *, QImage &, QImage &screen) {
        if (captured.isNull())
            captured = screen.copy();
    });
    show.setPicture(solid(100, 50, 0x0000FF));
    show.repaint();
    show.setStep(100);
    show.Execute();
    EXPECT_TRUE(allPixels(captured, 0xFF0000)); // the red client, nothing shown before
    // The blue picture is now shown; a smaller picture captures the middle of it. Only
    // that middle is repainted by its run, so a larger picture then captures red, blue
    // and green.
    captured = QImage();
    show.setPicture(solid(20, 20, 0x00FF00));
    show.Execute();
    EXPECT_TRUE(allPixels(captured, 0x0000FF));
    captured = QImage();
    show.setPicture(solid(120, 80, 0xFFFFFF));
    show.Execute();
    EXPECT_EQ(captured.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(captured.pixel(60, 40), 0xFF00FF00u);
    EXPECT_EQ(captured.pixel(45, 40), 0xFF0000FFu);
}

TEST_F(PicShowTest, LoweringTheProgressWhileHeldRepaintsTheWholePicture)
{
    RecordingPicShow recording;
    recording.setThreaded(false);
    recording.setPicture(solid(100, 50, 0x336699));
    recording.setStyle(5); // reveal from left: the changed rectangle is (0, 0, X, H)
    recording.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&recording));
    recording.repaint();
    recording.setManual(true);
    recording.Execute();
    recording.painted.clear();
    recording.setProgress(50);
    recording.setProgress(60);
    recording.setProgress(20);
    ASSERT_EQ(recording.painted.size(), 3u);
    EXPECT_EQ(recording.painted[0], QRect(0, 0, 50, 50));
    EXPECT_EQ(recording.painted[1], QRect(0, 0, 60, 50));
    EXPECT_EQ(recording.painted[2], QRect(0, 0, 100, 50));
    recording.Stop();
}

TEST_F(PicShowTest, ClearEmptiesTheScreenOnlyBetweenRuns)
{
    show.setPicture(solid(10, 10, 0x00FF00));
    show.Execute();
    EXPECT_FALSE(show.ScreenBitmap().isNull());
    show.setManual(true);
    show.Execute();
    show.Clear();
    EXPECT_FALSE(show.ScreenBitmap().isNull());
    show.Stop();
    show.Clear();
    EXPECT_TRUE(show.ScreenBitmap().isNull());
}

TEST_F(PicShowTest, AutoSizeFollowsThePictureUnlessAligned)
{
    show.setPicture(solid(64, 48, 0));
    EXPECT_EQ(show.size(), QSize(64, 48));
    show.setAutoSize(false);
    show.setPicture(solid(30, 20, 0));
    EXPECT_EQ(show.size(), QSize(64, 48));
    show.setAlign(alTop);
    show.setAutoSize(true); // turning it on sizes at once; aligned to the top keeps the width
    EXPECT_EQ(show.size(), QSize(64, 20));
    show.setAlign(alClient);
    show.setPicture(solid(10, 10, 0));
    EXPECT_EQ(show.size(), QSize(64, 20));
    int changes = 0;
    show.setOnChange([&changes](TCustomPicShow *) { ++changes; });
    show.setPicture(QImage());
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(show.Picture().isNull());
}

TEST_F(PicShowTest, PaintingDrawsColourBackgroundAndPicture)
{
    show.setAutoSize(false);
    show.resize(40, 30);
    show.setColor(QColor(0, 0, 0));
    QImage bg = solid(16, 16, 0x0000FF, QImage::Format_RGB32);
    bg.setPixel(0, 0, 0xFFFFFF00u);
    show.setBgPicture(bg);
    show.setPicture(solid(10, 10, 0xFF0000));
    show.setStep(100);
    show.Execute();
    QImage shot = show.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), 0xFFFF0000u);   // the picture at (0, 0) covers the tiles
    EXPECT_EQ(shot.pixel(16, 16), 0xFFFFFF00u); // tile corners
    EXPECT_EQ(shot.pixel(32, 16), 0xFFFFFF00u);
    EXPECT_EQ(shot.pixel(20, 20), 0xFF0000FFu);
    show.setBgMode(bmCentered); // 16 x 16 at (12, 7)
    shot = show.grab().toImage();
    EXPECT_EQ(shot.pixel(12, 7), 0xFFFFFF00u);
    EXPECT_EQ(shot.pixel(39, 29), 0xFF000000u);
    show.setBgMode(bmNone);
    show.setStretch(true); // the 10 x 10 picture over the whole client
    shot = show.grab().toImage();
    EXPECT_EQ(shot.pixel(39, 29), 0xFFFF0000u);
    show.setStretchFine(true); // kept square: 30 x 30 at (5, 0)
    shot = show.grab().toImage();
    EXPECT_EQ(shot.pixel(4, 15), 0xFF000000u);
    EXPECT_EQ(shot.pixel(5, 15), 0xFFFF0000u);
    EXPECT_EQ(shot.pixel(35, 15), 0xFF000000u);
}

TEST_F(PicShowTest, MouseEnterAndLeaveReachTheirHandlers)
{
    int enters = 0, leaves = 0;
    show.setOnMouseEnter([&enters](TCustomPicShow *) { ++enters; });
    show.setOnMouseLeave([&leaves](TCustomPicShow *) { ++leaves; });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&show, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&show, &leave);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}
