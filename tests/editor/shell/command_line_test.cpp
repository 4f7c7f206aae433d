#include "editor/shell/command_line.h"
#include "editor/shell/numeric_key.h"
#include "tests/recording_prompter.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(CommandLine, ParametersAreJoinedWithOneBlankAndTrailingBlanksRemoved)
{
    EXPECT_EQ(JoinedCommandLine({}), QString());
    EXPECT_EQ(JoinedCommandLine({"/photos/mes", "vacances.dap"}), QStringLiteral("/photos/mes vacances.dap"));
    EXPECT_EQ(JoinedCommandLine({"a.dap  ", "\t"}), QStringLiteral("a.dap"));
    EXPECT_EQ(JoinedCommandLine({" lead"}), QStringLiteral(" lead"));
}

TEST(CommandLine, AnExistingShowProjectIsOpenedAndAnythingElseRefused)
{
    const auto exists = [](const QString &path) { return path == "/photos/mes vacances.DAP"; };
    const auto open = commandLineAction({"/photos/mes", "vacances.DAP"}, exists);
    EXPECT_EQ(open.kind, CommandLineAction::Kind::OpenShow);
    EXPECT_EQ(open.path, QStringLiteral("/photos/mes vacances.DAP"));

    EXPECT_EQ(commandLineAction({}, exists).kind, CommandLineAction::Kind::Nothing);
    EXPECT_EQ(commandLineAction({"/photos/plage.jpg"}, [](const QString &) { return true; }).kind,
              CommandLineAction::Kind::Refuse);
    EXPECT_EQ(commandLineAction({"/photos/absent.dap"}, exists).kind, CommandLineAction::Kind::Refuse);
    EXPECT_EQ(commandLineAction({"/photos/show.dap.jpg"}, [](const QString &) { return true; }).kind,
              CommandLineAction::Kind::Refuse);
    EXPECT_EQ(kUnhandledFileMessage, QStringLiteral("Fichier non géré par Lumivelle."));
}

TEST(NumericKey, DigitsBackspaceAndReturnPassOthersAreRefusedWithAMessage)
{
    RecordingPrompter prompter;
    for (char16_t key : {u'0', u'5', u'9', char16_t(8), char16_t(13)})
        EXPECT_TRUE(ui::IsNumericKey(QChar(key))) << int(key);
    EXPECT_TRUE(prompter.asked.empty());
    for (char16_t key : {u'a', u'-', u' ', u'.', u'é', char16_t(127)})
        EXPECT_FALSE(ui::IsNumericKey(QChar(key))) << int(key);
    ASSERT_EQ(prompter.asked.size(), 6u);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Saisie numérique uniquement !"));
}
