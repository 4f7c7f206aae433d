// The file-operation service on real folders: overwrite questions and their four answers,
// copies into their own folder, cancelled copies, moves, the trash and renames.
#include "editor/files/file_operations.h"
#include "file_ops_test_support.h"
#include "tests/recording_prompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace editor;
using namespace fileops_test;
using messages::Answer;

namespace {

class FakeProgress final : public OperationProgress {
public:
    QString caption;
    qint64 total = -1, lastDone = 0;
    int advances = 0;
    int cancelAtAdvance = -1; // the advance that answers "cancelled"

    void begin(const QString &text, qint64 totalBytes) override { caption = text, total = totalBytes; }
    bool advance(const QString &, qint64 done) override
    {
        lastDone = done;
        return ++advances != cancelAtAdvance;
    }
    void end() override {}
};

class FileOperationsTest : public ::testing::Test {
protected:
    QString src(const QString &name) const { return source.filePath(name); }
    QString dst(const QString &name) const { return destination.filePath(name); }
    QStringList sources(std::initializer_list<const char *> names) const
    {
        QStringList paths;
        for (const char *name : names)
            paths << src(QString::fromUtf8(name));
        return paths;
    }

    QTemporaryDir source, destination;
    RecordingPrompter prompter;
    FakeProgress progress;
};

TEST_F(FileOperationsTest, CopyAsksBeforeReplacingEachFileAndFollowsTheAnswers)
{
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        writeFile(src(QString::fromUtf8(name)), QByteArray("new ") + name);
    writeFile(dst("a.jpg"), "old a");
    writeFile(dst("b.jpg"), "old b");
    prompter.answers = {Answer::No, Answer::Yes};

    EXPECT_TRUE(ShellCopyFiles(sources({"a.jpg", "b.jpg", "c.jpg"}), destination.path(), progress));
    EXPECT_EQ(readFile(dst("a.jpg")), "old a");
    EXPECT_EQ(readFile(dst("b.jpg")), "new b.jpg");
    EXPECT_EQ(readFile(dst("c.jpg")), "new c.jpg");
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].buttons, messages::Buttons::YesAllNoCancel);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("« a.jpg »")));
    EXPECT_EQ(readFile(src("a.jpg")), "new a.jpg"); // a copy leaves its source alone
    EXPECT_EQ(progress.caption, QStringLiteral("Copie en cours..."));

    // "Oui pour tous" answers every later question.
    writeFile(dst("a.jpg"), "old a");
    prompter.asked.clear();
    prompter.answers = {Answer::YesToAll};
    EXPECT_TRUE(ShellCopyFiles(sources({"a.jpg", "b.jpg", "c.jpg"}), destination.path(), progress));
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(readFile(dst("a.jpg")), "new a.jpg");

    // "Annuler" stops the operation: an abort.
    writeFile(dst("a.jpg"), "old a");
    QFile::remove(dst("c.jpg"));
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(ShellCopyFiles(sources({"a.jpg", "c.jpg"}), destination.path(), progress));
    EXPECT_EQ(readFile(dst("a.jpg")), "old a");
    EXPECT_FALSE(QFile::exists(dst("c.jpg")));
}

TEST_F(FileOperationsTest, CopyIntoItsOwnFolderMakesNumberedCopies)
{
    writeFile(src("a.jpg"), "picture");
    EXPECT_TRUE(ShellCopyFiles(sources({"a.jpg"}), source.path(), progress));
    EXPECT_TRUE(ShellCopyFiles(sources({"a.jpg"}), source.path(), progress));
    EXPECT_EQ(readFile(src("Copie de a.jpg")), "picture");
    EXPECT_EQ(readFile(src("Copie (2) de a.jpg")), "picture");
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileOperationsTest, ACancelledCopyLeavesTheOldTargetWholeAndNoPartialFile)
{
    writeFile(src("big.tif"), QByteArray(3 << 20, 'x'));
    writeFile(dst("big.tif"), "old");
    prompter.answers = {Answer::Yes};
    progress.cancelAtAdvance = 2; // after the second megabyte
    EXPECT_FALSE(ShellCopyFiles(sources({"big.tif"}), destination.path(), progress));
    EXPECT_EQ(readFile(dst("big.tif")), "old");
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"big.tif"});

    progress.cancelAtAdvance = -1;
    progress.advances = 0;
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(ShellCopyFiles(sources({"big.tif"}), destination.path(), progress));
    EXPECT_EQ(QFileInfo(dst("big.tif")).size(), 3 << 20);
    EXPECT_EQ(progress.total, 3 << 20);
    EXPECT_EQ(progress.lastDone, 3 << 20);
}

