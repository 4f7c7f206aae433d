// Building a show executable from a show: the player first, the payload after it, the
// trailer naming the player's size; missing and unreadable pictures; the failures.
#include "documents/show/copy_whole_file.h"
#include "documents/show/show_build.h"
#include "player/payload/show_payload.h"
#include "show_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace showdoc;
using namespace show_test;

namespace {

class BuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        playerBytes = QByteArray(751616, '\0');
        for (int i = 0; i < playerBytes.size(); ++i)
            playerBytes[i] = char(i * 7);
        ASSERT_TRUE(writeBytes(player(), playerBytes));
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString player() const { return path(QStringLiteral("Tolvarine.bin")); }

    // Three slides: a picture, a missing one, a file that is no picture; then a fourth.
    ShowProject threeKinds()
    {
        ShowProject project;
        project.options.music = QStringLiteral("/sons/Été.mp3");
        project.options.allowCopy = false;
        const QString a = path(QStringLiteral("a.png"));
        EXPECT_TRUE(solid(320, 240, Qt::red).save(a));
        const QString broken = path(QStringLiteral("broken.jpg"));
        EXPECT_TRUE(writeBytes(broken, "no picture here"));
        const QString d = path(QStringLiteral("d.bmp"));
        EXPECT_TRUE(solid(64, 48, Qt::blue).convertToFormat(QImage::Format_Indexed8).save(d));
        for (const QString &p : {a, path(QStringLiteral("missing.jpg")), broken, d})
            project.slides.push_back(slide(p));
        project.slides[0].entry.caption = QStringLiteral("Légende");
        project.slides[0].entry.style = 42;
        project.slides[0].entry.displayTime = 3;
        return project;
    }

    QTemporaryDir dir;
    QByteArray playerBytes;
};

} // namespace

TEST_F(BuildTest, ThePayloadFollowsThePlayerAndTheTrailerHoldsItsSize)
{
    const QString exe = path(QStringLiteral("Noel.exe"));
    std::vector<int> progress;
    BuildHooks hooks;
    hooks.progress = [&](int done) { progress.push_back(done); };
    const auto report = buildShowExecutable(threeKinds(), player(), exe, hooks);
    ASSERT_TRUE(report) << report.error().detail.toStdString();
    EXPECT_EQ(report->pictures, 2);
    EXPECT_EQ(report->empty, 1);
    EXPECT_EQ(report->missing, 1);
    EXPECT_EQ(report->headerOffset, 751616);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4}));

    const QByteArray built = readBytes(exe);
    EXPECT_EQ(built.left(playerBytes.size()), playerBytes);
    EXPECT_EQ(qFromLittleEndian<quint32>(built.constData() + built.size() - 4), 751616u);
    EXPECT_TRUE(QFileInfo(exe).isExecutable());

    QFile file(exe);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<std::int32_t> imageSizes;
    const auto payload = player::readShowPayload(file, [&](qint64, QByteArrayView record) {
        imageSizes.push_back(player::decodeSlideRecord(record.data()).imageSize);
    });
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->headerOffset, 751616);
    EXPECT_EQ(payload->stop, player::PayloadStop::Complete);
    EXPECT_EQ(payload->header.musicName, QStringLiteral("Été.mp3"));
    EXPECT_TRUE(payload->header.loop);
    EXPECT_FALSE(payload->header.allowCopy);
    EXPECT_TRUE(payload->header.maxQuality);
    ASSERT_EQ(imageSizes.size(), 3u) << "the missing picture leaves no trace";
    EXPECT_EQ(imageSizes[1], 0) << "the unreadable picture is an empty record";
    EXPECT_EQ(payload->emptyRecords, 1);
    ASSERT_EQ(payload->slides.size(), 2u);
    const player::TSlideRecord &first = payload->slides[0].record;
    EXPECT_EQ(first.caption, QStringLiteral("Légende"));
    EXPECT_EQ(first.style, 42);
    EXPECT_EQ(first.displayTime, 3);
    EXPECT_TRUE(first.border);
    EXPECT_EQ(first.borderColour, kColourSilver);
    file.seek(payload->slides[0].jpegOffset);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(file.read(first.imageSize), "JPG"));
    EXPECT_EQ(decoded.size(), QSize(320, 240)) << "stored at full size";
    EXPECT_GT(meanColour(decoded).red(), 240);
    file.seek(payload->slides[1].jpegOffset);
    ASSERT_TRUE(decoded.loadFromData(file.read(payload->slides[1].record.imageSize), "JPG"));
    EXPECT_GT(meanColour(decoded).blue(), 240) << "an 8-bit bitmap keeps its colours";
}

