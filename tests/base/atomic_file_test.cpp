// Replacing files: complete or not at all, on a full disk too, and never a failure
// reported as success.
#include "base/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Every entry of the folder, hidden ones included.
QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 23);
    return bytes;
}

TEST(AtomicFile, ReplacesOnlyWhenComplete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.dap"));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("first")));
    EXPECT_EQ(contentOf(path), QByteArray("first"));

    auto failed = writeFileAtomically(path, [](QIODevice &out) -> Result<void> {
        out.write("half of a new file");
        return fail(QStringLiteral("disque plein"));
    });
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().message, QStringLiteral("disque plein"));
    EXPECT_EQ(contentOf(path), QByteArray("first"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("show.dap")}); // no temporary left

    ASSERT_TRUE(writeFileAtomically(path, QByteArray("second")));
    EXPECT_EQ(contentOf(path), QByteArray("second"));
}

TEST(AtomicFile, ReportsAFolderThatDoesNotExistAndAFolderInThePlaceOfTheFile)
{
    auto result = writeFileAtomically(QStringLiteral("/nonexistent-folder/x.cfg"), QByteArray("x"));
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().message.startsWith(QStringLiteral("Impossible d'écrire")));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("sub")), QByteArray("x")));
}

TEST(AtomicFile, KeepsThePermissionsAndWritesThroughASymbolicLink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motcle.cfg"));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("a")));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("b")));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    const QString link = dir.filePath(QStringLiteral("link.cfg"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(writeFileAtomically(link, QByteArray("through the link")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contentOf(path), QByteArray("through the link"));
}

// A file written over time: the device seeks and tells its size, as the show builder's
// payload writer needs.
TEST(AtomicFile, ContentWrittenOverTimeWithSeeks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.exe"));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("old show")));
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        QIODevice &out = file.device();
        EXPECT_EQ(out.write("player"), 6);
        EXPECT_EQ(out.size(), 6);
        ASSERT_TRUE(out.seek(2));
        EXPECT_EQ(out.write("AY"), 2);
        ASSERT_TRUE(out.seek(out.size()));
        EXPECT_EQ(out.write("+payload"), 8);
        EXPECT_EQ(contentOf(path), QByteArray("old show")) << "nothing replaced before the commit";
    } // destroyed without a commit: abandoned
    EXPECT_EQ(contentOf(path), QByteArray("old show"));
    EXPECT_EQ(entriesOf(dir.path()).size(), 1);

    AtomicFile file(path);
    ASSERT_TRUE(file.open());
    file.device().write("plAYer");
    file.device().write("+payload");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(contentOf(path), QByteArray("plAYer+payload"));
}

// Outputs below the 16 KB that buffered writers keep until they close, and well above it.
constexpr qsizetype kSmallOutput = 5000;
constexpr qsizetype kLargeOutput = 300'000;

void expectRefusedAndOldKept(const QString &path, qsizetype size, const QByteArray &old, const char *what)
{
    const auto plain = writeFileAtomically(path, pattern(size));
    ASSERT_FALSE(plain) << what << " " << size;
    EXPECT_TRUE(plain.error().message.contains(QFileInfo(path).fileName())) << plain.error().message.toStdString();
    // A writer that checks none of its writes is caught all the same.
    const auto unchecked = writeFileAtomically(path, [size](QIODevice &out) -> Result<void> {
        for (qsizetype i = 0; i < size; i += 100)
            out.write(QByteArray(100, 'u'));
        return {};
    });
    EXPECT_FALSE(unchecked) << what << " " << size;
    EXPECT_EQ(contentOf(path), old) << what << " " << size;
    EXPECT_EQ(entriesOf(QFileInfo(path).absolutePath()), QStringList{QFileInfo(path).fileName()}) << what;
}

// A small file system of its own, filled to the last byte. Mounting needs the right to;
// without it the test says so and the size-limit test below still runs.
class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=1m") == 0;
        if (!m_mounted)
            GTEST_SKIP() << "no tmpfs can be mounted here: " << qt_error_string(errno).toStdString();
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    QString folder() const { return m_dir.path() + QStringLiteral("/data"); }
    // Takes every free byte with a file of its own.
    void fillUp()
    {
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }

    QTemporaryDir m_dir;
    bool m_mounted = false;
};

TEST_F(FullDiskTest, AFullDiskKeepsTheOldFileAndReportsTheFailure)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    const QString path = folder() + QStringLiteral("/Lumivelle.cfg");
    const QByteArray old = pattern(3000);
    ASSERT_TRUE(writeFileAtomically(path, old));
    fillUp();
    expectRefusedAndOldKept(path, kSmallOutput, old, "full tmpfs");
    expectRefusedAndOldKept(path, kLargeOutput, old, "full tmpfs");
    QFile::remove(m_dir.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(writeFileAtomically(path, pattern(kLargeOutput))) << "room again";
    EXPECT_EQ(contentOf(path), pattern(kLargeOutput));
}

// The same failure through the process's file size limit, which any user may lower: the
// system then refuses every write beyond it, as a full disk does.
TEST(AtomicFile, AWriteTheSystemRefusesKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("album.ccl"));
    const QByteArray old = pattern(1000);
    ASSERT_TRUE(writeFileAtomically(path, old));
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    expectRefusedAndOldKept(path, kSmallOutput, old, "size limit");
    expectRefusedAndOldKept(path, kLargeOutput, old, "size limit");
    EXPECT_TRUE(writeFileAtomically(path, pattern(4000))) << "within the limit";
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(contentOf(path), pattern(4000));
}

} // namespace
