#include "ui/qb_panel.h"
#include "editor/shell/status_line.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

using namespace editor;

namespace {

// The captions a menu shows, in order, separators left out.
QStringList captions(QMenu *menu)
{
    QStringList shown;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            shown << action->text().section(QLatin1Char('\t'), 0, 0);
    return shown;
}

QStringList commandNames(QMenu *menu)
{
    QStringList names;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            names << action->objectName();
    return names;
}

QAction *item(QMenu *menu, const QString &name)
{
    for (QAction *action : menu->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

// Opens a menu as the user would, so its rule runs, and closes it again.
void openAndClose(QMenu *menu)
{
    menu->popup(QPoint(10, 10));
    QTest::qWait(1);
    menu->hide();
}

} // namespace

TEST_F(WindowTest, EachMainMenuShowsItsItemsInOrder)
{
    TMainLumivelle3000 &w = openWindow();
    QStringList titles;
    for (QAction *action : w.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"Fichier", "Edition", "Explorateur d'images", "Lumivelle", "Album",
                                   "Outils", "?"}));
    const std::map<MenuId, QStringList> expected = {
        {MenuId::Fichier,
         {"Nouveau lumivelle", "Ouvrir un lumivelle", "Enregistrer le lumivelle",
          "Enregistrer le lumivelle sous...", "Ouvrir un ancien fichier de script", "Créer un nouvel album",
          "Ouvrir un album", "Enregistrer l'album", "Enregistrer l'album sous...", "Créer un nouveau dossier",
          "Supprimer ce dossier", "Renommer l'image", "Renommer des images en lot", "Supprimer des images",
          "Quitter le programme"}},
        {MenuId::Edition,
         {"Actualiser", "Sélectionner tout", "Tout désélectionner", "Inverser la sélection", "Couper des images",
          "Copier des images", "Coller des images", "Dossier parent", "Dossier précédent", "Dossier suivant",
          "Trier la liste"}},
        {MenuId::Explorateur,
         {"Voir l'image (F4)", "Mettre à jour les vignettes sélectionnées", "Retoucher l'image", "Faire pivoter",
          "Redimensionner des images en lot", "Convertir des images au format JPEG en lot",
          "Informations d'appareil (EXIF)", "Lancer un lumivelle instantané"}},
        {MenuId::Lumivelle,
         {"Ajouter les images au lumivelle", "Ajouter des images depuis la boîte d'ouverture de fichiers",
          "Supprimer les images du lumivelle", "Voir l'image (F4)", "Mettre à jour les vignettes sélectionnées",
          "Retoucher l'image", "Appliquer les paramètres à toutes les images", "Faire pivoter",
          "Modifier le chemin d'accès des images sélectionnées", "Options du lumivelle", "Créer le lumivelle",
          "Créer un lumivelle Web", "Lancer un lumivelle instantané"}},
        {MenuId::Album,
         {"Ajouter les images à l'album", "Ajouter des images depuis la boîte d'ouverture de fichiers",
          "Supprimer les images de l'album", "Voir l'image (F4)", "Mettre à jour les vignettes sélectionnées",
          "Retoucher l'image", "Dupliquer les infos aux autres images de l'album", "Faire pivoter",
          "Rechercher des images dans cet album", "Modifier le chemin d'accès des images sélectionnées",
          "Explorateur d'albums", "Lancer un lumivelle instantané"}},
        {MenuId::Outils,
         {"Options", "Voir la fenêtre d'aperçu rapide", "Associer un logiciel de retouche d'images"}},
        {MenuId::Aide, {"A propos de...", "Aide de Lumivelle", "Infos sur l'auteur"}},
    };
    for (const auto &[id, items] : expected) {
        openAndClose(w.menu(id));
        EXPECT_EQ(captions(w.menu(id)), items) << menuObjectName(id);
    }
    for (MenuId id : {MenuId::Explorateur, MenuId::Lumivelle, MenuId::Album}) {
        QMenu *rotate = nullptr;
        for (QAction *action : w.menu(id)->actions())
            if (action->menu())
                rotate = action->menu();
        ASSERT_NE(rotate, nullptr);
        EXPECT_EQ(captions(rotate), QStringList({"90 degrés à droite", "90 degrés à gauche", "180 degrés"}));
    }
}

