// The .dap project file: both records against bytes written by hand, the fixture file,
// round trips, the refusals and the save that never leaves a broken file behind.
#include "documents/show/project_file.h"
#include "show_test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace showdoc;
using namespace show_test;

namespace {

void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void putText(QByteArray &b, int at, const QByteArray &text)
{
    b[at] = char(text.size());
    for (int i = 0; i < text.size(); ++i)
        b[at + 1 + i] = text[i];
}

// A header as the format table gives it, byte by byte.
QByteArray handHeader(int slideCount, QByteArray identity = "Lumivelle", QByteArray version = "3000")
{
    QByteArray b(288, '\0');
    putText(b, 0, identity);
    putText(b, 11, version);
    put32(b, 24, quint32(slideCount));
    b[28] = 0;                                 // loop
    b[29] = 1;                                 // allow copy
    b[30] = 0;                                 // maximum quality
    putText(b, 31, "D:\\Sons\\\xC9t\xE9.mp3"); // "Été" in code page 1252
    return b;
}

QByteArray handSlide(const QByteArray &path, int thumbnailSize)
{
    QByteArray b(380, '\0');
    putText(b, 0, path);
    put32(b, 256, 4000);
    put32(b, 260, 3000);
    put32(b, 264, 2600000);
    put32(b, 268, 7);
    b[272] = 1;
    put32(b, 276, 0x123456);
    put32(b, 280, 0x654321);
    putText(b, 284, "Joyeux No\xEBl \xE0 tous");
    put32(b, 368, 0xABCDEF);
    put32(b, 372, 56);
    put32(b, 376, quint32(thumbnailSize));
    return b;
}

QByteArray jpegOf(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 90);
    return bytes;
}

const FileExistsFn kNothingExists = [](const QString &) { return false; };
const FileExistsFn kEverythingExists = [](const QString &) { return true; };

} // namespace

TEST(ProjectRecords, TheHeaderHasEveryFieldAtItsOffset)
{
    const QByteArray hand = handHeader(3);
    const TProjectHeader header = decodeProjectHeader(hand.constData());
    EXPECT_EQ(header.identity, QStringLiteral("Lumivelle"));
    EXPECT_EQ(header.version, QStringLiteral("3000"));
    EXPECT_EQ(header.slideCount, 3);
    EXPECT_FALSE(header.options.loop);
    EXPECT_TRUE(header.options.allowCopy);
    EXPECT_FALSE(header.options.maxQuality);
    EXPECT_EQ(header.options.music, QStringLiteral("D:\\Sons\\Été.mp3"));
    // Written back, every unused byte is zero: the very same bytes.
    EXPECT_EQ(encodeProjectHeader(header), hand);
    EXPECT_TRUE(isCompatibleHeader(hand.constData()));
}

TEST(ProjectRecords, TheSlideRecordHasEveryFieldAtItsOffset)
{
    const QByteArray hand = handSlide("C:\\Photos\\No\xEBl.jpg", 1234);
    const TProjectSlide r = decodeProjectSlide(hand.constData());
    EXPECT_EQ(r.path, QStringLiteral("C:\\Photos\\Noël.jpg"));
    EXPECT_EQ(r.width, 4000);
    EXPECT_EQ(r.height, 3000);
    EXPECT_EQ(r.fileSize, 2600000);
    EXPECT_EQ(r.displayTime, 7);
    EXPECT_TRUE(r.border);
    EXPECT_EQ(r.borderColour, 0x123456u);
    EXPECT_EQ(r.backgroundColour, 0x654321u);
    EXPECT_EQ(r.caption, QStringLiteral("Joyeux Noël à tous"));
    EXPECT_EQ(r.captionColour, 0xABCDEFu);
    EXPECT_EQ(r.style, 56);
    EXPECT_EQ(r.thumbnailSize, 1234);
    EXPECT_EQ(encodeProjectSlide(r), hand);
}

