#include "player_window_fixture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace player;

namespace {

TShowHeader header(bool loop = false, bool allowCopy = true, const QString &music = {})
{
    TShowHeader h;
    h.loop = loop;
    h.allowCopy = allowCopy;
    h.maxQuality = true;
    h.musicName = music;
    return h;
}

} // namespace

TEST_F(PlayerWindow, FitsEachSlideToTheWindowWithItsCaptionLine)
{
    open(header(), {slideOf(solidPicture(600, 900, 0x2040C0), QStringLiteral("Portrait")),
                    slideOf(solidPicture(2000, 1000, 0x20C040)), slideOf(solidPicture(800, 600, 0xC04020))});
    form->FormShow();
    timer->advance(1);
    EXPECT_EQ(form->slideBitmap().size(), QSize(492, 738));
    EXPECT_TRUE(form->LabelComment->isVisibleTo(form.get()));
    EXPECT_EQ(form->LabelComment->geometry(), QRect(0, 768 - 29, 1024, 29));
    EXPECT_EQ(form->ImageScreen->geometry(), QRect(0, 0, 1024, 768 - 29));

    timer->advance(5000);
    EXPECT_EQ(form->slideBitmap().size(), QSize(1024, 512));
    EXPECT_FALSE(form->LabelComment->isVisibleTo(form.get()));
    EXPECT_EQ(form->ImageScreen->geometry(), QRect(0, 0, 1024, 768));

    timer->advance(5000);
    EXPECT_EQ(form->ImageScreen->Picture().size(), QSize(800, 600)) << "never enlarged";
    EXPECT_TRUE(form->ImageScreen->Center());
    EXPECT_FALSE(form->ImageScreen->AutoSize());

    EXPECT_EQ(shownLines(), (QStringList{QStringLiteral("show 0 492x738 style=56 caption=Portrait"),
                                         QStringLiteral("show 1 1024x512 style=56 caption="),
                                         QStringLiteral("show 2 800x600 style=56 caption=")}));
    EXPECT_EQ(trace().mid(0, 4), (QStringList{QStringLiteral("timer on 1"), QStringLiteral("timer off"),
                                              QStringLiteral("show 0 492x738 style=56 caption=Portrait"),
                                              QStringLiteral("timer on 5000")}));
}

TEST_F(PlayerWindow, SlideColoursBorderAndMendedStyleReachTheScreen)
{
    ShowSlideData s = slideOf(solidPicture(300, 200, 0x000000), QStringLiteral("Été"), 5, 300);
    s.record.border = true;
    s.record.borderColour = makeColour(255, 0, 0);
    s.record.backgroundColour = makeColour(0, 0, 255);
    s.record.captionColour = makeColour(0, 255, 0);
    open(header(), {s});
    form->FormShow();
    timer->advance(1);
    const QImage picture = form->ImageScreen->Picture();
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(299, 199), qRgb(255, 0, 0));
    EXPECT_LT(qRed(picture.pixel(1, 1)), 20) << "only the outermost pixels are painted over";
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(form->ImageScreen->Color(), QColor(0, 0, 255)) << "the control follows the window";
    EXPECT_EQ(form->LabelComment->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(form->ImageScreen->Style(), 0) << "style 300 is out of range";
    EXPECT_EQ(shownLines(), QStringList{QStringLiteral("show 0 300x200 style=0 caption=Été")});
}

// A caption is text as typed: tags and entities are not markup.
TEST_F(PlayerWindow, CaptionsAreShownAsWritten)
{
    const QString caption = QStringLiteral("<i>Plage</i> &amp; <b>dunes</b>");
    open(header(), {slideOf(solidPicture(64, 48, 0x404040), caption)});
    form->FormShow();
    timer->advance(1);
    EXPECT_EQ(form->LabelComment->text(), caption);
    EXPECT_GE(form->LabelComment->sizeHint().width(),
              QFontMetrics(form->LabelComment->font()).horizontalAdvance(caption));
}

