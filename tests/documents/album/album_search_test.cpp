// Searching the album by keyword and in all fields.
#include "album_test_support.h"
#include "documents/album/album_list.h"
#include "documents/album/album_search.h"

#include <gtest/gtest.h>

using namespace album;

namespace {

AlbumList keywordAlbum(std::initializer_list<const char *> keywords)
{
    AlbumList list;
    int i = 0;
    for (const char *keyword : keywords) {
        TEnrData_C entry;
        entry.keyword = QString::fromUtf8(keyword);
        list.append(QStringLiteral("/p/%1.jpg").arg(i++), entry);
    }
    return list;
}

std::vector<int> find(const AlbumList &list, const QString &text, bool exact = false,
                      SearchMode mode = SearchMode::Keyword)
{
    return searchAlbum(list, {mode, text, exact});
}

} // namespace

TEST(AlbumSearch, KeywordContainmentAndExactMatching)
{
    const AlbumList list = keywordAlbum({"chat", "Chien", "chats", "oiseau", ""});
    EXPECT_EQ(find(list, "ch"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(find(list, "Chat", true), (std::vector<int>{0}));
    EXPECT_EQ(find(list, "CHAT"), (std::vector<int>{0, 2}));
    EXPECT_EQ(find(list, "x"), std::vector<int>{});
}

TEST(AlbumSearch, OnlyAToZAreFoldedAndBlanksCount)
{
    EXPECT_EQ(foldAZ(u"ÉtÉ AbZ"), QStringLiteral("ÉtÉ abz"));
    const AlbumList list = keywordAlbum({"été", "mer", "la mer"});
    EXPECT_EQ(find(list, "É"), std::vector<int>{});
    EXPECT_EQ(find(list, "é"), (std::vector<int>{0}));
    EXPECT_EQ(find(list, " mer"), (std::vector<int>{2})); // the leading blank is searched
    EXPECT_EQ(find(list, "   "), std::vector<int>{});      // a blank query finds nothing
    EXPECT_EQ(find(list, ""), std::vector<int>{});
}

TEST(AlbumSearch, AllFieldsIncludeNumbersButNotThePath)
{
    AlbumList list;
    TEnrData_C wide = album_test::entryWith(640, 480, 1000);
    TEnrData_C sized = album_test::entryWith(100, 100, 26400);
    TEnrData_C texts = album_test::entryWith(1, 1, 1);
    texts.comment = QStringLiteral("Vue 6401");
    TEnrData_C none = album_test::entryWith(2, 2, 2);
    TEnrData_C both = album_test::entryWith(640, 640, 640);
    both.keyword = QStringLiteral("640");
    list.append("/p/a.jpg", wide);
    list.append("/p/b.jpg", sized);
    list.append("/p/c.jpg", texts);
    list.append("/p/640.jpg", none);
    list.append("/p/e.jpg", both);
    EXPECT_EQ(find(list, "640", false, SearchMode::AllFields), (std::vector<int>{0, 1, 2, 4})); // each once
    EXPECT_EQ(find(list, "640", true, SearchMode::AllFields), (std::vector<int>{0, 4}));
    EXPECT_EQ(find(list, "640", false, SearchMode::Keyword), (std::vector<int>{4}));

    TEnrData_C every;
    int field = 0;
    for (AlbumField f : kAlbumFields)
        every.text(f) = QStringLiteral("champ%1").arg(field++);
    AlbumList single;
    single.append("/p/x.jpg", every);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(find(single, QStringLiteral("CHAMP%1").arg(i), true, SearchMode::AllFields).size(), 1u) << i;
}

TEST(AlbumSearch, FoundPathsSelectEntriesWithoutRegardToCase)
{
    AlbumList list;
    list.append("/p/A.jpg", {});
    list.append("/p/b.jpg", {});
    list.append("/p/a.jpg", {});
    EXPECT_EQ(entriesWithPaths(list, {"/p/a.jpg"}), (std::vector<int>{0, 2}));
    EXPECT_EQ(pathsOf(list, {1, 2}), QStringList({"/p/b.jpg", "/p/a.jpg"}));
}
