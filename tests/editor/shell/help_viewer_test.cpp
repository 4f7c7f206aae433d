#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace editor;

namespace {

const QString kHelpFile = QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm");

} // namespace

TEST(HelpViewer, NothingHappensWhenTheHelpFileWasMissingAtStartUp)
{
    setHelpFile(QStringLiteral("/nowhere/Lumivelle.chm"));
    EXPECT_FALSE(helpFileAvailable());
    ShowHelpTopic(QStringLiteral("home.htm"));
    EXPECT_EQ(currentHelpViewer(), nullptr);
}

TEST(HelpViewer, OpensEachTopicAndFollowsLinksBetweenPages)
{
    setHelpFile(kHelpFile);
    ASSERT_TRUE(helpFileAvailable());
    const std::pair<const char *, const char *> topics[] = {
        {"home.htm", "Aide de Lumivelle"},
        {"auteur.htm", "Infos sur l'auteur"},
        {"options.htm", "Options du programme"},
        {"newdir.htm", "Créer un nouveau dossier"},
        {"rename.htm", "Renommer plusieurs images"},
        {"projet.htm", "Options du lumivelle"},
        {"applystyle.htm", "Copier les paramètres"},
        {"html.htm", "Lumivelle WEB"},
        {"rescale.htm", "Redimensionner des images"},
        {"convertjpg.htm", "Convertir des images au format JPEG"},
        {"search.htm", "Rechercher des images"},
        {"exploreralbum.htm", "Explorateur d'albums"},
        {"applyinfosalbum.htm", "Dupliquer les infos"},
    };
    for (const auto &[topic, title] : topics) {
        ShowHelpTopic(QString::fromLatin1(topic));
        ASSERT_TRUE(currentHelpViewer());
        EXPECT_EQ(currentHelpViewer()->browser()->documentTitle(), QString::fromUtf8(title)) << topic;
    }
    HelpViewer *viewer = currentHelpViewer();
    EXPECT_TRUE(viewer->isVisible());
    ChmBrowser *browser = viewer->browser();
    ShowHelpTopic(QStringLiteral("home.htm"));
    EXPECT_EQ(currentHelpViewer(), viewer); // one help window, reused
    browser->setSource(QUrl(QStringLiteral("rename.htm")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Renommer plusieurs images"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Commencer la numérotation à")));
    browser->backward();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Aide de Lumivelle"));
    viewer->close();
}