// The old picture a transition starts from is on the screen bitmap when the frame begins.
TEST_F(PlayerWindow, StyleZeroStartsFromTheBareBackground)
{
    for (int style : {56, 0}) {
        ShowSlideData second = slideOf(solidPicture(400, 300, 0x0000FF), {}, 5, style);
        second.record.backgroundColour = makeColour(0, 255, 0);
        open(header(), {slideOf(solidPicture(400, 300, 0xFF0000)), second});
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        timer->advance(1);
        QCoreApplication::processEvents();
        QRgb oldCentre = 0;
        form->ImageScreen->setOnBeforeNewFrame(
            [&](transitions::TCustomPicShow *, QImage &, QImage &screen) { oldCentre = screen.pixel(200, 150); });
        timer->advance(5000);
        if (style == 0)
            EXPECT_EQ(oldCentre, qRgb(0, 255, 0)) << "cleared to the window colour";
        else
            EXPECT_GT(qRed(oldCentre), 200) << "the transition starts over the previous slide";
        form->close();
    }
}

TEST_F(PlayerWindow, FirstSlideStartsFromTheWindowColourEvenBeforeTheWindowIsOnScreen)
{
    open(header(), {slideOf(solidPicture(400, 300, 0xFF0000))});
    QRgb oldCentre = 0;
    form->ImageScreen->setOnBeforeNewFrame(
        [&](transitions::TCustomPicShow *, QImage &, QImage &screen) { oldCentre = screen.pixel(200, 150); });
    form->FormShow();
    timer->advance(1);
    EXPECT_EQ(oldCentre, qRgb(0, 0, 0)) << "not the blank white of a control never painted";
}

TEST_F(PlayerWindow, SoundButtonOnlyWhenTheMusicLiesBesideTheShow)
{
    open(header(false, true, QStringLiteral("tune.wav")), {slideOf(solidPicture(64, 48, 0x404040))});
    form->FormShow();
    EXPECT_FALSE(form->B_Son->isVisibleTo(form->PanelLumivelle));
    EXPECT_EQ(form->B_Quit->x(), 99);
    EXPECT_EQ(form->PanelLumivelle->width(), 125);
    EXPECT_TRUE(music->played.empty());
    EXPECT_FALSE(form->soundPlaying());

    QFile tune(dir.filePath(QStringLiteral("tune.wav")));
    ASSERT_TRUE(tune.open(QIODevice::WriteOnly));
    tune.write("RIFF");
    tune.close();
    openFile();
    form->FormShow();
    EXPECT_TRUE(form->B_Son->isVisibleTo(form->PanelLumivelle));
    EXPECT_EQ(form->B_Quit->x(), 123);
    EXPECT_EQ(form->PanelLumivelle->width(), 148);
    EXPECT_EQ(form->PanelLumivelle->height(), 24);
    EXPECT_EQ(music->played, std::vector<QString>{QFileInfo(tune).absoluteFilePath()});
    EXPECT_TRUE(form->soundPlaying());
    EXPECT_EQ(form->B_Lec->geometry(), QRect(3, 1, 23, 22));
    EXPECT_EQ(form->B_Suiv->geometry(), QRect(75, 1, 23, 22));
}

// A music name that carries a folder part or ".." (a forged or damaged payload) never
// makes the player look outside its own folder: only the bare file name counts.
TEST_F(PlayerWindow, TheMusicIsLookedForBesideTheShowOnly)
{
    QTemporaryDir outside;
    QFile elsewhere(outside.filePath(QStringLiteral("tune.wav")));
    ASSERT_TRUE(elsewhere.open(QIODevice::WriteOnly));
    elsewhere.write("RIFF");
    elsewhere.close();
    const QString besideShow = QFileInfo(dir.filePath(QStringLiteral("tune.wav"))).absoluteFilePath();
    const QString climbing = QStringLiteral("../") + QFileInfo(outside.path()).fileName() + QStringLiteral("/tune.wav");
    for (const QString &stored : {outside.filePath(QStringLiteral("tune.wav")), climbing,
                                  QStringLiteral("..\\..\\tune.wav")}) {
        open(header(false, true, stored), {slideOf(solidPicture(64, 48, 0x404040))});
        EXPECT_EQ(form->musicPath(), besideShow) << stored.toStdString();
        form->FormShow();
        EXPECT_TRUE(music->played.empty()) << "no tune.wav beside the show: " << stored.toStdString();
    }
    for (const QString &stored : {QStringLiteral(".."), QStringLiteral("sons/")}) {
        open(header(false, true, stored), {slideOf(solidPicture(64, 48, 0x404040))});
        EXPECT_TRUE(form->musicPath().isEmpty()) << stored.toStdString();
    }
}

