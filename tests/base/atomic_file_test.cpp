#include "base/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray contentOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left

    ASSERT_TRUE(writeFileAtomically(path, QByteArray("second")));
    EXPECT_EQ(contentOf(path), QByteArray("second"));
}

TEST(AtomicFile, ReportsAFolderThatDoesNotExist)
{
    auto result = writeFileAtomically(QStringLiteral("/nonexistent-folder/x.cfg"), QByteArray("x"));
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().message.startsWith(QStringLiteral("Impossible d'écrire")));
}