TEST_F(BuildTest, ReadingAheadOnASecondThreadWritesTheSameBytes)
{
    const ShowProject project = threeKinds();
    BuildHooks one, two;
    one.threads = 1;
    two.threads = 2;
    ASSERT_TRUE(buildShowExecutable(project, player(), path(QStringLiteral("one.exe")), one));
    ASSERT_TRUE(buildShowExecutable(project, player(), path(QStringLiteral("two.exe")), two));
    EXPECT_EQ(readBytes(path(QStringLiteral("one.exe"))), readBytes(path(QStringLiteral("two.exe"))));
}

TEST_F(BuildTest, FailuresSayWhatWentWrongAndWriteNothing)
{
    const QString exe = path(QStringLiteral("show.exe"));
    auto result = buildShowExecutable(ShowProject{}, player(), exe);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().error, BuildError::NoSlides);
    EXPECT_EQ(buildFailureMessage(BuildError::NoSlides), QStringLiteral("Aucune image dans le script"));

    result = buildShowExecutable(threeKinds(), path(QStringLiteral("nowhere.bin")), exe);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().error, BuildError::PlayerMissing);
    EXPECT_EQ(buildFailureMessage(BuildError::PlayerMissing),
              QStringLiteral("Impossible de créer le lumivelle,\rle fichier Tolvarine.bin est absent, veuillez "
                             "réinstaller le programme\rafin de remédier à ce problème."));

    result = buildShowExecutable(threeKinds(), player(), path(QStringLiteral("no/such/folder/show.exe")));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().error, BuildError::CopyFailed);
    EXPECT_EQ(buildFailureMessage(BuildError::CopyFailed), QStringLiteral("Impossible de créer le lumivelle!"));
    EXPECT_FALSE(QFileInfo::exists(exe));
}

TEST(BuildNames, TheExecutableAndThePlayerAreFoundBesideTheirOwners)
{
    EXPECT_EQ(executablePathFor(QStringLiteral("/shows/Noel.dap")), QStringLiteral("/shows/Noel.exe"));
    EXPECT_EQ(executablePathFor(QStringLiteral("/shows/a.b.dap")), QStringLiteral("/shows/a.b.exe"));

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("lib/lumivelle"));
    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    const QString program = dir.filePath(QStringLiteral("lib/lumivelle/Lumivelle"));
    ASSERT_TRUE(writeBytes(program, "program"));
    ASSERT_TRUE(QFile::link(program, dir.filePath(QStringLiteral("bin/Lumivelle"))));
    EXPECT_EQ(playerBeside(dir.filePath(QStringLiteral("bin/Lumivelle"))),
              QFileInfo(dir.filePath(QStringLiteral("lib/lumivelle"))).canonicalFilePath() + QStringLiteral("/Tolvarine.bin"));
}

TEST(CopyWholeFile, CopiesEverythingOrLeavesNothing)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("ete.mp3"));
    const QByteArray content(3 * 1024 * 1024 + 17, 'm');
    ASSERT_TRUE(writeBytes(source, content));
    const QString target = dir.filePath(QStringLiteral("copy.mp3"));
    ASSERT_TRUE(writeBytes(target, "an older, longer file that must go entirely"));
    ASSERT_TRUE(CopyWholeFile(source, target));
    EXPECT_EQ(readBytes(target), content);

    const QString other = dir.filePath(QStringLiteral("other.mp3"));
    const auto failed = CopyWholeFile(dir.filePath(QStringLiteral("gone.mp3")), other);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().message.contains(QStringLiteral("gone.mp3")));
    EXPECT_FALSE(QFileInfo::exists(other));
    EXPECT_FALSE(CopyWholeFile(source, dir.filePath(QStringLiteral("no/folder/x.mp3"))));
}
