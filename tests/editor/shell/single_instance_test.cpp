#include "editor/shell/single_instance.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace editor;

namespace {

QString uniqueName(const char *what)
{
    return QStringLiteral("TMainLumivelle3000-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

} // namespace

TEST(SingleInstance, TheSecondFindsTheFirstAndAsksItToComeToTheFront)
{
    SingleInstance first(uniqueName("pair"));
    SingleInstance second(uniqueName("pair"));
    EXPECT_FALSE(first.otherInstanceRunning());
    ASSERT_TRUE(first.listen());
    EXPECT_TRUE(second.otherInstanceRunning());
    EXPECT_FALSE(second.listen());
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    EXPECT_TRUE(second.activateOtherInstance());
    EXPECT_TRUE(raised.wait(5000));
}

TEST(SingleInstance, TheNameIsPerUser)
{
    qputenv("USER", "alice");
    const QString alice = SingleInstance::defaultServerName();
    qputenv("USER", "bob");
    EXPECT_NE(SingleInstance::defaultServerName(), alice);
    EXPECT_TRUE(alice.startsWith(QStringLiteral("TMainLumivelle3000")));
}

// Two real editors: the second shows the message and ends while the first keeps running.
TEST(SingleInstance, ASecondProgramEndsWithTheMessage)
{
    QTemporaryDir config;
    const QString user = QStringLiteral("lumivelle-test-%1").arg(QCoreApplication::applicationPid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("USER", user);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LUMIVELLE_CONFIG_DIR", config.path());
    env.insert("LUMIVELLE_UNATTENDED", "1");
    const QString program = QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    SingleInstance probe(QStringLiteral("TMainLumivelle3000-") + user);
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.otherInstanceRunning(); }, 20000));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QString said = QString::fromUtf8(second.readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("Le programme LUMIVELLE est déjà ouvert,"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("il ne peut y avoir qu'une instance ouverte simultanément.")));

    EXPECT_EQ(first.state(), QProcess::Running);
    // Asked to end by the system, the first editor closes normally: its settings are
    // written and its name is free again.
    first.terminate();
    if (!first.waitForFinished(10000))
        first.kill();
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(probe.otherInstanceRunning());
    EXPECT_TRUE(probe.listen());
    QFile settings(config.filePath("Lumivelle.cfg"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.startsWith("[Application]\nFilterOk=1\nTIV=100\n")) << written.toStdString();
}
