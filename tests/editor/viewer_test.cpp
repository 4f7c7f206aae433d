// The full-screen viewer and the instant show: pictures fitted and centred on the screen,
// the arrows wrapping around, the instant show's timing on a fake clock, files that
// vanished or cannot be read, and the window itself.
#include "editor/viewer/form_view.h"
#include "editor/viewer/picture_read_ahead.h"
#include "editor/viewer/viewer_commands.h"
#include "editor/viewer/viewer_picture.h"
#include "editor/viewer/viewer_session.h"
#include "editor/shell/core/editor_settings.h"
#include "file_ops_test_support.h"
#include "tests/recording_prompter.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace editor;
using namespace explorer_test;
using namespace fileops_test;
using messages::Answer;

namespace {

// A timer on a clock the test moves by hand.
class FakeTimer final : public ShowTimer {
public:
    qint64 now = 0, due = 0;
    int interval = 0;
    bool active = false;

    void start(int ms) override { interval = ms, due = now + ms, active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void advance(qint64 ms)
    {
        const qint64 end = now + ms;
        while (active && due <= end) {
            now = due;
            due += interval;
            timeout();
        }
        now = end;
    }
};

class FakeScreen final : public ViewerScreen {
public:
    QImage picture;
    bool closed = false, cursorHidden = false;
    void showPicture(const QImage &shown) override { picture = shown; }
    void clearPicture() override { picture = QImage(); }
    void closeViewer() override { closed = true; }
    void setCursorHidden(bool hidden) override { cursorHidden = hidden; }
};

class ViewerTest : public ::testing::Test {
protected:
    // Entries A, B, C... of 10, 20, 30... pixels square, in the list's order.
    void makeList(int count)
    {
        fill(list, count);
        for (int i = 0; i < count; ++i) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(QChar(u'A' + i)));
            writePicture(path, 10 * (i + 1), 10 * (i + 1));
            list.setPath(i, path);
        }
    }
    QString path(int i) const { return list.path(i); }
    std::unique_ptr<ViewerSession> session(ViewerMode mode)
    {
        return std::make_unique<ViewerSession>(list, mode, pictures, screen, timer);
    }

    QTemporaryDir dir;
    TestList list;
    PictureReadAhead pictures{QSize(1024, 768), true};
    FakeScreen screen;
    FakeTimer timer;
    RecordingPrompter prompter;
};

TEST_F(ViewerTest, PicturesAreFittedToTheScreenAndCentred)
{
    const QSize screenSize(1024, 768);
    struct Case { QSize picture, shown; QPoint at; };
    for (const Case &c : {Case{{4000, 3000}, {1024, 768}, {0, 0}}, Case{{3000, 4000}, {576, 768}, {224, 0}},
                          Case{{320, 240}, {320, 240}, {352, 264}}}) {
        const QString file = dir.filePath(QStringLiteral("p%1.jpg").arg(c.picture.width()));
        writePicture(file, c.picture.width(), c.picture.height());
        auto shown = loadScreenPicture(file, screenSize, true);
        ASSERT_TRUE(shown) << shown.error().message.toStdString();
        EXPECT_EQ(shown->size(), c.shown);
        EXPECT_EQ(shown->format(), QImage::Format_BGR888);
        EXPECT_EQ(screenPosition(screenSize, shown->size()), c.at);
    }
    writeFile(dir.filePath("broken.jpg"), "\xFF\xD8 not a picture");
    auto broken = loadScreenPicture(dir.filePath("broken.jpg"), screenSize, false);
    ASSERT_FALSE(broken);
    EXPECT_FALSE(broken.error().message.isEmpty());
}

TEST_F(ViewerTest, TheArrowsWrapAroundAndEscapeOrF4Close)
{
    makeList(3);
    list.state().currentIndex = 2;
    list.state().currentPath = path(2);
    auto viewer = session(ViewerMode::View);
    ASSERT_TRUE(viewer->loadFirst());
    viewer->started(5);
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(viewer->keyPressed(Qt::Key_Right));
    EXPECT_EQ(viewer->shownPath(), path(0));
    EXPECT_EQ(screen.picture.size(), QSize(10, 10));
    EXPECT_TRUE(viewer->keyPressed(Qt::Key_Left));
    EXPECT_EQ(viewer->shownPath(), path(2));
    viewer->keyPressed(Qt::Key_Down);
    EXPECT_EQ(viewer->shownPath(), path(1));
    viewer->keyPressed(Qt::Key_Up);
    EXPECT_EQ(viewer->shownPath(), path(2));
    EXPECT_FALSE(viewer->keyPressed(Qt::Key_Space));
    EXPECT_FALSE(screen.closed);
    EXPECT_TRUE(viewer->keyPressed(Qt::Key_F4));
    EXPECT_TRUE(screen.closed);
    EXPECT_EQ(list.state().currentIndex, 2); // the list is only read

    // After a layout the list has no current index: the arrows go on from the file shown.
    list.state().currentIndex = -1;
    list.state().currentPath = path(1);
    auto again = session(ViewerMode::View);
    ASSERT_TRUE(again->loadFirst());
    again->started(5);
    again->keyPressed(Qt::Key_Right);
    EXPECT_EQ(again->shownPath(), path(2));
    again->clicked();
    EXPECT_TRUE(prompter.asked.empty()); // the viewer closes on a click without asking
}

