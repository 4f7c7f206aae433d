// The commands that write files: every failed write is reported and ends the command with
// status 1, and no command writes over what it reads.
#include "tests/cli_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Noise, so that even a thumbnail of it stays large as a PNG.
QImage noise(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, random.generate() | 0xFF000000u);
    return picture;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WritingCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("in")));
        for (const char *name : {"a.png", "b.jpg", "c.png"})
            ASSERT_TRUE(noise(300, 200).save(in(QString::fromUtf8(name))));
        QFile broken(in(QStringLiteral("d.jpg")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8 no picture");
    }
    QString in(const QString &name = {}) const { return root.filePath(QStringLiteral("in/") + name); }
    QString out(const QString &name = {}) const { return root.filePath(QStringLiteral("out/") + name); }
    QStringList outNames() const { return QDir(out()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden); }

    QTemporaryDir root;
};

TEST_F(WritingCommands, ThumbnailsCountsWhatWasWrittenSkippedAndFailed)
{
    CliRun run = runCli({QStringLiteral("thumbnails"), in(), out()});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.output, "3 thumbnail(s) written, 1 file(s) skipped\n");
    EXPECT_EQ(outNames(), (QStringList{"a.png.png", "b.jpg.png", "c.png.png"}));
    EXPECT_EQ(QImage(out(QStringLiteral("b.jpg.png"))).size(), QSize(100, 67));

    // A folder where one thumbnail goes: that write fails, the others are made.
    QDir(out()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(out(QStringLiteral("b.jpg.png"))));
    run = runCli({QStringLiteral("thumbnails"), in(), out()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "2 thumbnail(s) written, 1 file(s) skipped, 1 write(s) failed\n");
    EXPECT_TRUE(run.errors.contains("b.jpg.png")) << run.errors.toStdString();
    EXPECT_EQ(outNames(), (QStringList{"a.png.png", "b.jpg.png", "c.png.png"}));
}

// A disk that is full (the file size limit stands in for it, and the command inherits
// it): nothing is reported as written, and the command fails.
TEST_F(WritingCommands, ThumbnailsOnAFullDiskFail)
{
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const CliRun run = runCli({QStringLiteral("thumbnails"), in(), out()});
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "0 thumbnail(s) written, 1 file(s) skipped, 3 write(s) failed\n");
    EXPECT_TRUE(outNames().isEmpty()) << outNames().join(u' ').toStdString();
}

TEST_F(WritingCommands, NoCommandWritesOverWhatItReads)
{
    const QByteArray picture = contentOf(in(QStringLiteral("a.png")));
    const QStringList before = QDir(in()).entryList(QDir::Files);
    // The scanned folder as the output, spelt another way too.
    for (const QString &target : {in(), in(QStringLiteral("../in/."))}) {
        const CliRun run = runCli({QStringLiteral("thumbnails"), in(), target});
        EXPECT_EQ(run.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(run.output.isEmpty());
    }
    EXPECT_EQ(QDir(in()).entryList(QDir::Files), before);

    const QString a = in(QStringLiteral("a.png"));
    const QList<QStringList> commands = {
        {QStringLiteral("decode"), a, a},
        {QStringLiteral("resize"), a, in(QStringLiteral("./a.png")), QStringLiteral("10"), QStringLiteral("10")},
        {QStringLiteral("thumbnail"), a, a},
        {QStringLiteral("fit"), a, a, QStringLiteral("10"), QStringLiteral("10")},
        {QStringLiteral("jpeg"), a, a},
        {QStringLiteral("transition"), QStringLiteral("3"), a, in(QStringLiteral("c.png")), a, QStringLiteral("--progress"),
         QStringLiteral("50")},
        {QStringLiteral("show"), QStringLiteral("-o"), a, QStringLiteral("--player"), in(QStringLiteral("c.png")), a},
    };
    for (const QStringList &command : commands) {
        const CliRun run = runCli(command);
        EXPECT_EQ(run.exitCode, 1) << command.join(u' ').toStdString();
        EXPECT_TRUE(run.errors.contains("entrée")) << run.errors.toStdString();
    }
    EXPECT_EQ(contentOf(a), picture);
    EXPECT_EQ(QDir(in()).entryList(QDir::Files), before);
}

} // namespace
