// The known keywords: the adding rule, the sorted order and the keyword file.
#include "album_test_support.h"
#include "documents/album/keywords.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace album;

TEST(Keywords, AddingOnLeavingTheBox)
{
    KeywordList list;
    EXPECT_TRUE(list.addTyped("mer", true));
    EXPECT_FALSE(list.addTyped("Mer", true));      // known in another case
    EXPECT_TRUE(list.addTyped("mer ", true));      // the blank makes it another keyword
    EXPECT_FALSE(list.addTyped("   ", true));      // blank
    EXPECT_FALSE(list.addTyped("", true));
    EXPECT_FALSE(list.addTyped("plage", false));   // no album open
    EXPECT_EQ(list.items(), QStringList({"mer", "mer "}));
}

TEST(Keywords, KeptInAlphabeticalOrderWithoutRegardToCase)
{
    KeywordList list;
    for (const char *word : {"chat", "Arbre", "bateau", "Zèbre", "abeille"})
        list.addTyped(QString::fromUtf8(word), true);
    EXPECT_EQ(list.items(), QStringList({"abeille", "Arbre", "bateau", "chat", "Zèbre"}));
    EXPECT_EQ(list.indexOf("CHAT"), 3);
    list.removeAt(3);
    EXPECT_EQ(list.indexOf("chat"), -1);
    list.removeAt(99); // nothing to remove
    EXPECT_EQ(list.count(), 4);
}

TEST(KeywordFile, AnyLineEndIsReadAndCrLfIsWritten)
{
    EXPECT_EQ(parseKeywordFile("mer\r\nplage\nsoleil\rneige"), QStringList({"mer", "plage", "soleil", "neige"}));
    EXPECT_EQ(parseKeywordFile("mer\r\n"), QStringList({"mer"}));
    EXPECT_EQ(parseKeywordFile(""), QStringList());
    EXPECT_EQ(parseKeywordFile("\xE9t\xE9\r\n"), QStringList({"été"})); // code page 1252
    EXPECT_EQ(encodeKeywordFile({"été", "mer"}), QByteArray("\xE9t\xE9\r\nmer\r\n"));
    // A keyword code page 1252 cannot write is kept as UTF-8 and read back whole.
    EXPECT_EQ(parseKeywordFile(encodeKeywordFile({"зима"})), QStringList({"зима"}));
}

TEST(KeywordFile, ReadSortsWriteReplacesMissingIsEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("motcle.cfg");
    KeywordList list;
    list.addTyped("gardé", true);
    EXPECT_FALSE(readKeywordFile(path, list)); // missing: an empty list
    EXPECT_EQ(list.count(), 0);

    ASSERT_TRUE(album_test::writeBytes(path, "soleil\nArbre\r\nmer"));
    ASSERT_TRUE(readKeywordFile(path, list));
    EXPECT_EQ(list.items(), QStringList({"Arbre", "mer", "soleil"}));
    list.addTyped("été", true);
    ASSERT_TRUE(writeKeywordFile(path, list));
    EXPECT_EQ(album_test::readBytes(path), QByteArray("Arbre\r\nmer\r\nsoleil\r\n\xE9t\xE9\r\n"));
    EXPECT_FALSE(writeKeywordFile(dir.filePath("absent/motcle.cfg"), list));
}
