#include "editor/shell/help.h"
#include "editor/shell/help_viewer.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

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

// What a reader does: the link is chosen with the keyboard and followed with Return.
TEST(HelpViewer, AChosenLinkOpensItsPageInTheViewer)
{
    setHelpFile(kHelpFile);
    ShowHelpTopic(QStringLiteral("exploreralbum.htm"));
    ASSERT_TRUE(currentHelpViewer());
    ChmBrowser *browser = currentHelpViewer()->browser();
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab); // "Sommaire"
    QTest::keyClick(browser, Qt::Key_Tab); // "options"
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Options du programme"));
    EXPECT_EQ(browser->source(), ChmBrowser::topicUrl(QStringLiteral("options.htm")));
    currentHelpViewer()->close();
}

TEST(HelpViewer, TheHelpOfAModalDialogIsNotBlockedByIt)
{
    setHelpFile(kHelpFile);
    auto dialog = std::make_unique<QDialog>();
    QWindow *helpParent = nullptr;
    QTimer::singleShot(0, [&] {
        ShowHelpTopic(QStringLiteral("options.htm"));
        if (HelpViewer *viewer = currentHelpViewer())
            helpParent = viewer->windowHandle()->transientParent();
        dialog->reject();
    });
    dialog->exec();
    EXPECT_EQ(helpParent, dialog->windowHandle());
    dialog.reset();
    QCoreApplication::processEvents();
    ASSERT_TRUE(currentHelpViewer()); // the help outlives the dialog that opened it
    EXPECT_TRUE(currentHelpViewer()->isVisible());
    ShowHelpTopic(QStringLiteral("home.htm")); // from the main window again: a window of its own
    ASSERT_TRUE(currentHelpViewer());
    EXPECT_EQ(currentHelpViewer()->windowHandle()->transientParent(), nullptr);
    currentHelpViewer()->close();
}