// A disk that fills up during a small copy (the file size limit of the process stands in
// for it): the failure is reported, the old file stays whole and no partial copy is left.
TEST_F(FileOperationsTest, ACopyOntoAFullDiskIsReportedAndKeepsTheOldFile)
{
    writeFile(src("a.jpg"), QByteArray(5000, 'n'));
    writeFile(dst("a.jpg"), "old");
    prompter.answers = {Answer::Yes};
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool done = ShellCopyFiles(sources({"a.jpg"}), destination.path(), progress);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(done) << "a failure is not an abort";
    EXPECT_EQ(readFile(dst("a.jpg")), "old");
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.jpg"});
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[1].kind, messages::Kind::Error);
    EXPECT_TRUE(prompter.asked[1].text.contains(QStringLiteral("« a.jpg »"))) << prompter.asked[1].text.toStdString();
}

TEST_F(FileOperationsTest, MoveTakesTheFilesAwayAndReportsAMoveOntoItself)
{
    writeFile(src("a.jpg"), "a");
    writeFile(src("b.jpg"), "b");
    EXPECT_TRUE(ShellMoveFiles(sources({"a.jpg", "gone.jpg", "b.jpg"}), destination.path(), progress));
    EXPECT_FALSE(QFile::exists(src("a.jpg")));
    EXPECT_EQ(readFile(dst("b.jpg")), "b");
    ASSERT_EQ(prompter.asked.size(), 1u); // the vanished file, and the others go on
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_TRUE(prompter.asked[0].text.startsWith(QStringLiteral("Impossible de déplacer « gone.jpg »")));

    // Cut and paste into the same folder: reported, not an abort, nothing lost.
    prompter.asked.clear();
    EXPECT_TRUE(ShellMoveFiles({dst("a.jpg")}, destination.path(), progress));
    EXPECT_EQ(readFile(dst("a.jpg")), "a");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("identiques")));
}

TEST_F(FileOperationsTest, DeleteAsksOnceAndSendsToTheTrash)
{
    writeFile(src("a.jpg"), "a");
    writeFile(src("b.jpg"), "b");
    QDir(source.path()).mkdir(QStringLiteral("vacances"));
    EXPECT_EQ(deleteQuestion({src("a.jpg")}), QStringLiteral("Voulez-vous vraiment mettre « a.jpg » à la corbeille ?"));
    EXPECT_EQ(deleteQuestion(sources({"a.jpg", "b.jpg"})),
              QStringLiteral("Voulez-vous vraiment mettre ces 2 éléments à la corbeille ?"));
    EXPECT_EQ(deleteQuestion({src("vacances")}),
              QStringLiteral("Voulez-vous vraiment mettre le dossier « vacances » et tout son contenu à la corbeille ?"));

    prompter.answers = {Answer::No};
    EXPECT_FALSE(ShellDeleteFiles(sources({"a.jpg", "b.jpg"})));
    EXPECT_TRUE(QFile::exists(src("a.jpg")));
    EXPECT_EQ(prompter.asked.back().buttons, messages::Buttons::YesNo);

    writeFile(src("vacances/plage.jpg"), "sable");
    EXPECT_TRUE(ShellDeleteFiles(sources({"a.jpg", "vacances"})));
    EXPECT_FALSE(QFile::exists(src("a.jpg")));
    EXPECT_FALSE(QFileInfo::exists(src("vacances")));
    EXPECT_TRUE(QFile::exists(src("b.jpg")));
    const QStringList trashed = PrivateTrash::trashedNames();
    EXPECT_TRUE(trashed.contains(QStringLiteral("a.jpg")) && trashed.contains(QStringLiteral("vacances")));
}