TEST_F(WindowTest, MenuItemsShowTheirKeysAndHints)
{
    TMainLumivelle3000 &w = openWindow();
    QAction *newShow = item(w.menu(MenuId::Fichier), "NewProject");
    ASSERT_TRUE(newShow);
    EXPECT_EQ(newShow->text().section('\t', 1), QKeySequence("Ctrl+N").toString(QKeySequence::NativeText));
    EXPECT_EQ(newShow->statusTip(), QStringLiteral("Créer un nouveau lumivelle"));
    QAction *refresh = item(w.menu(MenuId::Edition), "Actualiser");
    EXPECT_EQ(refresh->statusTip(), QStringLiteral("Actualiser la liste des dossiers"));
    EXPECT_EQ(item(w.menu(MenuId::Aide), "AProposde")->statusTip(), QStringLiteral("Version du programme"));
    EXPECT_EQ(item(w.menu(MenuId::Lumivelle), "AllStyle_Image")->statusTip(),
              QStringLiteral("Appliquer les paramètres à toutes les images du lumivelle"));
    EXPECT_EQ(w.command(CommandId::LumivelleRapide).caption(), QStringLiteral("Lancer un lumivelle rapide"));
    EXPECT_EQ(w.command(CommandId::ExplorerCollec).caption(), QStringLiteral("Explorateur d'album"));
}

TEST_F(WindowTest, ContextMenusHoldTheirCommandsInOrder)
{
    TMainLumivelle3000 &w = openWindow();
    EXPECT_EQ(commandNames(w.menu(MenuId::PopupListFile)),
              QStringList({"Ajouter", "AddCollec", "VueImageList", "RetoucherList", "RefreshVignette", "SelectAll",
                           "InvertSelect", "NewDir", "Cut", "CopyFile", "Paste", "DellFile", "RenameFile",
                           "Rename_All", "RescalePict", "ConvertJPG", "Exif"}));
    EXPECT_EQ(commandNames(w.menu(MenuId::PopupListScript)),
              QStringList({"VueImageScript", "AllStyle_Image", "Supprimer", "RetoucherScript",
                           "RefreshVignetteLumiv", "ModPath_S"}));
    EXPECT_EQ(commandNames(w.menu(MenuId::PopupCollec)),
              QStringList({"Ajouter", "VueImageCollec", "AllInfoCollec", "DellCollec", "RetoucherCollec",
                           "RefreshVignetteCollec", "ModPath"}));
    EXPECT_EQ(commandNames(w.menu(MenuId::PopupDirTree)), QStringList({"NewDir", "Delldir"}));
    EXPECT_EQ(captions(w.menu(MenuId::PopupMenuView)), QStringList({"Plein écran"}));
    EXPECT_EQ(captions(w.menu(MenuId::PopupListScript)).at(1),
              QStringLiteral("Appliquer les paramètres à toutes les images"));
    EXPECT_EQ(captions(w.menu(MenuId::PopupCollec)).at(2),
              QStringLiteral("Dupliquer les infos aux autres images de l'album"));
}

TEST_F(WindowTest, OpeningAMenuAppliesItsRuleAndTheRetouchName)
{
    TMainLumivelle3000 &w = openWindow();
    ListState explorer{true, 1, false};
    w.stateProvider().explorer = [&] { return explorer; };
    w.setActiveTab(2);
    openAndClose(w.menu(MenuId::Edition));
    EXPECT_FALSE(item(w.menu(MenuId::Edition), "SelectAll")->isEnabled());
    EXPECT_TRUE(item(w.menu(MenuId::Edition), "ParentDir")->isEnabled()); // no rule: never disabled
    w.setActiveTab(1);
    openAndClose(w.menu(MenuId::Edition));
    EXPECT_TRUE(item(w.menu(MenuId::Edition), "SelectAll")->isEnabled());
    // The submenu follows its items.
    openAndClose(w.menu(MenuId::Lumivelle));
    QAction *rotate = nullptr;
    for (QAction *action : w.menu(MenuId::Lumivelle)->actions())
        if (action->menu())
            rotate = action;
    EXPECT_FALSE(rotate->isEnabled());

    openAndClose(w.menu(MenuId::Explorateur));
    EXPECT_EQ(captions(w.menu(MenuId::Explorateur)).at(2), QStringLiteral("Retoucher l'image"));
    w.settings().setRetouchProgram("/usr/bin/editeur", "Editeur");
    openAndClose(w.menu(MenuId::PopupCollec));
    for (MenuId id : {MenuId::Explorateur, MenuId::Lumivelle, MenuId::Album})
        EXPECT_TRUE(captions(w.menu(id)).contains(QStringLiteral("Retoucher l'image avec Editeur")));

    w.settings().Apercu = false;
    openAndClose(w.menu(MenuId::Outils));
    EXPECT_FALSE(item(w.menu(MenuId::Outils), "ApercuActif")->isChecked());
}

