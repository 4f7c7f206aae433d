// The album list's path index and order.
#include "album_test_support.h"
#include "documents/album/album_list.h"

#include <gtest/gtest.h>

using namespace album;

TEST(AlbumList, PathIndexFollowsEveryChange)
{
    AlbumList list;
    list.append("/p/a.jpg", {});
    list.append("/p/b.jpg", {});
    list.append("/p/a.jpg", {}); // a file may hold a path twice
    EXPECT_TRUE(list.containsPath("/p/a.jpg"));
    list.removeAt(0);
    EXPECT_TRUE(list.containsPath("/p/a.jpg")); // the second copy is still there
    list.removeAt(1);
    EXPECT_FALSE(list.containsPath("/p/a.jpg"));
    list.setPath(0, "/q/b.jpg");
    EXPECT_FALSE(list.containsPath("/p/b.jpg"));
    EXPECT_TRUE(list.containsPath("/q/b.jpg"));
    list.clear();
    EXPECT_FALSE(list.containsPath("/q/b.jpg"));
    EXPECT_TRUE(list.isEmpty());
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
TEST(AlbumList, NamesDifferingInCaseAreTwoPhotosHere)
{
    AlbumList list;
    list.append("/p/IMG.jpg", {});
    EXPECT_FALSE(list.containsPath("/p/img.jpg"));
}
#endif

TEST(AlbumList, SortIgnoresCaseAndMovesKeepEntries)
{
    AlbumList list;
    for (const char *path : {"/p/c.jpg", "/p/B.jpg", "/p/a.jpg"}) {
        TEnrData_C entry;
        entry.comment = QString::fromLatin1(path);
        list.append(QString::fromLatin1(path), entry);
    }
    list.sortByPath();
    EXPECT_EQ(list.path(0), QStringLiteral("/p/a.jpg"));
    EXPECT_EQ(list.path(1), QStringLiteral("/p/B.jpg"));
    EXPECT_EQ(list.entry(1).comment, QStringLiteral("/p/B.jpg"));
    list.move(0, 2);
    EXPECT_EQ(list.path(0), QStringLiteral("/p/B.jpg"));
    EXPECT_EQ(list.path(2), QStringLiteral("/p/a.jpg"));
    EXPECT_TRUE(list.containsPath("/p/a.jpg"));
}