TEST_F(FileOperationsTest, TheTrashIsTheUsersEvenBeforeTheDataFolderExists)
{
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString fresh = PrivateTrash::home().filePath(QStringLiteral("nouveau/.local/share"));
    qputenv("XDG_DATA_HOME", fresh.toUtf8());
    const QString started = QDir::currentPath();
    QDir::setCurrent(destination.path());
    writeFile(src("a.jpg"), "a");
    const bool deleted = ShellDeleteFiles({src("a.jpg")});
    QDir::setCurrent(started);
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(QFile::exists(fresh + QStringLiteral("/Trash/files/a.jpg")));
    EXPECT_TRUE(QDir(destination.path()).isEmpty());
}

TEST_F(FileOperationsTest, RenameRefusesExistingTargetsAndOtherFolders)
{
    writeFile(src("a.jpg"), "a");
    writeFile(src("b.jpg"), "b");
    EXPECT_FALSE(ShellRenameFile(src("a.jpg"), src("b.jpg")));
    EXPECT_EQ(readFile(src("b.jpg")), "b");
    EXPECT_TRUE(prompter.asked.back().text.contains(QStringLiteral("porte déjà ce nom")));
    EXPECT_FALSE(ShellRenameFile(src("a.jpg"), src("sous/dossier.jpg")));
    EXPECT_FALSE(ShellRenameFile(src("absent.jpg"), src("c.jpg")));
    EXPECT_EQ(prompter.asked.size(), 3u);

    EXPECT_TRUE(ShellRenameFile(src("a.jpg"), src("plage.JPG")));
    EXPECT_EQ(readFile(src("plage.JPG")), "a");
    EXPECT_FALSE(QFile::exists(src("a.jpg")));
}

} // namespace

namespace {

// The real question box and the real progress dialog, driven by the mouse: pasting onto
// an existing name asks "remplacer ?", and the progress, due half a second after the
// start, neither opens over the question nor keeps its buttons from working.
TEST(FileOperationsOnScreen, TheReplaceQuestionStaysUsableWhileTheCopyWaits)
{
    QTemporaryDir source, destination;
    writeFile(source.filePath(QStringLiteral("a.jpg")), QByteArray(3 << 20, 'n'));
    writeFile(destination.filePath(QStringLiteral("a.jpg")), "old");
    QWidget window;
    window.resize(400, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    bool asked = false, progressOverQuestion = false, answered = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || asked)
            return;
        asked = true;
        QTest::qWait(900); // past the half second after which a long copy shows its progress
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog *>(widget) && widget->isVisible())
                progressOverQuestion = true;
        for (QAbstractButton *button : box->buttons())
            if (button->text() == QStringLiteral("&Oui"))
                QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(300);
        answered = !box->isVisible();
        if (!answered) { // the click did not get through: end the test instead of hanging
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *progress = qobject_cast<QProgressDialog *>(widget))
                    progress->cancel();
            box->reject();
        }
    });
    poll.start();
    const bool done = ShellCopyFiles({source.filePath(QStringLiteral("a.jpg"))}, destination.path());
    poll.stop();

    EXPECT_TRUE(asked);
    EXPECT_FALSE(progressOverQuestion);
    EXPECT_TRUE(answered) << "the question took the click";
    EXPECT_TRUE(done);
    EXPECT_EQ(QFileInfo(destination.filePath(QStringLiteral("a.jpg"))).size(), 3 << 20) << "replaced, as answered";
}

} // namespace
