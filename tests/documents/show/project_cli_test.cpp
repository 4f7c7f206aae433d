// lumivelle-cli project: the dump of a .dap, the import of a .spr and the build of a .dap,
// run as a user runs them, with their exit statuses.
#include "documents/show/project_file.h"
#include "show_test_support.h"
#include "tests/cli_run.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

using namespace show_test;

namespace {

const QString kNoel = QStringLiteral(LUMIVELLE_FIXTURES "/documents/noel.dap");

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(ProjectCli, DumpPrintsTheHeaderEveryRecordAndTheVerdict)
{
    const CliRun run = runCli({QStringLiteral("project"), QStringLiteral("dump"), kNoel});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QStringList out = lines(run.output);
    ASSERT_EQ(out.size(), 6);
    EXPECT_EQ(out[0], QStringLiteral("header slides=3 loop=0 copy=1 max-quality=0 music \"/musique/Été.mp3\""));
    EXPECT_TRUE(out[1].startsWith(QStringLiteral("record 0 offset=288 path=\"/photos/Noël/sapin.jpg\" size=4000x3000 "
                                                 "file-size=2600000 time=7 border=0 border-colour=123456 "
                                                 "background=654321 caption-colour=ABCDEF style=56 "
                                                 "caption=\"Joyeux Noël à tous\" thumbnail=")))
        << out[1].toStdString();
    EXPECT_TRUE(out[1].endsWith(QStringLiteral(" bytes 100x75")));
    EXPECT_TRUE(out[3].contains(QStringLiteral("path=\"/photos/oublie.jpg\"")));
    EXPECT_TRUE(out[3].endsWith(QStringLiteral("thumbnail=none")));
    EXPECT_EQ(out[5], QStringLiteral("verdict: 3 slide(s), 1 record(s) without thumbnail, some pictures missing; loaded"));

    QTemporaryDir dir;
    QByteArray cut = readBytes(kNoel);
    cut.chop(50);
    const QString damaged = dir.filePath(QStringLiteral("cut.dap"));
    ASSERT_TRUE(writeBytes(damaged, cut));
    const CliRun refused = runCli({QStringLiteral("project"), QStringLiteral("dump"), damaged});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(lines(refused.errors).size(), 1);
    EXPECT_TRUE(refused.errors.contains("Fichier non compatible avec cette version de Lumivelle"));
    EXPECT_EQ(lines(refused.output).last(), QStringLiteral("verdict: refused"));
}

TEST(ProjectCli, ImportWritesTheProjectBesideTheScriptButNeverOverIt)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(solid(300, 200, Qt::blue).save(a));
    const QString script = dir.filePath(QStringLiteral("Vieux.spr"));
    ASSERT_TRUE(writeBytes(script, "1\r\n\r\n0\r\n1\r\n" + a.toUtf8()
                                       + "\r\n4\r\n1\r\n0\r\n0\r\nUne\r\n255\r\n/absente.jpg\r\n3\r\n1\r\n0\r\n0\r\n\r\n0\r\n"));
    CliRun run = runCli({QStringLiteral("project"), QStringLiteral("import-spr"), script});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("/absente.jpg")) << "the missing picture is named";
    const showdoc::LoadedProject loaded = showdoc::LoadProjectFile(dir.filePath(QStringLiteral("Vieux.dap")));
    ASSERT_EQ(loaded.verdict, showdoc::ProjectVerdict::Loaded);
    ASSERT_EQ(loaded.project.slides.size(), 1u);
    EXPECT_EQ(loaded.project.slides[0].entry.caption, QStringLiteral("Une"));
    EXPECT_EQ(loaded.project.slides[0].entry.thumbnail.size(), QSize(100, 67));
    EXPECT_FALSE(loaded.project.options.loop);

    run = runCli({QStringLiteral("project"), QStringLiteral("import-spr"), script, QStringLiteral("-o"), script});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(readBytes(script).startsWith("1\r\n")) << "the script is untouched";

    // A script whose pictures are all missing writes no empty project.
    const QString fixtureCopy = dir.filePath(QStringLiteral("ancien.spr"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVELLE_FIXTURES "/documents/ancien.spr"), fixtureCopy));
    run = runCli({QStringLiteral("project"), QStringLiteral("import-spr"), fixtureCopy});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("ancien.dap"))));

    const QString broken = dir.filePath(QStringLiteral("casse.spr"));
    ASSERT_TRUE(writeBytes(broken, "x\r\n"));
    run = runCli({QStringLiteral("project"), QStringLiteral("import-spr"), broken});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(lines(run.errors).size(), 1);
    EXPECT_TRUE(QString::fromUtf8(run.errors).contains(QStringLiteral("Ligne 1 du script")));
}

TEST(ProjectCli, BuildMakesTheEditorsShowWithoutTouchingTheProject)
{
    QTemporaryDir dir;
    showdoc::ShowProject project;
    for (int i = 0; i < 3; ++i) {
        const QString p = dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        ASSERT_TRUE(solid(160, 120, QColor::fromHsv(i * 100, 255, 255)).save(p));
        project.slides.push_back(slide(p));
    }
    const QString dap = dir.filePath(QStringLiteral("Noel.dap"));
    ASSERT_TRUE(showdoc::SaveProjectFile(dap, project));
    const QByteArray before = readBytes(dap);
    const QString player = QStringLiteral(LUMIVELLE_BIN_DIR "/Tolvarine.bin");

    const CliRun run = runCli({QStringLiteral("project"), QStringLiteral("build"), dap, QStringLiteral("--player"), player});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray exe = readBytes(dir.filePath(QStringLiteral("Noel.exe")));
    const quint32 playerSize = quint32(QFileInfo(player).size());
    EXPECT_EQ(qFromLittleEndian<quint32>(exe.constData() + exe.size() - 4), playerSize);
    EXPECT_EQ(readBytes(dap), before);

    const QString other = dir.filePath(QStringLiteral("autre.exe"));
    const CliRun one = runCli({QStringLiteral("project"), QStringLiteral("build"), dap, QStringLiteral("-o"), other,
                               QStringLiteral("--player"), player, QStringLiteral("--threads"), QStringLiteral("1")});
    ASSERT_EQ(one.exitCode, 0);
    EXPECT_EQ(readBytes(other), exe) << "one thread or two, the same bytes";

    const CliRun noPlayer = runCli({QStringLiteral("project"), QStringLiteral("build"), dap, QStringLiteral("--player"),
                                    dir.filePath(QStringLiteral("none.bin"))});
    EXPECT_EQ(noPlayer.exitCode, 1);
    EXPECT_EQ(lines(noPlayer.errors).size(), 1);
    EXPECT_TRUE(QString::fromUtf8(noPlayer.errors).contains(QStringLiteral("Tolvarine.bin est absent")));
    const QString empty = dir.filePath(QStringLiteral("vide.dap"));
    ASSERT_TRUE(showdoc::SaveProjectFile(empty, showdoc::ShowProject{}));
    const CliRun refused = runCli({QStringLiteral("project"), QStringLiteral("build"), empty, QStringLiteral("--player"), player});
    EXPECT_EQ(refused.exitCode, 1) << "a project without slides is refused";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("vide.exe"))));
}
