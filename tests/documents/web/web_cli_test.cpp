// lumivelle-cli web: the gallery of a .dap with the options of the command line, the
// defaults and layout rules of the numbers, the colours, and the exit status that tells a
// script when a picture or a file failed.
#include "documents/show/project_file.h"
#include "gallery_test_support.h"
#include "tests/cli_run.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace gallery_test;

namespace {

class WebCliTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // A show of `count` pictures p0.png... (a missing one where asked) with captions.
    QString show(int count, int missing = -1)
    {
        showdoc::ShowProject project;
        for (int i = 0; i < count; ++i) {
            showdoc::ShowSlide slide;
            slide.path = file(QStringLiteral("photos/p%1.png").arg(i));
            if (i != missing)
                writePicture(slide.path, 64 + i, 48);
            slide.entry.caption = QStringLiteral("Légende <%1> & co").arg(i);
            project.slides.push_back(slide);
        }
        const QString path = file(QStringLiteral("show.dap"));
        EXPECT_TRUE(showdoc::SaveProjectFile(path, project).has_value());
        return path;
    }

    CliRun web(const QStringList &options, const QString &out = QStringLiteral("site/g.htm"))
    {
        QDir().mkpath(QFileInfo(file(out)).path());
        return runCli(QStringList{QStringLiteral("web"), file(QStringLiteral("show.dap")), file(out)} + options);
    }

    QStringList page(int n = 0) const
    {
        return pageLines(readBytes(file(n == 0 ? QStringLiteral("site/g.htm") : QStringLiteral("site/g%1.htm").arg(n))));
    }