TEST_F(PlayerWindow, MusicLoopsAfterAPauseUntilTheSoundButtonStopsIt)
{
    QFile tune(dir.filePath(QStringLiteral("tune.mp3")));
    ASSERT_TRUE(tune.open(QIODevice::WriteOnly));
    tune.close();
    open(header(false, true, QStringLiteral("tune.mp3")), {slideOf(solidPicture(64, 48, 0x404040))});
    form->FormShow();
    music->end();
    EXPECT_EQ(music->pauses, 1);
    EXPECT_EQ(music->played.size(), 2u);

    form->B_SonClick();
    EXPECT_FALSE(form->soundPlaying());
    EXPECT_EQ(music->closed, 1);
    music->end(); // a late notification restarts nothing
    EXPECT_EQ(music->played.size(), 2u);

    form->B_SonClick();
    EXPECT_TRUE(form->soundPlaying());
    EXPECT_EQ(music->played.size(), 3u);
    music->end();
    EXPECT_EQ(music->played.size(), 4u) << "the notification is attached again, once";

    const QString path = QFileInfo(tune).absoluteFilePath();
    EXPECT_EQ(trace().filter(QStringLiteral("music")),
              (QStringList{QStringLiteral("music play ") + path, QStringLiteral("music play ") + path,
                           QStringLiteral("music stop"), QStringLiteral("music play ") + path,
                           QStringLiteral("music play ") + path}));
}

TEST_F(PlayerWindow, CopyIsOfferedOnlyWhenTheShowAllowsIt)
{
    open(header(false, false), {slideOf(solidPicture(64, 48, 0x404040))});
    EXPECT_FALSE(form->Copier_Image->isVisible());
    const QList<QAction *> items = form->PopupMenu1->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Copier l'image"));
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(items[1]->text(), QStringLiteral("A propos de..."));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), QStringLiteral("Quitter le lumivelle"));
    form->FormShow();
    timer->advance(1);
    chosenCopyPath = dir.filePath(QStringLiteral("copy.jpg"));
    form->Copier_ImageClick();
    EXPECT_EQ(chooserCalls, 0);
    EXPECT_FALSE(QFileInfo::exists(chosenCopyPath));

    open(header(false, true), {slideOf(solidPicture(64, 48, 0x404040))});
    EXPECT_TRUE(form->Copier_Image->isVisible());
}

TEST_F(PlayerWindow, CopySavesTheFittedPictureWithItsBorderAndAsksBeforeOverwriting)
{
    ShowSlideData s = slideOf(solidPicture(2048, 1536, 0x000000));
    s.record.borderColour = makeColour(255, 255, 255);
    open(header(false, true), {s});
    form->FormShow();
    timer->advance(1);
    ASSERT_TRUE(timer->isEnabled());
    chosenCopyPath = dir.filePath(QStringLiteral("copie.jpg"));
    form->Copier_ImageClick();
    EXPECT_FALSE(timer->isEnabled()) << "the show stays paused";
    auto copy = imaging::loadJpegFile(chosenCopyPath);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->size(), QSize(1024, 768));
    EXPECT_GT(qRed(copy->pixel(512, 0)), 150) << "the border is in the copy";
    EXPECT_TRUE(prompter.asked.empty());

    const qint64 size = QFileInfo(chosenCopyPath).size();
    QFile::resize(chosenCopyPath, 10);
    prompter.answers = {messages::Answer::Cancel};
    form->Copier_ImageClick();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Confirmation);
    EXPECT_EQ(prompter.asked[0].buttons, messages::Buttons::YesCancel);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("le fichier < copie.jpg > existe déjà,\n\nécrasez le fichier existant ?"));
    EXPECT_EQ(QFileInfo(chosenCopyPath).size(), 10);

    form->Copier_ImageClick(); // answered Yes
    EXPECT_EQ(QFileInfo(chosenCopyPath).size(), size);

    chosenCopyPath.clear(); // the dialog was cancelled
    form->Copier_ImageClick();
    EXPECT_EQ(prompter.asked.size(), 2u);
}