TEST(ProjectRecords, LongTextsAreCutToTheirFieldsAndOtherScriptsKeptAsUtf8)
{
    TProjectSlide r;
    r.path = QString(300, QLatin1Char('p'));
    r.caption = QString(81, QLatin1Char('x'));
    TProjectSlide back = decodeProjectSlide(encodeProjectSlide(r).constData());
    EXPECT_EQ(back.path, QString(255, QLatin1Char('p')));
    EXPECT_EQ(back.caption, QString(80, QLatin1Char('x')));

    r.path = QStringLiteral("/photos/北京/长城.jpg");
    r.caption = QStringLiteral("Великая стена");
    back = decodeProjectSlide(encodeProjectSlide(r).constData());
    EXPECT_EQ(back.path, r.path);
    EXPECT_EQ(back.caption, r.caption);
}

TEST(ProjectHeaderCheck, RefusesWrongIdentityVersionLengthOrCount)
{
    EXPECT_FALSE(isCompatibleHeader(handHeader(0).constData())) << "a show without slides";
    EXPECT_FALSE(isCompatibleHeader(handHeader(-2).constData()));
    EXPECT_FALSE(isCompatibleHeader(handHeader(3, "lumivelle").constData()));
    EXPECT_FALSE(isCompatibleHeader(handHeader(3, "Lumivell").constData()));
    EXPECT_FALSE(isCompatibleHeader(handHeader(3, "Lumivelle", "3001").constData()));
    EXPECT_FALSE(isCompatibleHeader(handHeader(3, "Lumivelle", "300").constData()));
    QByteArray longLength = handHeader(3);
    longLength[0] = char(200); // a reader that clamps the length would still find "Lumivelle"
    EXPECT_FALSE(isCompatibleHeader(longLength.constData()));
    QByteArray longVersion = handHeader(3);
    longVersion[11] = 5;
    EXPECT_FALSE(isCompatibleHeader(longVersion.constData()));

    const LoadedProject refused = readProject(handHeader(0), kEverythingExists);
    EXPECT_EQ(refused.verdict, ProjectVerdict::Incompatible);
    EXPECT_TRUE(refused.headerRead) << "the options are read before the check";
    EXPECT_TRUE(refused.project.options.allowCopy);
    EXPECT_EQ(readProject(handHeader(3).left(287), kEverythingExists).verdict, ProjectVerdict::Incompatible);
    EXPECT_FALSE(readProject(QByteArray(), kEverythingExists).headerRead);
}

TEST(ProjectFile, TheFixtureOpensWithThreeSlidesAndTheirStoredThumbnails)
{
    const QString path = QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap");
    const LoadedProject loaded = LoadProjectFile(path);
    ASSERT_EQ(loaded.verdict, ProjectVerdict::Loaded) << loaded.problem.toStdString();
    const ShowOptions &o = loaded.project.options;
    EXPECT_FALSE(o.loop);
    EXPECT_TRUE(o.allowCopy);
    EXPECT_FALSE(o.maxQuality);
    EXPECT_EQ(o.music, QStringLiteral("/musique/Été.mp3"));
    EXPECT_TRUE(loaded.missingPictures);
    EXPECT_EQ(loaded.records.size(), 4u) << "the record without a thumbnail is read, not kept";
    ASSERT_EQ(loaded.project.slides.size(), 3u);

    const ShowSlide &sapin = loaded.project.slides[0];
    EXPECT_EQ(sapin.path, QStringLiteral("/photos/Noël/sapin.jpg"));
    EXPECT_EQ(sapin.entry.width, 4000);
    EXPECT_EQ(sapin.entry.height, 3000);
    EXPECT_EQ(sapin.entry.fileSize, 2600000);
    EXPECT_EQ(sapin.entry.displayTime, 7);
    EXPECT_FALSE(sapin.entry.border);
    EXPECT_EQ(sapin.entry.borderColour, 0x123456u);
    EXPECT_EQ(sapin.entry.backgroundColour, 0x654321u);
    EXPECT_EQ(sapin.entry.caption, QStringLiteral("Joyeux Noël à tous"));
    EXPECT_EQ(sapin.entry.captionColour, 0xABCDEFu);
    EXPECT_EQ(sapin.entry.style, 56);
    EXPECT_FALSE(sapin.entry.selected);
    EXPECT_EQ(sapin.entry.thumbnail.size(), QSize(100, 75));
    EXPECT_GT(meanColour(sapin.entry.thumbnail).red(), 200);

    const ShowSlide &neige = loaded.project.slides[1];
    EXPECT_EQ(neige.path, QStringLiteral("/photos/Noël/neige.png"));
    EXPECT_EQ(neige.entry.thumbnail.size(), QSize(75, 100));
    EXPECT_GT(meanColour(neige.entry.thumbnail).green(), 100);

    const ShowSlide &etoile = loaded.project.slides[2];
    EXPECT_EQ(etoile.path, QStringLiteral("/photos/Noël/étoile.bmp"));
    EXPECT_EQ(etoile.entry.caption, QString(80, QLatin1Char('x')));
    EXPECT_EQ(etoile.entry.style, 127);
    EXPECT_EQ(etoile.entry.backgroundColour, 0x000080u);
    EXPECT_EQ(etoile.entry.thumbnail.size(), QSize(100, 100));
}

