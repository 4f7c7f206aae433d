#include "editor/shell/chm_file.h"
#include "editor/shell/help.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

namespace {

const QString kHelpFile = QStringLiteral(LUMIVELLE_BIN_DIR "/Lumivelle.chm");

const QStringList kTopics = {"home.htm",        "auteur.htm",     "options.htm",   "newdir.htm",
                             "rename.htm",      "projet.htm",     "applystyle.htm", "html.htm",
                             "rescale.htm",     "convertjpg.htm", "search.htm",    "exploreralbum.htm",
                             "applyinfosalbum.htm"};

} // namespace

TEST(HelpFile, EveryTopicIsAFrenchPageWhoseLinksLeadToPagesOfTheFile)
{
    auto help = ChmFile::open(kHelpFile);
    ASSERT_TRUE(help) << help.error().message.toStdString();
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    for (const QString &topic : kTopics) {
        const auto page = help->read(topic);
        ASSERT_TRUE(page) << topic.toStdString();
        const QString text = QString::fromUtf8(*page);
        EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"fr\">"))) << topic.toStdString();
        EXPECT_GT(text.size(), 600) << topic.toStdString();
        for (const auto &match : link.globalMatch(text))
            EXPECT_TRUE(help->contains(match.captured(1)))
                << topic.toStdString() << " -> " << match.captured(1).toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(*help->read("/home.htm")).contains(QStringLiteral("Explorateur d'images")));
    EXPECT_FALSE(help->read("absent.htm"));
    EXPECT_FALSE(help->contains("absent.htm"));
}

TEST(HelpFile, AFileThatIsNotAHelpFileIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("faux.chm");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_FALSE(ChmFile::open(path));
    EXPECT_FALSE(ChmFile::open(dir.filePath("absent.chm")));
}

TEST(HelpFile, TheHelpFileIsTheProgramPathWithTheChmExtension)
{
    EXPECT_EQ(helpFileFor("/opt/lumivelle/Lumivelle"), QStringLiteral("/opt/lumivelle/Lumivelle.chm"));
    EXPECT_EQ(helpFileFor("C:/Programmes/Lumivelle.exe"), QStringLiteral("C:/Programmes/Lumivelle.chm"));
}
