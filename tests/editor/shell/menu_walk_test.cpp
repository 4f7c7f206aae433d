// The whole window, menu by menu: every command has a handler, and in each state of the
// three tabs every item of every menu and context menu is enabled exactly when the
// window's rules say (the tables below are written from those rules, not from the code).
#include "whole_window_fixture.h"

#include "editor/grid/thumbnail_grid.h"

#include <QMenu>
#include <QTest>
#include <set>

using namespace editor;
using walk_test::WholeWindowTest;

namespace {

// Items that no rule disables; BackDir and NextDir follow the histories and are listed
// where they are on.
const QStringList kAlways = {"NewProject", "OpenProjet", "OpenAncienScript", "NewCollec", "OpenCollec",
                             "Quitter", "ParentDir", "Tri", "ExplorerCollec", "Option", "ApercuActif",
                             "Soft_Retouche", "AProposde", "Help", "HelpAuthor", "PreviewFullScreen"};

using Expected = std::map<MenuId, QString>;

// The explorer's context menu with one picture selected, on any tab, no show or album open.
const QString kOnePicturePopup = "VueImageList RetoucherList RefreshVignette SelectAll InvertSelect Cut CopyFile "
                                 "DellFile RenameFile RescalePict ConvertJPG Exif";

std::string names(const std::set<QString> &set)
{
    return QStringList(set.begin(), set.end()).join(u' ').toStdString();
}

} // namespace

class MenuWalkTest : public WholeWindowTest {
protected:
    // Opens every main menu, then every context menu, in this order, and compares the
    // enabled items with `expected` (menus left out show only the items never disabled).
    void expectMenus(const char *state, const Expected &expected)
    {
        std::vector<MenuId> order(std::begin(kMainMenus), std::end(kMainMenus));
        order.insert(order.end(), std::begin(kContextMenus), std::end(kContextMenus));
        for (MenuId id : order) {
            std::set<QString> wanted, shown;
            const auto listed = expected.find(id);
            for (const QString &name : listed == expected.end() ? QStringList() : listed->second.split(u' ', Qt::SkipEmptyParts))
                wanted.insert(name);
            for (const auto &[name, enabled] : openMenu(id)) {
                if (kAlways.contains(name))
                    wanted.insert(name);
                if (enabled)
                    shown.insert(name);
            }
            EXPECT_EQ(names(shown), names(wanted)) << state << ", menu " << menuObjectName(id);
        }
    }
};

TEST_F(MenuWalkTest, EveryCommandOfTheWindowHasAHandler)
{
    QStringList unconnected;
    for (const CommandInfo &info : allCommands())
        if (!window().command(info.id).isConnected())
            unconnected << QString::fromLatin1(info.name);
    EXPECT_EQ(unconnected, QStringList());
}

TEST_F(MenuWalkTest, ExplorerTabEnablesItsCommandsByListAndSelection)
{
    showFolder(photo("sub"));
    ASSERT_EQ(explorerList().count(), 0);
    expectMenus("empty folder, nothing open",
                {{MenuId::Fichier, "NewDir Delldir"},
                 {MenuId::Edition, "Actualiser BackDir"},
                 {MenuId::PopupListFile, "NewDir"},
                 {MenuId::PopupDirTree, "NewDir Delldir"}});

    showFolder(m_photos.path());
    ASSERT_EQ(photoNames(), QStringList({"a.jpg", "b.png", "c.bmp"}));
    clickPhoto("a.jpg");
    openShowWith({});
    openAlbumWith({});
    window().setActiveTab(1);
    expectMenus("one picture selected, empty show and album open",
                {{MenuId::Fichier, "SaveProjet SaveProjetAs SaveCollec SaveCollecAs NewDir Delldir RenameFile DellFile"},
                 {MenuId::Edition, "Actualiser SelectAll UnSelectAll InvertSelect Cut CopyFile BackDir"},
                 {MenuId::Explorateur, "VueImageList RefreshVignette RetoucherList RotateListRight RescalePict "
                                       "ConvertJPG Exif LumivelleRapide"},
                 {MenuId::Lumivelle, "Ajouter"},
                 {MenuId::Album, "AddCollec"},
                 {MenuId::PopupListFile, "Ajouter AddCollec VueImageList RetoucherList RefreshVignette SelectAll "
                                         "InvertSelect NewDir Cut CopyFile DellFile RenameFile RescalePict ConvertJPG Exif"},
                 {MenuId::PopupDirTree, "NewDir Delldir"}});

    // The explorer list is rebuilt (a scan): nothing touches it, the album still takes
    // pictures by its own rule, which looks at the album's list.
    explorerList().state().busy = true;
    expectMenus("explorer busy",
                {{MenuId::Fichier, "SaveProjet SaveProjetAs SaveCollec SaveCollecAs"},
                 {MenuId::Edition, "BackDir"},
                 {MenuId::Album, "AddCollec"}});
    explorerList().state().busy = false;
}