TEST(ProjectFile, ARoundTripKeepsEveryFieldAndTheOptions)
{
    QTemporaryDir dir;
    ShowProject project;
    project.options = {QStringLiteral("/sons/été.mp3"), true, true, false};
    ShowSlide a = slide(dir.filePath(QStringLiteral("a.jpg")), solid(100, 75, Qt::blue));
    a.entry.displayTime = 12;
    a.entry.border = false;
    a.entry.borderColour = 0x0000FF;
    a.entry.backgroundColour = 0x00FF00;
    a.entry.caption = QStringLiteral("Légende à l'été");
    a.entry.captionColour = 0xFF0000;
    a.entry.style = 99;
    a.entry.selected = true; // selection is not part of the file
    project.slides.push_back(a);
    project.slides.push_back(slide(QStringLiteral("/ailleurs/b.png"), solid(60, 100, Qt::yellow)));
    QFile(a.path).open(QIODevice::WriteOnly); // the first picture exists, the second not

    const QString path = dir.filePath(QStringLiteral("show.dap"));
    ASSERT_TRUE(SaveProjectFile(path, project));
    int progressCalls = 0;
    const LoadedProject back = LoadProjectFile(path, [&](int done, int total) {
        EXPECT_EQ(done, ++progressCalls);
        EXPECT_EQ(total, 2);
    });
    ASSERT_EQ(back.verdict, ProjectVerdict::Loaded);
    EXPECT_EQ(progressCalls, 2);
    EXPECT_EQ(back.declaredSlides, 2);
    EXPECT_EQ(back.project.options, project.options);
    EXPECT_TRUE(back.missingPictures);
    ASSERT_EQ(back.project.slides.size(), 2u);
    const TEnrData_S &e = back.project.slides[0].entry;
    EXPECT_EQ(back.project.slides[0].path, a.path);
    EXPECT_EQ(e.displayTime, 12);
    EXPECT_FALSE(e.border);
    EXPECT_EQ(e.borderColour, 0x0000FFu);
    EXPECT_EQ(e.backgroundColour, 0x00FF00u);
    EXPECT_EQ(e.caption, a.entry.caption);
    EXPECT_EQ(e.captionColour, 0xFF0000u);
    EXPECT_EQ(e.style, 99);
    EXPECT_EQ(e.width, 4000);
    EXPECT_FALSE(e.selected);
    EXPECT_EQ(e.thumbnail.size(), QSize(100, 75));
    EXPECT_GT(meanColour(e.thumbnail).blue(), 200);
    EXPECT_EQ(back.project.slides[1].entry.thumbnail.size(), QSize(60, 100));
}

TEST(ProjectFile, ASlideWithoutThumbnailIsKeptWithAGreyPlaceholder)
{
    QTemporaryDir dir;
    ShowProject project;
    project.slides.push_back(slide(QStringLiteral("/p/unreadable.jpg"), QImage()));
    project.slides.push_back(slide(QStringLiteral("/p/fine.jpg")));
    const QString path = dir.filePath(QStringLiteral("show.dap"));
    ASSERT_TRUE(SaveProjectFile(path, project));
    const LoadedProject back = LoadProjectFile(path);
    ASSERT_EQ(back.verdict, ProjectVerdict::Loaded);
    ASSERT_EQ(back.project.slides.size(), 2u);
    const QColor grey = meanColour(back.project.slides[0].entry.thumbnail);
    EXPECT_NEAR(grey.red(), 128, 3);
    EXPECT_NEAR(grey.blue(), 128, 3);
    EXPECT_EQ(back.project.slides[1].path, QStringLiteral("/p/fine.jpg"));
}

