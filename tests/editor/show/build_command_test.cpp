// "Créer le lumivelle" (F10) through the window: its conditions and failures, the show
// executable beside the project, and the whole road: a show made in the editor, saved,
// opened again, built and played by the player on the offscreen screen.
#include "documents/show/project_file.h"
#include "editor/show/form_projet.h"
#include "show_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QtEndian>

using namespace editor;
using namespace show_test;

namespace {

const QString kPlayer = QStringLiteral(LUMIVELLE_BIN_DIR "/Tolvarine.bin");

class BuildCommandTest : public ShowWindowTest {
protected:
    void SetUp() override
    {
        ShowWindowTest::SetUp();
        area().setPlayerPath(kPlayer);
        area().setLauncher([this](const QString &exe) { launched << exe; });
    }
    QStringList launched;
};

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST_F(BuildCommandTest, F10BuildsBesideTheProjectAndStartsTheShow)
{
    newShow(QStringLiteral("Noel.dap"));
    addPictures(3);
    window().setActiveTab(1);
    press(Qt::Key_F10);
    EXPECT_TRUE(launched.isEmpty()) << "only on the show tab";
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("Noel.exe"))));

    window().setActiveTab(2);
    press(Qt::Key_F10);
    const QString exe = file(QStringLiteral("Noel.exe"));
    EXPECT_EQ(launched, QStringList{exe});
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("Noel.dap")))) << "the project is saved first";
    EXPECT_FALSE(document().modified);
    EXPECT_TRUE(QFileInfo(exe).isExecutable());
    QFile built(exe);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray bytes = built.readAll();
    const qint64 playerSize = QFileInfo(kPlayer).size();
    QFile player(kPlayer);
    ASSERT_TRUE(player.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes.left(playerSize), player.readAll());
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + bytes.size() - 4), quint32(playerSize));
}

TEST_F(BuildCommandTest, EveryFailureHasItsMessage)
{
    newShow(QStringLiteral("vide.dap"));
    run(CommandId::Lumivelle);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Aucune image dans le script")});
    EXPECT_EQ(m_prompter.asked.back().kind, messages::Kind::Information);

    addPictures(1);
    area().setPlayerPath(file(QStringLiteral("Tolvarine.bin")));
    m_prompter.asked.clear();
    run(CommandId::Lumivelle);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Impossible de créer le lumivelle,\rle fichier Tolvarine.bin est "
                                                     "absent, veuillez réinstaller le programme\rafin de remédier à ce "
                                                     "problème.")});
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("vide.dap"))));

    // The show executable's folder is gone: the copy fails.
    area().setPlayerPath(kPlayer);
    QDir(m_dir.path()).mkpath(QStringLiteral("sous"));
    document().path = file(QStringLiteral("sous/parti.dap"));
    QDir(file(QStringLiteral("sous"))).removeRecursively();
    m_prompter.asked.clear();
    run(CommandId::Lumivelle);
    ASSERT_EQ(messages().size(), 2) << messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(messages().last(), QStringLiteral("Impossible de créer le lumivelle!"));
    EXPECT_TRUE(launched.isEmpty());
}

TEST_F(BuildCommandTest, AReadOnlyProjectIsReportedAndTheShowStillBuilt)
{
    newShow(QStringLiteral("fige.dap"));
    addPictures(1);
    run(CommandId::SaveProjet);
    QFile(document().path).setPermissions(QFileDevice::ReadOwner);
    addPictures(1, QStringLiteral("b"));
    run(CommandId::Lumivelle);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(QStringLiteral("< fige.dap > est en lecture seule")));
    EXPECT_EQ(launched, QStringList{file(QStringLiteral("fige.exe"))});
    EXPECT_TRUE(document().modified);
    QFile(document().path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// The whole road of a show: composed in the window, saved, opened again, built with F10
// and played by the real player, whose trace must show every slide.
TEST_F(BuildCommandTest, AShowMadeInTheEditorPlaysEverySlideInThePlayer)
{
    newShow(QStringLiteral("Voyage.dap"));
    const QStringList paths = addPictures(3);
    for (int i = 0; i < 3; ++i) {
        click(i);
        panel().EditDuree->selectAll();
        QTest::keyClicks(panel().EditDuree, QStringLiteral("1"));
        QTest::keyClicks(panel().EditTexte, QStringLiteral("image%1").arg(i));
    }
    slides().slide(1).style = 7;
    area().formProjet()->CheckBoucle->setChecked(false);
    press(Qt::CTRL | Qt::Key_S);

    newShow(QStringLiteral("autre.dap"));
    m_dialogs->opens.push_back(file(QStringLiteral("Voyage.dap")));
    run(CommandId::OpenProjet);
    ASSERT_EQ(slidePaths(), paths);
    EXPECT_FALSE(area().project().options.loop);
    press(Qt::Key_F10);
    ASSERT_EQ(launched, QStringList{file(QStringLiteral("Voyage.exe"))});

    const QString trace = file(QStringLiteral("trace.txt"));
    QProcess show;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TOLVARINE_TRACE"), trace);
    env.insert(QStringLiteral("LUMIVELLE_UNATTENDED"), QStringLiteral("1"));
    show.setProcessEnvironment(env);
    show.setWorkingDirectory(m_dir.path());
    show.start(launched.first(), {});
    ASSERT_TRUE(show.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (!readLines(trace).contains(QStringLiteral("end")) && clock.elapsed() < 30000
           && show.state() == QProcess::Running)
        QThread::msleep(50);
    show.kill();
    show.waitForFinished();

    QStringList shown;
    for (const QString &line : readLines(trace))
        if (line.startsWith(QStringLiteral("show ")))
            shown << line.section(QLatin1Char(' '), 0, 1) + QLatin1Char(' ') + line.section(QLatin1Char(' '), 3);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("show 0 style=0 caption=image0"),
                                  QStringLiteral("show 1 style=7 caption=image1"),
                                  QStringLiteral("show 2 style=0 caption=image2")}))
        << readLines(trace).join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(readLines(trace).contains(QStringLiteral("end"))) << "without loop the show ends";
}
