#include "ui/numeric_key.h"
#include "tests/recording_prompter.h"

#include <gtest/gtest.h>

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