TEST_F(WindowTest, FolderHistoriesEnableBackAndNext)
{
    TMainLumivelle3000 &w = openWindow();
    EXPECT_FALSE(w.command(CommandId::BackDir).isEnabled());
    EXPECT_FALSE(w.command(CommandId::NextDir).isEnabled());
    w.histories().pushBack("/photos");
    EXPECT_TRUE(w.command(CommandId::BackDir).isEnabled());
    EXPECT_FALSE(w.command(CommandId::NextDir).isEnabled());
    w.histories().pushForward("/photos/2003");
    w.histories().removeBack("/photos");
    EXPECT_FALSE(w.command(CommandId::BackDir).isEnabled());
    EXPECT_TRUE(w.command(CommandId::NextDir).isEnabled());
    openAndClose(w.menu(MenuId::Edition)); // no menu rule touches them
    EXPECT_TRUE(item(w.menu(MenuId::Edition), "NextDir")->isEnabled());
}

TEST_F(WindowTest, LayoutOfToolbarTabsAndStatusLine)
{
    TMainLumivelle3000 &w = openWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Lumivelle"));
    EXPECT_EQ(w.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(w.font().pointSize(), 8);
    auto *tabs = w.findChild<QTabWidget *>("PageControl");
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("     Explorateur d'images     "));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("     Images du lumivelle     "));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("     Images de l'album     "));

    auto *bar = w.findChild<QToolBar *>("ToolBar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->height(), 27);
    QStringList tips, labels;
    for (QAction *action : bar->actions()) {
        if (auto *label = qobject_cast<QLabel *>(bar->widgetForAction(action)))
            labels << label->text().trimmed();
        else if (!action->isSeparator())
            tips << action->toolTip();
    }
    EXPECT_EQ(labels, QStringList({"Lumivelle", "Album", "Commun"}));
    EXPECT_EQ(tips, QStringList({"Aller au dossier précédent", "Aller au dossier suivant", "Aller au dossier parent",
                                 "Actualiser", "Couper des images", "Copier des images", "Coller des images",
                                 "Supprimer des images", "Créer un nouveau lumivelle",
                                 "Ouvrir un lumivelle existant", "Enregistrer les modifications du lumivelle",
                                 "Options du lumivelle", "Créer le lumivelle", "Créer un nouvel album",
                                 "Ouvrir un album existant", "Explorateur d'album", "Enregistrer l'album",
                                 "Pivoter l'image de 90 degrés à droite", "Pivoter l'image de 90 degrés à gauche",
                                 "Voir l'image en plein écran", "Lancer un lumivelle instantané"}));

    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    StatusLine *status = w.statusLine();
    EXPECT_EQ(status->height(), 19);
    EXPECT_EQ(w.progressBar()->geometry(), QRect(302, 1, 198, 17));
    EXPECT_EQ(w.progressBar()->value(), 0);
    EXPECT_EQ(w.slidePanelPlace()->height(), 72);
    EXPECT_EQ(w.albumPanelPlace()->width(), 163);
}

TEST_F(WindowTest, LongHintsGoToTheFirstPanelAfterOneBlank)
{
    TMainLumivelle3000 &w = openWindow();
    QStatusTipEvent tip(QStringLiteral("Aller au dossier parent"));
    QCoreApplication::sendEvent(w.findChild<QToolBar *>("ToolBar"), &tip);
    EXPECT_EQ(w.statusLine()->panelText(0), QStringLiteral(" Aller au dossier parent"));
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&w, &none);
    EXPECT_EQ(w.statusLine()->panelText(0), QString());
}

TEST_F(WindowTest, ToolbarButtonsAreAlwaysEnabledAndRunTheHandlers)
{
    TMainLumivelle3000 &w = openWindow();
    auto *bar = w.findChild<QToolBar *>("ToolBar");
    int cuts = 0, rotations = 0;
    w.command(CommandId::Cut).setHandler([&] { ++cuts; });
    w.command(CommandId::RotateCollecRight).setHandler([&] { ++rotations; });
    w.command(CommandId::Cut).setEnabled(false);
    w.setActiveTab(3);
    for (QAction *action : bar->actions()) {
        EXPECT_TRUE(action->isEnabled());
        if (action->toolTip() == "Couper des images" || action->toolTip().contains("à droite"))
            action->trigger();
    }
    EXPECT_EQ(cuts, 1); // the handler itself decides to do nothing on the album tab
    EXPECT_EQ(rotations, 1);
}
