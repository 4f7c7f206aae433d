#include "editor/shell/close_questions.h"
#include "tests/recording_prompter.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(CloseQuestions, NothingModifiedClosesWithoutAQuestion)
{
    RecordingPrompter prompter;
    EXPECT_TRUE(confirmClose(OpenDocuments{}));
    EXPECT_TRUE(confirmClose(OpenDocuments{[] { return false; }, {}, [] { return false; }, {}, {}}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(CloseQuestions, YesToTheShowStillAsksForTheAlbumAndCancelThereKeepsTheWindow)
{
    RecordingPrompter prompter;
    int showSaves = 0, albumSaves = 0;
    const OpenDocuments docs{[] { return true; }, [&] { ++showSaves; return true; }, [] { return true; },
                             [&] { ++albumSaves; return true; }, {}};
    prompter.answers = {messages::Answer::Yes, messages::Answer::Cancel};
    EXPECT_FALSE(confirmClose(docs));
    EXPECT_EQ(showSaves, 1);
    EXPECT_EQ(albumSaves, 0);
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].text, kSaveShowQuestion);
    EXPECT_EQ(prompter.asked[0].kind, messages::Kind::Confirmation);
    EXPECT_EQ(prompter.asked[0].buttons, messages::Buttons::YesNoCancel);
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("Enregistrer les modifications de l'album ouvert ?"));

    prompter.asked.clear();
    prompter.answers = {messages::Answer::No, messages::Answer::Yes};
    EXPECT_TRUE(confirmClose(docs));
    EXPECT_EQ(showSaves, 1);
    EXPECT_EQ(albumSaves, 1);

    prompter.asked.clear();
    prompter.answers = {messages::Answer::Cancel};
    EXPECT_FALSE(confirmClose(docs));
    EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST(CloseQuestions, ASaveThatFailsKeepsTheWindowOpen)
{
    RecordingPrompter prompter;
    bool albumAsked = false;
    const OpenDocuments docs{[] { return true; }, [] { return false; },
                             [&] { albumAsked = true; return true; }, [] { return true; }, {}};
    prompter.answers = {messages::Answer::Yes};
    EXPECT_FALSE(confirmClose(docs));
    EXPECT_FALSE(albumAsked);
}
