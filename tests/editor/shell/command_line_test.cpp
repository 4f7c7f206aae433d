#include "editor/shell/core/command_line.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(CommandLine, ParametersAreJoinedWithOneBlankAndTrailingBlanksRemoved)
{
    EXPECT_EQ(JoinedCommandLine({}), QString());
    EXPECT_EQ(JoinedCommandLine({"/photos/mes", "vacances.dap"}), QStringLiteral("/photos/mes vacances.dap"));
    EXPECT_EQ(JoinedCommandLine({"a.dap  ", "\t"}), QStringLiteral("a.dap"));
    EXPECT_EQ(JoinedCommandLine({" lead"}), QStringLiteral(" lead"));
}

TEST(CommandLine, AnExistingShowProjectOrAlbumIsOpenedAndAnythingElseRefused)
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
    const auto album = commandLineAction({"/photos/Été", "2004.CCL"}, [](const QString &) { return true; });
    EXPECT_EQ(album.kind, CommandLineAction::Kind::OpenAlbum);
    EXPECT_EQ(album.path, QStringLiteral("/photos/Été 2004.CCL"));
    EXPECT_EQ(commandLineAction({"/photos/absent.ccl"}, exists).kind, CommandLineAction::Kind::Refuse);
    EXPECT_EQ(kUnhandledFileMessage, QStringLiteral("Fichier non géré par Lumivelle."));
}
