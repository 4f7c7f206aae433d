#include "base/path_identity.h"

#include <gtest/gtest.h>

TEST(PathIdentity, NamesDifferingOnlyInCaseAreTwoFilesOnLinux)
{
    EXPECT_TRUE(samePath(QStringLiteral("/photos/a.jpg"), QStringLiteral("/photos/a.jpg")));
    EXPECT_FALSE(samePath(QStringLiteral("/photos/IMG.jpg"), QStringLiteral("/photos/img.jpg")));
    EXPECT_NE(pathKey(QStringLiteral("/photos/IMG.jpg")), pathKey(QStringLiteral("/photos/img.jpg")));
    EXPECT_EQ(pathKey(QStringLiteral("/photos/été.jpg")), QStringLiteral("/photos/été.jpg"));
}