TEST_F(MenuWalkTest, ExplorerTabWithTwoPicturesAndAPendingCopy)
{
    clickPhoto("a.jpg");
    clickPhoto("b.png", Qt::ControlModifier);
    ASSERT_TRUE(choose(MenuId::Edition, CommandId::CopyFile));
    expectMenus("two pictures selected, a copy pending, nothing open",
                {{MenuId::Fichier, "NewDir Delldir Rename_All DellFile"},
                 {MenuId::Edition, "Actualiser SelectAll UnSelectAll InvertSelect Cut CopyFile Paste BackDir"},
                 {MenuId::Explorateur, "RefreshVignette RescalePict ConvertJPG LumivelleRapide"},
                 {MenuId::PopupListFile, "RefreshVignette SelectAll InvertSelect NewDir Cut CopyFile Paste DellFile "
                                         "Rename_All RescalePict ConvertJPG"},
                 {MenuId::PopupDirTree, "NewDir Delldir"}});
    // The pending copy can be pasted from the grid's menu on any tab; the main menu
    // keeps it to the explorer tab.
    window().setActiveTab(2);
    expectMenus("show tab, a copy pending",
                {{MenuId::Edition, "BackDir"},
                 {MenuId::PopupListFile, "RefreshVignette SelectAll InvertSelect Cut CopyFile Paste DellFile "
                                         "Rename_All RescalePict ConvertJPG"}});
}

TEST_F(MenuWalkTest, ShowTabEnablesItsCommandsByShowAndSelection)
{
    clickPhoto("a.jpg");
    window().setActiveTab(2);
    expectMenus("no show", {{MenuId::Edition, "BackDir"}, {MenuId::PopupListFile, kOnePicturePopup}});
    openShowWith({});
    window().setActiveTab(2);
    expectMenus("empty show", {{MenuId::Fichier, "SaveProjet SaveProjetAs"},
                               {MenuId::Edition, "BackDir"},
                               {MenuId::Lumivelle, "AddFileLumiv OptionLumivelle"},
                               {MenuId::PopupListFile, "Ajouter " + kOnePicturePopup}});

    m_showDialogs->images.push_back({photo("a.jpg"), photo("b.png"), photo("c.bmp")});
    ASSERT_TRUE(choose(MenuId::Lumivelle, CommandId::AddFileLumiv));
    clickSlide(1);
    const QString fichier = "SaveProjet SaveProjetAs";
    expectMenus("three slides, one selected",
                {{MenuId::Fichier, fichier},
                 {MenuId::Edition, "BackDir"},
                 {MenuId::Lumivelle, "AddFileLumiv Supprimer VueImageScript RefreshVignetteLumiv RetoucherScript "
                                     "AllStyle_Image RotateScriptRight ModPath_S OptionLumivelle Lumivelle "
                                     "LumivelleWeb LumivelleRapide"},
                 {MenuId::PopupListFile, "Ajouter " + kOnePicturePopup},
                 {MenuId::PopupListScript, "VueImageScript AllStyle_Image Supprimer RetoucherScript "
                                           "RefreshVignetteLumiv ModPath_S"}});
    clickSlide(2, Qt::ControlModifier);
    expectMenus("three slides, two selected",
                {{MenuId::Fichier, fichier},
                 {MenuId::Edition, "BackDir"},
                 {MenuId::Lumivelle, "AddFileLumiv Supprimer RefreshVignetteLumiv AllStyle_Image ModPath_S "
                                     "OptionLumivelle Lumivelle LumivelleWeb LumivelleRapide"},
                 {MenuId::PopupListFile, "Ajouter " + kOnePicturePopup},
                 {MenuId::PopupListScript, "Supprimer RefreshVignetteLumiv ModPath_S"}});
    showArea().slides().state().busy = true;
    expectMenus("slide list busy", {{MenuId::Fichier, fichier},
                                    {MenuId::Edition, "BackDir"},
                                    {MenuId::Lumivelle, "OptionLumivelle"},
                                    {MenuId::PopupListFile, "Ajouter " + kOnePicturePopup}});
    showArea().slides().state().busy = false;
    window().setActiveTab(1);
    expectMenus("explorer tab, a show with slides",
                {{MenuId::Fichier, fichier + " NewDir Delldir RenameFile DellFile"},
                 {MenuId::Edition, "Actualiser SelectAll UnSelectAll InvertSelect Cut CopyFile BackDir"},
                 {MenuId::Explorateur, "VueImageList RefreshVignette RetoucherList RotateListRight RescalePict "
                                       "ConvertJPG Exif LumivelleRapide"},
                 {MenuId::Lumivelle, "Ajouter"},
                 {MenuId::PopupListFile, "Ajouter VueImageList RetoucherList RefreshVignette SelectAll InvertSelect "
                                         "NewDir Cut CopyFile DellFile RenameFile RescalePict ConvertJPG Exif"},
                 {MenuId::PopupListScript, "Supprimer RefreshVignetteLumiv ModPath_S"},
                 {MenuId::PopupDirTree, "NewDir Delldir"}});
}

