#include "editor/shell/core/option_values.h"

#include <gtest/gtest.h>

using namespace editor;

namespace {

bool onlyAlbums(const QString &path) { return path == "/albums"; }

} // namespace

TEST(OptionValues, TheDialogStartsFromTheSettingsWithOnlyAnExistingAlbumFolder)
{
    EditorSettings settings;
    settings.Rep_Collec = "/albums";
    settings.UnitLumivelle = 300;
    OptionValues values = optionValuesFrom(settings, &onlyAlbums);
    EXPECT_EQ(values.albumFolder, QStringLiteral("/albums"));
    EXPECT_EQ(values.unitText, QStringLiteral("300"));
    EXPECT_EQ(values.cologrid, settings.cologrid);
    settings.Rep_Collec = "/gone";
    EXPECT_EQ(optionValuesFrom(settings, &onlyAlbums).albumFolder, QString());
}

TEST(OptionValues, TheIntervalOutsideOneTo120BecomesFive)
{
    EXPECT_EQ(unitFromText("1"), 1);
    EXPECT_EQ(unitFromText("120"), 120);
    EXPECT_EQ(unitFromText(" 42 "), 42);
    EXPECT_EQ(unitFromText("0"), 5);
    EXPECT_EQ(unitFromText("121"), 5);
    EXPECT_EQ(unitFromText("-3"), 5);
    EXPECT_EQ(unitFromText(""), 1);
    EXPECT_EQ(unitFromText("douze"), 1);
}

TEST(OptionValues, OkStoresEveryFieldAndReportsWhatMustBeRedrawn)
{
    EditorSettings settings;
    OptionValues values = optionValuesFrom(settings, &onlyAlbums);
    OptionChanges changes = applyOptionValues(settings, values, &onlyAlbums);
    EXPECT_FALSE(changes.colours);
    EXPECT_FALSE(changes.infoVignette);
    EXPECT_FALSE(changes.autoOrient);
    EXPECT_TRUE(values.autoOrient);

    values.cologrid = 0x00FF00;
    values.autoOrient = false;
    values.infoVignette = false;
    values.filterOk = false;
    values.unitText = "121";
    values.albumFolder = "/albums";
    changes = applyOptionValues(settings, values, &onlyAlbums);
    EXPECT_TRUE(changes.colours);
    EXPECT_TRUE(changes.infoVignette);
    EXPECT_TRUE(changes.autoOrient);
    EXPECT_FALSE(settings.AutoOrient);
    EXPECT_EQ(settings.cologrid, 0x00FF00u);
    EXPECT_FALSE(settings.InfoVignette);
    EXPECT_FALSE(settings.FilterOk);
    EXPECT_EQ(settings.UnitLumivelle, 5);
    EXPECT_EQ(settings.Rep_Collec, QStringLiteral("/albums"));

    values.albumFolder = "/missing";
    values.colosel = 1;
    values.unitText = "0";
    changes = applyOptionValues(settings, values, &onlyAlbums);
    EXPECT_TRUE(changes.colours);
    EXPECT_FALSE(changes.infoVignette);
    EXPECT_FALSE(changes.autoOrient);
    EXPECT_EQ(settings.Rep_Collec, QString());
    EXPECT_EQ(settings.UnitLumivelle, 5);
}
