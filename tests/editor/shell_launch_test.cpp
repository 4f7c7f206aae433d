// Starting programs and documents: the French message of every failure, a real program
// started on a quoted image path, and the association of the retouch program.
#include "editor/explorer/retouch_association.h"
#include "editor/files/retouch.h"
#include "editor/files/shell_launch.h"
#include "editor/shell/core/editor_settings.h"
#include "file_ops_test_support.h"
#include "tests/recording_prompter.h"

#include <gtest/gtest.h>

using namespace editor;
using namespace fileops_test;

namespace {

void makeProgram(const QString &path, const QByteArray &text)
{
    writeFile(path, text);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

TEST(ShellLaunch, EveryFailureHasItsMessage)
{
    const QString file = QStringLiteral("retouche.exe"), folder = QStringLiteral("C:/Outils");
    const std::pair<ShellResult, const char *> table[] = {
        {ShellResult::OutOfResources, "Mémoire insuffisante pour ouvrir le fichier retouche.exe"},
        {ShellResult::OutOfMemory, "Mémoire insuffisante pour ouvrir le fichier retouche.exe"},
        {ShellResult::FileNotFound, "Impossible de trouver le fichier retouche.exe"},
        {ShellResult::PathNotFound, "Le chemin d'accès n'est pas valide C:/Outils"},
        {ShellResult::NotAProgram, "Le programme ne peut être lancé"},
        {ShellResult::SharingViolation, "Violation d'accès"},
        {ShellResult::IncompleteAssociation, "Aucune extension n'est associée à ce fichier"},
        {ShellResult::NoAssociation, "Aucune extension n'est associée à ce fichier"},
        {ShellResult::DdeTimeout, "La transaction DDE à échouée"},
        {ShellResult::DdeFailure, "La transaction DDE à échouée"},
        {ShellResult::DdeBusy, "Une autre application DDE utilise ce fichier"},
        {ShellResult::Success, ""},
    };
    for (const auto &[result, message] : table)
        EXPECT_EQ(shellLaunchMessage(result, file, folder), QString::fromUtf8(message)) << int(result);
}

TEST(ShellLaunch, MissingProgramsFoldersAndNonProgramsAreReported)
{
    QTemporaryDir dir;
    RecordingPrompter prompter;
    EXPECT_FALSE(ShellLaunch(nullptr, QStringLiteral("programme-absent-9e1f"), QString(), dir.path()));
    EXPECT_FALSE(ShellLaunch(nullptr, QStringLiteral("retouche"), QString(), dir.filePath("absent")));
    makeProgram(dir.filePath("faux"), QByteArray("\x7f\x01\x02\x03 not a program"));
    EXPECT_FALSE(ShellLaunch(nullptr, QStringLiteral("faux"), QString(), dir.path()));
    ASSERT_EQ(prompter.asked.size(), 3u);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Impossible de trouver le fichier programme-absent-9e1f"));
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("Le chemin d'accès n'est pas valide ") + dir.filePath("absent"));
    EXPECT_EQ(prompter.asked[2].text, QStringLiteral("Le programme ne peut être lancé"));
}

TEST(Retouch, TheProgramGetsTheImagePathAsOneArgumentInItsOwnFolder)
{
    QTemporaryDir dir;
    RecordingPrompter prompter;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("outils")));
    const QString output = dir.filePath("appel.txt");
    makeProgram(dir.filePath("outils/retouche"),
                QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" \"$PWD\" > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                    .arg(output)
                    .toUtf8());
    const QString image = dir.filePath("mes photos/plage \"nord\".jpg");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("mes photos")));
    writeFile(image, "jpeg");
    EXPECT_EQ(retouchParameters(QStringLiteral("C:/a b.jpg")), QStringLiteral("\"C:/a b.jpg\""));

    EditorSettings settings;
    settings.setRetouchProgram(dir.filePath("outils/retouche"), QStringLiteral("Retouche"));
    retouchImage(settings, image, false, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(output); }, 10000));
    EXPECT_EQ(QString::fromUtf8(readFile(output)), QStringLiteral("1\n%1\n%2\n").arg(image, dir.filePath("outils")));
    EXPECT_TRUE(prompter.asked.empty());

    // A missing image: nothing for the explorer, a message for the show and album lists.
    retouchImage(settings, dir.filePath("absente.jpg"), false, nullptr);
    EXPECT_TRUE(prompter.asked.empty());
    retouchImage(settings, dir.filePath("absente.jpg"), true, nullptr);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine."));

    settings.setRetouchProgram(QString(), QString()); // none associated
    retouchImage(settings, image, false, nullptr);
    EXPECT_EQ(prompter.asked.back().kind, messages::Kind::Information);
}

TEST(Retouch, AssociationNamesTheProgramAndRefusesFilesThatCannotRun)
{
    QTemporaryDir dir;
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    EditorSettings settings;
    const QString program = dir.filePath("Editeur Photo.EXE");
    makeProgram(program, "#!/bin/sh\n");
    EXPECT_EQ(programFriendlyName(QStringLiteral("/usr/bin/gimp-2.10")), QStringLiteral("gimp-2.10"));

    EXPECT_FALSE(associateRetouchProgram(settings, dialogs)); // file dialog cancelled
    dialogs.program = program;
    dialogs.texts = {QStringLiteral("")};
    EXPECT_TRUE(associateRetouchProgram(settings, dialogs));
    EXPECT_EQ(dialogs.textTitles.back(), QStringLiteral("Logiciel de retouche"));
    EXPECT_EQ(settings.SoftRetoucheN, QStringLiteral("Editeur Photo"));
    EXPECT_EQ(settings.SoftRetoucheF, program);

    dialogs.texts = {QStringLiteral("Un nom bien plus long que trente caractères")};
    EXPECT_TRUE(associateRetouchProgram(settings, dialogs));
    EXPECT_EQ(settings.SoftRetoucheN, QStringLiteral("Un nom bien plus long que tren"));

    writeFile(dir.filePath("notes.txt"), "texte");
    dialogs.program = dir.filePath("notes.txt");
    EXPECT_FALSE(associateRetouchProgram(settings, dialogs));
    EXPECT_EQ(settings.SoftRetoucheF, program);
    EXPECT_EQ(prompter.asked.back().kind, messages::Kind::Error);
}

} // namespace