TEST_F(MenuWalkTest, AlbumTabEnablesItsCommandsByAlbumAndSelection)
{
    window().setActiveTab(3);
    expectMenus("no album", {{MenuId::Edition, "BackDir"}, {MenuId::PopupListFile, kOnePicturePopup}});

    openAlbumWith({"a.jpg", "b.png", "c.bmp"});
    openShowWith({});
    clickAlbumEntry(0);
    const QString fichier = "SaveProjet SaveProjetAs SaveCollec SaveCollecAs";
    expectMenus("three entries, one selected, a show open",
                {{MenuId::Fichier, fichier},
                 {MenuId::Edition, "CopyFile BackDir"},
                 {MenuId::Lumivelle, "Ajouter"},
                 {MenuId::Album, "AddFileCollec DellCollec VueImageCollec RefreshVignetteCollec RetoucherCollec "
                                 "AllInfoCollec RotateCollecRight SerachCollec ModPath LumivelleRapide"},
                 {MenuId::PopupListFile, "Ajouter AddCollec " + kOnePicturePopup},
                 {MenuId::PopupCollec, "Ajouter VueImageCollec AllInfoCollec DellCollec RetoucherCollec "
                                       "RefreshVignetteCollec ModPath"}});
    clickAlbumEntry(2, Qt::ControlModifier);
    expectMenus("three entries, two selected",
                {{MenuId::Fichier, fichier},
                 {MenuId::Edition, "CopyFile BackDir"},
                 {MenuId::Lumivelle, "Ajouter"},
                 {MenuId::Album, "AddFileCollec DellCollec RefreshVignetteCollec SerachCollec ModPath LumivelleRapide"},
                 {MenuId::PopupListFile, "Ajouter AddCollec " + kOnePicturePopup},
                 {MenuId::PopupCollec, "Ajouter DellCollec RefreshVignetteCollec ModPath"}});
    albumArea().images().state().busy = true;
    expectMenus("album busy", {{MenuId::Fichier, fichier},
                               {MenuId::Edition, "BackDir"},
                               {MenuId::Album, "SerachCollec"},
                               {MenuId::PopupListFile, "Ajouter AddCollec " + kOnePicturePopup}});
    albumArea().images().state().busy = false;
}

TEST_F(MenuWalkTest, TheCheckMarkOfThePreviewFollowsTheSetting)
{
    EXPECT_TRUE(window().command(CommandId::ApercuActif).isChecked());
    EXPECT_TRUE(window().previewPanel()->isVisible());
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::ApercuActif));
    EXPECT_FALSE(window().previewPanel()->isVisible());
    EXPECT_FALSE(window().settings().Apercu);
    openMenu(MenuId::Outils);
    EXPECT_FALSE(window().command(CommandId::ApercuActif).isChecked());
    ASSERT_TRUE(choose(MenuId::Outils, CommandId::ApercuActif));
    EXPECT_TRUE(window().previewPanel()->isVisible());
    EXPECT_TRUE(window().command(CommandId::ApercuActif).isChecked());
}