TEST_F(ViewerTest, TheInstantShowStepsEveryIntervalAndLoops)
{
    makeList(3);
    auto show = session(ViewerMode::InstantShow);
    ASSERT_TRUE(show->loadFirst());
    EXPECT_EQ(show->shownPath(), path(0));
    show->started(5);
    EXPECT_TRUE(screen.cursorHidden);
    EXPECT_EQ(timer.interval, 5000);
    timer.advance(4999);
    EXPECT_EQ(show->shownPath(), path(0));
    const QStringList expected{path(1), path(2), path(0), path(1)}; // at 5, 10, 15 and 20 s
    for (int i = 0; i < expected.size(); ++i) {
        timer.advance(i == 0 ? 1 : 5000);
        EXPECT_EQ(show->shownPath(), expected[i]) << i;
    }
    EXPECT_FALSE(show->keyPressed(Qt::Key_Right)); // no stepping by hand
    EXPECT_EQ(instantShowInterval(0), 5000);
    EXPECT_EQ(instantShowInterval(-3), 5000);
    EXPECT_EQ(instantShowInterval(3), 3000);
}

TEST_F(ViewerTest, AClickAsksAndCancelLetsTheShowGoOn)
{
    makeList(3);
    auto show = session(ViewerMode::InstantShow);
    ASSERT_TRUE(show->loadFirst());
    show->started(2);
    timer.advance(1000);
    prompter.answers = {Answer::Cancel, Answer::Yes};
    show->clicked();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Quitter le lumivelle ?"));
    EXPECT_EQ(prompter.asked[0].buttons, messages::Buttons::YesCancel);
    EXPECT_FALSE(screen.closed);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(show->index(), 1);
    timer.advance(2000);
    EXPECT_EQ(show->shownPath(), path(1));
    show->clicked();
    EXPECT_TRUE(screen.closed);
}

TEST_F(ViewerTest, OneImageStopsTheTimerAndAVanishedFileIsSkipped)
{
    makeList(1);
    auto single = session(ViewerMode::InstantShow);
    ASSERT_TRUE(single->loadFirst());
    single->started(5);
    timer.advance(5000);
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(screen.closed);
    EXPECT_EQ(single->shownPath(), path(0));

    list.clear();
    makeList(3);
    QFile::remove(path(1));
    auto show = session(ViewerMode::InstantShow);
    ASSERT_TRUE(show->loadFirst());
    show->started(5);
    timer.advance(5000);
    EXPECT_EQ(show->shownPath(), path(0)); // the image before stays for two intervals
    EXPECT_TRUE(screen.picture.isNull());   // nothing was put on the screen
    timer.advance(5000);
    EXPECT_EQ(show->shownPath(), path(2));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ViewerTest, AnUnreadableFileEndsTheShowWithAWarning)
{
    makeList(3);
    writeFile(path(1), "not a picture");
    auto show = session(ViewerMode::InstantShow);
    ASSERT_TRUE(show->loadFirst());
    show->started(5);
    timer.advance(5000);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Warning);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Erreur de lecture de l'image."));
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(screen.picture.isNull());
    EXPECT_TRUE(screen.closed);
    EXPECT_FALSE(screen.cursorHidden);

    // When the first image cannot be read, its reader's message is shown and no window opens.
    writeFile(path(0), "not a picture either");
    EditorSettings settings;
    EXPECT_FALSE(startInstantShow(&list, settings, nullptr));
    EXPECT_EQ(prompter.asked.back().kind, messages::Kind::Error);
    EXPECT_NE(prompter.asked.back().text, QStringLiteral("Erreur de lecture de l'image."));
}

TEST_F(ViewerTest, AFileChangedAfterItWasReadAheadIsReadAgain)
{
    makeList(2);
    pictures.prefetch(path(1));
    EXPECT_EQ(pictures.pendingPath(), path(1));
    QTest::qWait(50);
    writePicture(path(1), 70, 50);
    QFile(path(1)).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    auto taken = pictures.take(path(1));
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->size(), QSize(70, 50));
    EXPECT_TRUE(pictures.pendingPath().isEmpty());
}

TEST_F(ViewerTest, TheWindowCentresThePictureAndClosesOnEscape)
{
    makeList(2);
    list.state().currentIndex = 0;
    list.state().currentPath = path(0);
    EditorSettings settings;
    TFormView view(list, ViewerMode::View, settings);
    ASSERT_TRUE(view.prepare());
    view.showOnScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.imageScreen()->geometry(),
              QRect(screenPosition(view.size(), QSize(10, 10)), QSize(10, 10)));
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.imageScreen()->size(), QSize(20, 20));
    EXPECT_EQ(view.imageScreen()->pos(), screenPosition(view.size(), QSize(20, 20)));
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());

    // Missing current file: nothing opens, and only the show and album lists say so.
    list.state().currentPath = dir.filePath("absent.png");
    EXPECT_FALSE(openViewer(&list, false, settings, nullptr));
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_FALSE(openViewer(&list, true, settings, nullptr));
    EXPECT_EQ(prompter.asked.size(), 1u);
}

} // namespace
