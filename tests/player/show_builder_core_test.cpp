#include "player/builder/show_builder_core.h"
#include "player_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace player;

namespace {

qint32 i32At(const QByteArray &b, qint64 at) { return qFromLittleEndian<qint32>(b.constData() + at); }

class ShowBuild : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    void SetUp() override
    {
        player = QByteArray(4099, '\0');
        for (int i = 0; i < player.size(); ++i)
            player[i] = char(i * 7);
        QFile p(path("Tolvarine.bin"));
        ASSERT_TRUE(p.open(QIODevice::WriteOnly));
        p.write(player);
    }

    QByteArray build(const QStringList &pictures, const TShowHeader &header = {})
    {
        auto writer = ShowExecutableWriter::begin(path("Tolvarine.bin"), path("Noel.exe"), header);
        EXPECT_TRUE(writer);
        if (!writer)
            return {};
        for (int i = 0; i < pictures.size(); ++i) {
            TSlideRecord record;
            record.displayTime = 3 + i;
            record.style = 100 + i;
            record.caption = QStringLiteral("Image %1").arg(i);
            outcomes.push_back(*(*writer)->addSlide(pictures[i], record));
        }
        EXPECT_TRUE((*writer)->finish());
        QFile f(path("Noel.exe"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    QByteArray player;
    std::vector<SlideWritten> outcomes;
};

} // namespace

TEST_F(ShowBuild, CopiesThePlayerThenWritesHeaderSlidesAndTrailer)
{
    ASSERT_TRUE(solidPicture(40, 30, 0x3366CC).save(path("a.png")));
    QFile garbage(path("b.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture at all");
    garbage.close();
    TShowHeader header;
    header.musicName = QStringLiteral("Ete.mp3");
    header.loop = true;

    const QByteArray exe = build({path("a.png"), path("missing.png"), path("b.png")}, header);
    EXPECT_EQ(outcomes, (std::vector{SlideWritten::Picture, SlideWritten::Missing, SlideWritten::Empty}));
    ASSERT_GT(exe.size(), player.size() + 84 + 2 * 112 + 4);
    EXPECT_EQ(exe.left(player.size()), player);
    EXPECT_EQ(i32At(exe, exe.size() - 4), player.size());

    const qint64 s = player.size();
    EXPECT_EQ(exe.at(s), 7);
    EXPECT_EQ(exe.mid(s + 1, 7), QByteArray("Ete.mp3"));
    EXPECT_EQ(exe.mid(s + 81, 3), QByteArray("\x01\x00\x00", 3));

    const qint64 first = s + 84;
    const qint32 jpegSize = i32At(exe, first);
    EXPECT_EQ(i32At(exe, first + 4), 3);
    EXPECT_EQ(i32At(exe, first + 108), 100);
    EXPECT_EQ(exe.mid(first + 20, 8), QByteArray("\x07Image 0"));
    const QByteArray jpeg = exe.mid(first + 112, jpegSize);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));
    auto decoded = imaging::decodeJpeg(jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), QSize(40, 30)) << "stored at full size";

    const qint64 second = first + 112 + jpegSize;
    EXPECT_EQ(i32At(exe, second), 0) << "the unreadable picture leaves an empty record";
    EXPECT_EQ(i32At(exe, second + 4), 5) << "the missing picture left nothing";
    EXPECT_EQ(second + 112, exe.size() - 4);

    EXPECT_TRUE(QFileInfo(path("Noel.exe")).permissions() & QFileDevice::ExeOwner);
}

TEST(ShowPicture, TransparencyIsDrawnOnWhiteAndEverythingBecomesTwentyFourBits)
{
    QImage halfClear(2, 1, QImage::Format_ARGB32);
    halfClear.setPixel(0, 0, qRgba(0, 0, 0, 0));
    halfClear.setPixel(1, 0, qRgba(200, 10, 20, 255));
    const QImage flat = flattenForShow(halfClear);
    EXPECT_EQ(flat.format(), QImage::Format_BGR888);
    EXPECT_EQ(flat.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(flat.pixel(1, 0), qRgb(200, 10, 20));

    QImage grey(3, 3, QImage::Format_Grayscale8);
    grey.fill(77);
    EXPECT_EQ(flattenForShow(grey).format(), QImage::Format_BGR888);
    EXPECT_EQ(flattenForShow(grey).pixel(1, 1), qRgb(77, 77, 77));
}

TEST_F(ShowBuild, AFailedBuildLeavesThePreviousShowInPlace)
{
    ASSERT_TRUE(solidPicture(8, 8, 0x808080).save(path("a.png")));
    const QByteArray good = build({path("a.png")});
    auto writer = ShowExecutableWriter::begin(path("absent.bin"), path("Noel.exe"), {});
    EXPECT_FALSE(writer);
    QFile f(path("Noel.exe"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), good);
}

// The disk fills up as the last bytes go out (the file size limit of the process stands
// in for the full disk): the build fails, says so, and the previous show stays.
TEST_F(ShowBuild, ADiskFullAtTheTrailerFailsTheBuildAndKeepsThePreviousShow)
{
    ASSERT_TRUE(solidPicture(8, 8, 0x808080).save(path("a.png")));
    const QByteArray good = build({path("a.png")});
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = rlim_t(good.size() - 2); // room for all but the trailer's last bytes
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    auto writer = ShowExecutableWriter::begin(path("Tolvarine.bin"), path("Noel.exe"), {});
    ASSERT_TRUE(writer) << writer.error().message.toStdString();
    TSlideRecord record;
    record.displayTime = 3, record.style = 100, record.caption = QStringLiteral("Image 0");
    EXPECT_EQ((*writer)->addSlide(path("a.png"), record), SlideWritten::Picture);
    const auto finished = (*writer)->finish();
    writer->reset();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(finished);
    EXPECT_TRUE(finished.error().message.contains(QStringLiteral("lumivelle"))) << finished.error().message.toStdString();
    QFile f(path("Noel.exe"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), good);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "player, picture, show";
}

TEST_F(ShowBuild, MusicIsCopiedBesideTheShowUnderItsFileName)
{
    EXPECT_EQ(showMusicName(QStringLiteral("/sons/été/Ete.mp3")), QStringLiteral("Ete.mp3"));
    EXPECT_EQ(showMusicName({}), QString());
    QDir(dir.path()).mkdir(QStringLiteral("sons"));
    const QString source = QString::fromUtf8(LUMIVELLE_FIXTURES "/sound/tone_440hz_2s.wav");
    auto copied = copyMusicBeside(source, dir.path());
    ASSERT_TRUE(copied);
    EXPECT_EQ(*copied, path("tone_440hz_2s.wav"));
    EXPECT_EQ(QFileInfo(*copied).size(), QFileInfo(source).size());
    EXPECT_TRUE(copyMusicBeside(*copied, dir.path())) << "already there";
    EXPECT_EQ(QFileInfo(*copied).size(), QFileInfo(source).size());
    EXPECT_FALSE(copyMusicBeside(path("nowhere.wav"), path("sons")));
}