TEST_F(PlayerWindow, ZeroDisplayTimeNeverAdvancesOnItsOwn)
{
    open(header(), {slideOf(solidPicture(64, 48, 0x404040), {}, 0), slideOf(solidPicture(64, 48, 0x808080))});
    form->FormShow();
    timer->advance(1);
    timer->advance(3600 * 1000);
    EXPECT_EQ(shownLines().size(), 1);
    EXPECT_EQ(form->slideCursor(), 1);
    form->B_LecClick(); // the viewer goes on: the next slide comes at once
    timer->advance(1);
    ASSERT_EQ(shownLines().size(), 2);
    EXPECT_TRUE(shownLines().last().startsWith(QStringLiteral("show 1 "))) << shownLines().last().toStdString();
}

TEST_F(PlayerWindow, KeysStepThePicturesAndOtherKeysToggleTheToolbar)
{
    open(header(), {slideOf(solidPicture(64, 48, 0x101010)), slideOf(solidPicture(64, 48, 0x202020)),
                    slideOf(solidPicture(64, 48, 0x303030))});
    form->FormShow();
    EXPECT_FALSE(form->PanelLumivelle->isVisibleTo(form.get()));
    EXPECT_EQ(form->cursor().shape(), Qt::BlankCursor);
    timer->advance(1);
    for (int key : {Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Up}) {
        form->FormKeyDown(Qt::Key_Left);
        form->FormKeyDown(key);
        EXPECT_EQ(form->slideOnScreen(), 1) << key;
    }
    for (int key : {Qt::Key_Left, Qt::Key_PageDown, Qt::Key_Down}) {
        form->FormKeyDown(Qt::Key_Right);
        form->FormKeyDown(key);
        EXPECT_EQ(form->slideOnScreen(), 1) << key;
    }
    EXPECT_FALSE(timer->isEnabled());

    form->FormKeyDown(Qt::Key_Shift);
    EXPECT_TRUE(form->PanelLumivelle->isVisibleTo(form.get()));
    EXPECT_EQ(form->LabelComment->cursor().shape(), Qt::ArrowCursor);
    form->FormKeyDown(Qt::Key_A);
    EXPECT_FALSE(form->PanelLumivelle->isVisibleTo(form.get()));
    EXPECT_EQ(form->ImageScreen->cursor().shape(), Qt::BlankCursor);
}

TEST_F(PlayerWindow, ClicksOnThePictureOrCaptionToggleTheToolbarOnce)
{
    open(header(), {slideOf(solidPicture(64, 48, 0x101010), QStringLiteral("Légende"))});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    timer->advance(1);
    QTest::mouseClick(form->ImageScreen, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(form->toolbarShown());
    QTest::mouseClick(form->PanelLumivelle, Qt::LeftButton, {}, QPoint(1, 12));
    EXPECT_TRUE(form->toolbarShown()) << "a click on the toolbar between its buttons is not a click on the window";
    QTest::mouseClick(form->LabelComment, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(form->toolbarShown());
    QTest::mouseClick(form->ImageScreen, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_FALSE(form->toolbarShown());
    form->PopupMenu1->close();
}

TEST_F(PlayerWindow, EscapeAsksBeforeQuitting)
{
    open(header(), {slideOf(solidPicture(64, 48, 0x101010))});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QSignalSpy closed(form.get(), &TMainForm::closed);
    prompter.answers = {messages::Answer::Cancel};
    QTest::keyClick(form.get(), Qt::Key_Escape);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Confirmation);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Quitter le lumivelle ?"));
    EXPECT_EQ(prompter.asked[0].buttons, messages::Buttons::YesCancel);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(form->isVisible());

    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(timer->isEnabled());
    EXPECT_TRUE(form->ImageScreen->Picture().isNull());
}
