// The programs themselves: lumivelle-cli builds a show executable from pictures, and the
// show plays on the offscreen platform with its trace and snapshots.
#include "imaging/thumbnail.h"
#include "player_test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kBin = QStringLiteral(LUMIVELLE_BIN_DIR);

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Runs a show with the diagnostics on until `done` holds (or a generous limit), then ends it.
class RunningShow {
public:
    RunningShow(const QString &program, const QTemporaryDir &dir)
        : m_trace(dir.filePath(QStringLiteral("trace.txt"))), m_snapshots(dir.filePath(QStringLiteral("snaps")))
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TOLVARINE_TRACE"), m_trace);
        env.insert(QStringLiteral("TOLVARINE_SNAPSHOT"), m_snapshots);
        env.insert(QStringLiteral("LUMIVELLE_UNATTENDED"), QStringLiteral("1"));
        m_process.setProcessEnvironment(env);
        m_process.start(program, {});
        m_process.waitForStarted();
    }
    ~RunningShow()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool waitFor(const std::function<bool()> &done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 30000 || m_process.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(50);
        }
        return true;
    }
    QStringList trace() const { return readLines(m_trace); }
    QString snapshot(int index) const { return QDir(m_snapshots).filePath(QStringLiteral("slide-%1.png").arg(index)); }
    QProcess &process() { return m_process; }

private:
    QString m_trace, m_snapshots;
    QProcess m_process;
};

bool edgesAre(const QImage &p, QRgb colour)
{
    const int w = p.width(), h = p.height();
    for (QPoint at : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(w - 1, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2),
                      QPoint(0, h - 1), QPoint(w / 2, h - 1), QPoint(w - 1, h - 1)})
        if (p.pixel(at) != colour)
            return false;
    return true;
}

} // namespace

TEST(EndToEnd, ShowBuiltFromThePicturesPlaysEachSlideThenEnds)
{
    QTemporaryDir dir;
    // The portrait comes last: its transition is the one nothing cuts short, so its snapshot
    // is always written.
    const QList<QSize> sizes{{1600, 1200}, {500, 400}, {600, 900}};
    QStringList pictures;
    for (int i = 0; i < sizes.size(); ++i) {
        pictures << dir.filePath(QStringLiteral("photo%1.png").arg(i));
        ASSERT_TRUE(solidPicture(sizes[i].width(), sizes[i].height(), 0x204080).save(pictures.last()));
    }
    const QString show = dir.filePath(QStringLiteral("show.exe"));
    QProcess cli;
    cli.start(kBin + QStringLiteral("/lumivelle-cli"),
              QStringList{QStringLiteral("show"), QStringLiteral("-o"), show, QStringLiteral("--time"), QStringLiteral("1"),
                          QStringLiteral("--style"), QStringLiteral("5"), QStringLiteral("--caption-from-name"),
                          QStringLiteral("--no-loop")}
                  + pictures);
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo(show).isExecutable());

    RunningShow running(show, dir);
    ASSERT_TRUE(running.waitFor([&] { return running.trace().contains(QStringLiteral("end")); }))
        << running.trace().join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(running.waitFor([&] { return QFileInfo::exists(running.snapshot(2)); }));
    running.process().kill();

    // The window takes the offscreen screen, the caption line leaves 30 pixels less.
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QStringList expected{QStringLiteral("timer on 1")};
    QList<QSize> fitted;
    for (int i = 0; i < sizes.size(); ++i) {
        fitted << imaging::fitToBoxSize(sizes[i], screen.width(), screen.height() - 30);
        expected << QStringLiteral("timer off")
                 << QStringLiteral("show %1 %2x%3 style=5 caption=photo%1").arg(i).arg(fitted[i].width()).arg(fitted[i].height())
                 << QStringLiteral("timer on 1000");
    }
    expected << QStringLiteral("timer off") << QStringLiteral("end");
    EXPECT_EQ(running.trace(), expected);

    const QImage snapshot(running.snapshot(2));
    EXPECT_EQ(snapshot.size(), fitted[2]);
    EXPECT_TRUE(edgesAre(snapshot, qRgb(0xC0, 0xC0, 0xC0))) << "the silver border of a new slide";
    const QRgb inside = snapshot.pixel(snapshot.width() / 2, snapshot.height() / 2);
    EXPECT_NEAR(qBlue(inside), 0x80, 6);
}

TEST(EndToEnd, ThePlayerWithoutAShowSaysSoAndWaits)
{
    QTemporaryDir dir;
    RunningShow running(kBin + QStringLiteral("/Tolvarine.bin"), dir);
    ASSERT_TRUE(running.waitFor([&] { return running.trace().contains(QStringLiteral("end")); }));
    ASSERT_TRUE(running.waitFor([&] { return running.trace().size() >= 5; }))
        << running.trace().join(QLatin1Char('\n')).toStdString();
    // The message is queued when the window first shows; the first tick may come before it.
    QStringList trace = running.trace();
    trace.sort();
    EXPECT_EQ(trace, (QStringList{QStringLiteral("end"), QStringLiteral("error Ce fichier ne contient pas de lumivelle."),
                                  QStringLiteral("error Ce lumivelle ne contient aucune image qui puisse être affichée."),
                                  QStringLiteral("timer off"), QStringLiteral("timer on 1")}));
    QThread::msleep(300);
    EXPECT_EQ(running.process().state(), QProcess::Running) << "it waits for the viewer to quit";
}