    QList<int> rowSizes(int n = 0) const
    {
        QList<int> sizes;
        for (const QStringList &row : imageRows(page(n)))
            sizes << int(row.size());
        return sizes;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(WebCliTest, DefaultsAreTheDialogsFirstUse)
{
    show(12);
    const CliRun run = web({});
    EXPECT_EQ(run.exitCode, 0) << run.errors.constData();
    const QStringList lines = page();
    EXPECT_EQ(lines.value(4), QStringLiteral(" <title></title>"));
    EXPECT_TRUE(lines.contains(QStringLiteral("<body bgcolor=\"#000000\" TEXT=\"#FFFFFF\" LINK=\"#FFFFFF\" ALINK=\"#FFFFFF\" "
                                              "VLINK=\"#FFFFFF\">")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<table border=\"1\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));
    EXPECT_TRUE(lines.value(10).contains(QStringLiteral("BORDER=0 ALT=")));
    EXPECT_EQ(rowSizes(), QList<int>({5, 5, 2}));
    EXPECT_FALSE(lines.join(QString()).contains(QStringLiteral("Légende")));
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/p%1.jpg").arg(i))).isFile());
        EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/s_p%1.jpg").arg(i))).isFile());
    }
}

TEST_F(WebCliTest, OptionsReachThePages)
{
    show(7);
    const CliRun run = web({QStringLiteral("--title"), QStringLiteral("Été <2024>"), QStringLiteral("--col"), QStringLiteral("3"),
                            QStringLiteral("--rows"), QStringLiteral("2"), QStringLiteral("--border"), QStringLiteral("4"),
                            QStringLiteral("--thumb-border"), QStringLiteral("--captions"), QStringLiteral("--copyright"),
                            QStringLiteral("© moi"), QStringLiteral("--email"), QStringLiteral("moi@exemple.fr"),
                            QStringLiteral("--link-text"), QStringLiteral("Accueil"), QStringLiteral("--url"),
                            QStringLiteral("../index.htm"), QStringLiteral("--colours"),
                            QStringLiteral("#FF0080,#00ff00,#0000FF")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.constData();
    const QStringList lines = page();
    EXPECT_EQ(lines.value(4), QStringLiteral(" <title>Été &lt;2024&gt;</title>"));
    EXPECT_TRUE(lines.contains(QStringLiteral("<body bgcolor=\"#FF0080\" TEXT=\"#00FF00\" LINK=\"#00FF00\" ALINK=\"#00FF00\" "
                                              "VLINK=\"#00FF00\">")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<table border=\"4\" cellspacing=\"0\" bordercolor=\"#0000FF\">")));
    EXPECT_TRUE(lines.value(10).contains(QStringLiteral("BORDER=1 ALT=")));
    EXPECT_TRUE(lines.contains(QStringLiteral("   <td width=\"120\" valign=\"Top\" align=\"center\"><font size=\"-1\">"
                                              "Légende &lt;0&gt; &amp; co</font>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<p><A HREF=\"../index.htm\">Accueil</A></p>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("<p>Email : <A HREF=\"mailto:moi@exemple.fr\">moi@exemple.fr</A></p>")));
    EXPECT_TRUE(lines.contains(QStringLiteral("© moi")));
    EXPECT_EQ(rowSizes(0), QList<int>({3, 3}));
    EXPECT_EQ(rowSizes(1), QList<int>({1}));
    EXPECT_EQ(navigationLine(page(1)), QStringLiteral("<A HREF=\"g.htm\">&lt;&lt; Précédent</A>"));

    // A link text without URL writes no link.
    EXPECT_EQ(web({QStringLiteral("--link-text"), QStringLiteral("Accueil")}).exitCode, 0);
    EXPECT_FALSE(page().join(QString()).contains(QStringLiteral("Accueil")));
}

TEST_F(WebCliTest, NumbersOutsideTheirRangeFollowTheLayoutRules)
{
    show(23);
    CliRun run = web({QStringLiteral("--col"), QStringLiteral("50"), QStringLiteral("--border"), QStringLiteral("20")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.constData();
    EXPECT_EQ(rowSizes(), QList<int>({10, 10, 3}));
    EXPECT_TRUE(page().contains(QStringLiteral("<table border=\"10\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));
    run = web({QStringLiteral("--col"), QStringLiteral("0"), QStringLiteral("--rows"), QStringLiteral("1001"),
               QStringLiteral("--border"), QStringLiteral("-3")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.constData();
    EXPECT_EQ(rowSizes(), QList<int>({5, 5, 5, 5, 3}));
    EXPECT_TRUE(page().contains(QStringLiteral("<table border=\"0\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));
}

TEST_F(WebCliTest, WrongArgumentsAreRefused)
{
    show(2);
    for (const QStringList &options :
         {QStringList{QStringLiteral("--colours"), QStringLiteral("#FF0000,#00FF00")},
          QStringList{QStringLiteral("--colours"), QStringLiteral("red,#00FF00,#0000FF")},
          QStringList{QStringLiteral("--col"), QStringLiteral("trois")}, QStringList{QStringLiteral("--threads"), QStringLiteral("3")},
          QStringList{QStringLiteral("--bogus")}}) {
        const CliRun run = web(options);
        EXPECT_EQ(run.exitCode, 1) << options.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("site/g.htm"))));
    }
    const CliRun unnamed = web({}, QStringLiteral("site/.htm"));
    EXPECT_EQ(unnamed.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(unnamed.errors).contains(QStringLiteral("Le nom du fichier est obligatoire")));
    EXPECT_EQ(runCli({QStringLiteral("web"), file(QStringLiteral("nowhere.dap")), file(QStringLiteral("g.htm"))}).exitCode, 1);
}

TEST_F(WebCliTest, FailuresExitWithTheFilesListed)
{
    show(3, 1); // p1.png is missing
    CliRun run = web({});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(run.errors).contains(file(QStringLiteral("photos/p1.png"))));
    EXPECT_EQ(imageRows(page()).value(0).size(), 3) << "the missing picture keeps its cell";
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/p2.jpg"))).isFile());

    writePicture(file(QStringLiteral("photos/p1.png")), 70, 50);
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("site/s_p2.jpg"))));
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("site/s_p2.jpg"))));
    run = web({});
    EXPECT_EQ(run.exitCode, 1);
    const QString errors = QString::fromUtf8(run.errors);
    EXPECT_TRUE(errors.contains(file(QStringLiteral("site/s_p2.jpg"))));
    EXPECT_FALSE(errors.contains(QStringLiteral("p1.png")));
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("site/s_p1.jpg"))).isFile());

    ASSERT_TRUE(QDir(file(QStringLiteral("site/s_p2.jpg"))).removeRecursively());
    run = web({});
    EXPECT_EQ(run.exitCode, 0) << run.errors.constData();
}

TEST_F(WebCliTest, PlainStretchOnlyWhenAsked)
{
    show(1);
    writePicture(file(QStringLiteral("photos/p0.png")), 997, 613);
    ASSERT_EQ(web({}).exitCode, 0);
    const QByteArray filtered = readBytes(file(QStringLiteral("site/s_p0.jpg")));
    ASSERT_EQ(web({QStringLiteral("--plain")}).exitCode, 0);
    const QByteArray plain = readBytes(file(QStringLiteral("site/s_p0.jpg")));
    EXPECT_FALSE(filtered.isEmpty());
    EXPECT_NE(filtered, plain);
    ASSERT_EQ(web({QStringLiteral("--threads"), QStringLiteral("1")}).exitCode, 0);
    EXPECT_EQ(readBytes(file(QStringLiteral("site/s_p0.jpg"))), filtered);
}
