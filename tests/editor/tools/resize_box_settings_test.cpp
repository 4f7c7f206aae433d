#include "editor/shell/core/config_file.h"
#include "editor/tools/resize_box_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

namespace {

bool anyFolder(const QString &) { return true; }

ConfigFile configWith(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath("Lumivelle.cfg");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    return ConfigFile(path);
}

} // namespace

TEST(ResizeBoxSettings, DefaultsAndValuesOutsideTheListsReadAsTheDefaults)
{
    QTemporaryDir dir;
    const ResizeBoxSettings defaults = readResizeBoxSettings(configWith(dir, ""), anyFolder);
    EXPECT_EQ(defaults.filter, 2);
    EXPECT_EQ(defaults.newSize, 2);
    EXPECT_TRUE(defaults.largerOnly);
    EXPECT_EQ(defaults.copyStyle, 0);
    EXPECT_TRUE(defaults.dirCopy.isEmpty());

    const ResizeBoxSettings odd = readResizeBoxSettings(
        configWith(dir, "[ResizeBox]\nFilter=8\nNewSize=-1\nLargerOnly=0\nCopyStyle=3\nDirCopy=/x/\n"), anyFolder);
    EXPECT_EQ(odd.filter, 2);
    EXPECT_EQ(odd.newSize, 2);
    EXPECT_FALSE(odd.largerOnly);
    EXPECT_EQ(odd.copyStyle, 0);
    EXPECT_EQ(odd.dirCopy, "/x/");

    const ResizeBoxSettings last = readResizeBoxSettings(
        configWith(dir, "[ResizeBox]\nFilter=7\nNewSize=6\nCopyStyle=2\nDirCopy=/gone/\n"),
        [](const QString &) { return false; });
    EXPECT_EQ(last.filter, 7);
    EXPECT_EQ(last.newSize, 6);
    EXPECT_EQ(last.copyStyle, 2);
    EXPECT_TRUE(last.dirCopy.isEmpty()); // the folder no longer exists
}

TEST(ResizeBoxSettings, WrittenValuesAreReadBackFromTheFile)
{
    QTemporaryDir dir;
    ConfigFile config = configWith(dir, "[Application]\nFilterOk=1\n");
    writeResizeBoxSettings(config, {5, 4, false, 1, "/photos/copies/"});
    const ResizeBoxSettings read = readResizeBoxSettings(ConfigFile(config.path()), anyFolder);
    EXPECT_EQ(read.filter, 5);
    EXPECT_EQ(read.newSize, 4);
    EXPECT_FALSE(read.largerOnly);
    EXPECT_EQ(read.copyStyle, 1);
    EXPECT_EQ(read.dirCopy, "/photos/copies/");
    EXPECT_EQ(ConfigFile(config.path()).readInteger("Application", "FilterOk", 0), 1); // other sections kept
}

TEST(ResizeBox, ListedSizesAndTypedOnes)
{
    EXPECT_EQ(resizeBox(0, {}, {}), QSize(640, 480));
    EXPECT_EQ(resizeBox(2, "x", "y"), QSize(1024, 768)); // the fields only count for "Personnaliser"
    EXPECT_EQ(resizeBox(5, {}, {}), QSize(1600, 1200));
    EXPECT_EQ(resizeBox(6, "1600", "1200"), QSize(1600, 1200));
    EXPECT_EQ(resizeBox(6, "320", "9999"), QSize(320, 9999));
    for (const auto &[w, h] : {std::pair{"", "1200"}, {"1600", ""}, {"0", "1200"}, {"1600", "0"}, {"0", "0"},
                               {"16a", "12"}, {"-5", "12"}})
        EXPECT_EQ(resizeBox(6, w, h), std::nullopt) << w << " x " << h;
}

TEST(WithTrailingSeparator, AddsOneOnlyWhenMissing)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(withTrailingSeparator("/photos"), QDir::toNativeSeparators("/photos") + sep);
    EXPECT_EQ(withTrailingSeparator("/photos/"), QDir::toNativeSeparators("/photos/"));
}