TEST(ProjectFile, DamagedSlideBlocksRefuseTheWholeFile)
{
    const QByteArray thumb = jpegOf(solid(40, 30, Qt::red));
    const QByteArray good = handHeader(2) + handSlide("/a.jpg", int(thumb.size())) + thumb;
    ASSERT_EQ(readProject(good, kNothingExists).verdict, ProjectVerdict::Loaded);

    struct Case {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"record cut short", good + handSlide("/b.jpg", 10).left(200)},
        {"thumbnail runs past the end", good + handSlide("/b.jpg", int(thumb.size()) + 1) + thumb},
        {"negative thumbnail size", good + handSlide("/b.jpg", -5)},
        {"thumbnail that is no JPEG", good + handSlide("/b.jpg", 16) + QByteArray(16, 'z')},
        {"thumbnail cut in half", good + handSlide("/b.jpg", int(thumb.size() / 2)) + thumb.left(thumb.size() / 2)},
    };
    for (const Case &c : cases) {
        const LoadedProject loaded = readProject(c.bytes, kNothingExists);
        EXPECT_EQ(loaded.verdict, ProjectVerdict::Damaged) << c.what;
        EXPECT_TRUE(loaded.project.slides.empty()) << c.what;
        EXPECT_TRUE(loaded.missingPictures) << c.what << ": the slide read before is still reported missing";
        EXPECT_FALSE(loaded.problem.isEmpty());
    }
    // A record without thumbnail adds nothing and the next one follows directly.
    const QByteArray skipped = handHeader(1) + handSlide("/gone.jpg", 0) + handSlide("/b.jpg", int(thumb.size())) + thumb;
    const LoadedProject loaded = readProject(skipped, kEverythingExists);
    ASSERT_EQ(loaded.verdict, ProjectVerdict::Loaded);
    ASSERT_EQ(loaded.project.slides.size(), 1u);
    EXPECT_EQ(loaded.project.slides[0].path, QStringLiteral("/b.jpg"));
    EXPECT_FALSE(loaded.missingPictures);
}

TEST(ProjectSave, AReadOnlyFileIsNamedInTheMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Noel.dap"));
    EXPECT_FALSE(isReadOnlyFile(path)) << "a file that does not exist yet";
    ASSERT_TRUE(writeBytes(path, "old"));
    EXPECT_FALSE(isReadOnlyFile(path));
    QFile(path).setPermissions(QFileDevice::ReadOwner);
    EXPECT_TRUE(isReadOnlyFile(path));
    EXPECT_EQ(readOnlyMessage(path),
              QStringLiteral("Impossible d'enregistrer le lumivelle :\r\rle fichier < Noel.dap > est en lecture "
                             "seule,\rutilisez l'explorateur de Windows afin de localiser\rce fichier et de "
                             "décocher cet attribut."));
}

// A write failure half-way (here the file-size limit the kernel enforces, as a full
// disk would) fails the save and leaves the previous project untouched.
TEST(ProjectSave, AWriteFailureHalfWayLeavesThePreviousFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.dap"));
    ShowProject small;
    small.slides.push_back(slide(QStringLiteral("/p/one.jpg")));
    ASSERT_TRUE(SaveProjectFile(path, small));
    const QByteArray before = readBytes(path);
    ASSERT_LT(before.size(), 8 * 1024);

    ShowProject big;
    for (int i = 0; i < 200; ++i) {
        QImage noisy(100, 100, QImage::Format_BGR888);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                noisy.setPixel(x, y, qRgb((x * 37 + y * 11 + i) & 255, (x * y + i) & 255, (x ^ y) & 255));
        big.slides.push_back(slide(QStringLiteral("/p/%1.jpg").arg(i), noisy));
    }
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto saved = SaveProjectFile(path, big);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("show.dap")})
        << "no temporary file is left behind";
    EXPECT_EQ(LoadProjectFile(path).verdict, ProjectVerdict::Loaded);
}
