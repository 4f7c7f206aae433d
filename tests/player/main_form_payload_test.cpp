// Damaged show executables: the player never crashes, plays what it could read and tells
// the viewer once when there is nothing to play.
#include "player_window_fixture.h"

#include <QCoreApplication>
#include <QFrame>
#include <QtEndian>

using namespace player;

namespace {

void overwrite(const QString &path, qint64 at, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(at < 0 ? f.size() + at : at));
    f.write(bytes);
}

QByteArray le32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

} // namespace

class DamagedShow : public PlayerWindow {
protected:
    void writeGoodShow(bool loop = false)
    {
        TShowHeader h;
        h.loop = loop;
        writeShowFile(showPath(), h,
                      {slideOf(solidPicture(64, 48, 0x102030)), slideOf(solidPicture(64, 48, 0x405060))});
    }

    // Starts the window and lets the queued message come.
    void start()
    {
        openFile();
        form->FormShow();
        QCoreApplication::processEvents();
        timer->advance(60000);
    }

    void expectNothingToPlay()
    {
        EXPECT_TRUE(form->slides().empty());
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Information);
        EXPECT_EQ(prompter.asked[0].text, TMainForm::kNoPictureMessage);
        EXPECT_TRUE(shownLines().isEmpty());
        EXPECT_FALSE(timer->isEnabled()) << "no slide, no spinning timer";
        EXPECT_TRUE(form->ImageScreen->Picture().isNull());
        form->ImageScreenClick(); // the toolbar, with its quit button, still comes
        EXPECT_TRUE(form->PanelLumivelle->isVisibleTo(form.get()));
    }
};

TEST_F(DamagedShow, NoPayloadAtAll)
{
    QFile f(showPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, '\x7F'));
    f.close();
    start();
    expectNothingToPlay();
}

TEST_F(DamagedShow, TruncatedTrailerOrTrailerPastTheEnd)
{
    writeGoodShow();
    QFile::resize(showPath(), QFileInfo(showPath()).size() - 2);
    start();
    expectNothingToPlay();

    prompter.asked.clear();
    writeGoodShow();
    overwrite(showPath(), -4, le32(qint32(QFileInfo(showPath()).size() + 100)));
    start();
    expectNothingToPlay();
}

TEST_F(DamagedShow, EveryRecordEmptyWithLoopStaysBlack)
{
    TShowHeader h;
    h.loop = true;
    ShowSlideData empty;
    writeShowFile(showPath(), h, {empty, empty});
    start();
    expectNothingToPlay();
}

TEST_F(DamagedShow, NegativeImageSizePlaysTheSlidesBeforeIt)
{
    writeGoodShow();
    const qint64 secondRecord = QFileInfo(showPath()).size() - 4 - jpegOf(solidPicture(64, 48, 0x405060)).size() - 112;
    overwrite(showPath(), secondRecord, le32(-5));
    start();
    EXPECT_EQ(form->slides().size(), 1u);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(shownLines(), QStringList{QStringLiteral("show 0 64x48 style=56 caption=")});
    EXPECT_TRUE(trace().contains(QStringLiteral("error taille d'image négative")));
    EXPECT_TRUE(trace().contains(QStringLiteral("end")));
}

TEST_F(DamagedShow, APictureThatDoesNotDecodeStopsTheShowAndPlayGoesOn)
{
    ShowSlideData broken = slideOf(solidPicture(64, 48, 0x405060));
    broken.jpeg = QByteArray("\xFF\xD8") + QByteArray(" this is not a picture");
    writeShowFile(showPath(), TShowHeader{},
                  {slideOf(solidPicture(64, 48, 0x102030)), broken, slideOf(solidPicture(32, 32, 0x708090))});
    start();
    EXPECT_EQ(shownLines().size(), 1);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_FALSE(prompter.asked[0].text.isEmpty());
    EXPECT_TRUE(trace().contains(QStringLiteral("error ") + prompter.asked[0].text));
    EXPECT_FALSE(timer->isEnabled());
    EXPECT_EQ(form->slideCursor(), 1);
    EXPECT_EQ(form->ImageScreen->Picture().size(), QSize(64, 48)) << "the first slide stays on screen";

    form->B_LecClick();
    timer->advance(5000);
    EXPECT_EQ(shownLines().last(), QStringLiteral("show 2 32x32 style=56 caption="));
}
