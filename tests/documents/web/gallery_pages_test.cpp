// The gallery's pages: the head byte for byte, paging by rows, the navigation line, the
// caption rows, the foot's optional lines and the layout rules of the chosen numbers.
#include "documents/web/gallery_pages.h"
#include "gallery_test_support.h"

#include <gtest/gtest.h>

using namespace webgallery;
using namespace gallery_test;

namespace {

std::vector<GalleryCell> cells(int count, const QString &caption = {})
{
    std::vector<GalleryCell> out;
    for (int i = 0; i < count; ++i)
        out.push_back({QStringLiteral("s_p%1.jpg").arg(i), QStringLiteral("p%1.jpg").arg(i), caption});
    return out;
}

QList<QStringList> pagesLines(const std::vector<GalleryPage> &pages)
{
    QList<QStringList> out;
    for (const GalleryPage &page : pages)
        out << pageLines(page.bytes);
    return out;
}

QList<int> rowSizes(const QStringList &lines)
{
    QList<int> sizes;
    for (const QStringList &row : imageRows(lines))
        sizes << int(row.size());
    return sizes;
}

// The lines between the table's end and the closing div.
QStringList footLines(const QStringList &lines)
{
    const qsizetype start = lines.indexOf(QStringLiteral("</table>"));
    const qsizetype end = lines.indexOf(QStringLiteral("</div>"));
    return lines.mid(start, end - start + 1);
}

} // namespace

TEST(GalleryPages, HeadIsWrittenByteForByte)
{
    GalleryOptions o;
    o.title = QStringLiteral("Mes photos d'été");
    o.thumbnailBorder = true;
    o.border = 3;
    o.pageColour = makeColour(0x10, 0x20, 0x30);
    o.textColour = makeColour(0xFF, 0xFF, 0x00);
    const std::vector<GalleryPage> pages = writePages(cells(1), o, QStringLiteral("album"), QStringLiteral(".htm"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].name, QStringLiteral("album.htm"));
    const QByteArray expected =
        "<!-- Lumivelle version 3.00-->\r\n"
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\r\n"
        "<html>\r\n"
        "<head>\r\n"
        " <title>Mes photos d'\xE9t\xE9</title>\r\n"
        " <META http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
        " <META Name=\"GENERATOR\" content=\"Lumivelle by Quenbrook\">\r\n"
        "  <SCRIPT LANGUAGE=\"JavaScript\">\r\n"
        "   function afficheVignette(cheminVignette,cheminMaxi)\r\n"
        "   {\r\n"
        "   document.write('<A HREF=\"javascript:afficheMaxi(\\''+cheminMaxi+'\\')\"><IMG SRC=\"'+cheminVignette+'\"  "
        "BORDER=1 ALT=\"Agrandir\"></A>');\r\n"
        "   }\r\n"
        "\r\n"
        "\r\n"
        "   function afficheMaxi(chemin)\r\n"
        "   {\r\n"
        "   i1 = new Image;\r\n"
        "   i1.src = chemin;\r\n"
        "   html = '<HTML><HEAD><TITLE>Images</TITLE></HEAD>'\r\n"
        "   html = html + '<BODY BGCOLOR=\"#102030\" LEFTMARGIN=10 MARGINWIDTH=10 TOPMARGIN=10 MARGINHEIGHT=10 "
        "TEXT=\"#FFFF00\" LINK=\"#FFFF00\" ALINK=\"#FFFF00\" VLINK=\"#FFFF00\">'\r\n"
        "   html = html + '<TABLE BORDER=0  ALIGN=\"CENTER\" BGCOLOR=\"#102030\" WIDTH=100% HEIGHT=100%>'\r\n"
        "   html = html + '<TR VALIGN=\"CENTER\" ALIGN=\"CENTER\">'\r\n"
        "   html = html + '<TD>'\r\n"
        "   html = html + '<IMG SRC=\"'+chemin+'\" BORDER=1)\"><BR><BR>'\r\n"
        "   html = html + '<A HREF=\"album.htm\"><B>Retour \xE0 la liste</B></A>'\r\n"
        "   html = html + '</TD>'\r\n"
        "   html = html + '</TR>'\r\n"
        "   html = html + '</TABLE>'\r\n"
        "   html = html + '</BODY></HTML>';\r\n"
        "   this.document.open();\r\n"
        "   this.document.write(html);\r\n"
        "   this.document.close();\r\n"
        "   };\r\n"
        "  </SCRIPT>\r\n"
        "\r\n"
        "\r\n"
        "</head>\r\n"
        "<body bgcolor=\"#102030\" TEXT=\"#FFFF00\" LINK=\"#FFFF00\" ALINK=\"#FFFF00\" VLINK=\"#FFFF00\">\r\n"
        "<h1 align=\"center\">Mes photos d'\xE9t\xE9</h1>\r\n"
        "<div align=\"center\">\r\n"
        "<table border=\"3\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">\r\n"
        "  <tr>\r\n"
        "   <td width=\"120\" height=\"120\" valigne=\"middle\" align=\"center\"><SCRIPT LANGUAGE=\"JavaScript\">"
        "afficheVignette(\"s_p0.jpg\",\"p0.jpg\");</SCRIPT>\r\n"
        "  </td>\r\n"
        "  </tr>\r\n"
        "</table>\r\n"
        "<br>\r\n"
        "</div>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    EXPECT_EQ(pages[0].bytes, expected);
}

TEST(GalleryPages, PagingByRowsOfFiveAndTenRowsPerPage)
{
    const GalleryOptions o; // 5 columns, 10 rows
    struct Case {
        int slides;
        QList<QList<int>> rows; // per page
    };
    const QList<int> full(10, 5);
    for (const Case &c : {Case{12, {{5, 5, 2}}}, Case{50, {full}}, Case{60, {full, {5, 5}}},
                          Case{150, {full, full, full}}}) {
        const auto pages = writePages(cells(c.slides), o, QStringLiteral("g"), QStringLiteral(".htm"));
        ASSERT_EQ(int(pages.size()), int(c.rows.size())) << c.slides << " slides";
        EXPECT_EQ(pageCount(c.slides, o), int(c.rows.size()));
        int first = 0;
        for (int p = 0; p < int(pages.size()); ++p) {
            EXPECT_EQ(pages[std::size_t(p)].name, p == 0 ? QStringLiteral("g.htm") : QStringLiteral("g%1.htm").arg(p));
            const QStringList lines = pageLines(pages[std::size_t(p)].bytes);
            EXPECT_EQ(rowSizes(lines), c.rows[p]) << c.slides << " slides, page " << p;
            // The cells follow the slide order across pages.
            EXPECT_EQ(imageRows(lines).value(0).value(0), QStringLiteral("s_p%1.jpg\",\"p%1.jpg").arg(first));
            for (int n : c.rows[p])
                first += n;
            // Each page's full view leads back to that page.
            EXPECT_TRUE(lines.contains(QStringLiteral("   html = html + '<A HREF=\"%1\"><B>Retour à la liste</B></A>'")
                                           .arg(pages[std::size_t(p)].name)));
        }
    }
}

TEST(GalleryPages, NavigationLineOfEachPage)
{
    const auto one = pagesLines(writePages(cells(50), {}, QStringLiteral("g"), QStringLiteral(".htm")));
    EXPECT_EQ(navigationLine(one[0]), QString());
    EXPECT_EQ(footLines(one[0]), QStringList({QStringLiteral("</table>"), QStringLiteral("<br>"), QStringLiteral("</div>")}));

    const auto two = pagesLines(writePages(cells(60), {}, QStringLiteral("g"), QStringLiteral(".htm")));
    EXPECT_EQ(navigationLine(two[0]), QStringLiteral("<A HREF=\"g1.htm\">Suite &gt;&gt;</A>"));
    EXPECT_EQ(navigationLine(two[1]), QStringLiteral("<A HREF=\"g.htm\">&lt;&lt; Précédent</A>"));

    const auto three = pagesLines(writePages(cells(150), {}, QStringLiteral("vacances"), QStringLiteral(".html")));
    EXPECT_EQ(navigationLine(three[0]), QStringLiteral("<A HREF=\"vacances1.html\">Suite &gt;&gt;</A>"));
    EXPECT_EQ(navigationLine(three[1]), QStringLiteral("<A HREF=\"vacances.html\">&lt;&lt; Précédent</A>&nbsp;&nbsp;&nbsp;"
                                                       "<A HREF=\"vacances2.html\">Suite &gt;&gt;</A>"));
    EXPECT_EQ(navigationLine(three[2]), QStringLiteral("<A HREF=\"vacances1.html\">&lt;&lt; Précédent</A>"));

    // A page name that is not a plain word is written as a URL.
    const auto spaced = pagesLines(writePages(cells(60), {}, QStringLiteral("mon album"), QStringLiteral(".htm")));
    EXPECT_EQ(navigationLine(spaced[0]), QStringLiteral("<A HREF=\"mon%20album1.htm\">Suite &gt;&gt;</A>"));
}

TEST(GalleryPages, CaptionRowsFollowEachImageRow)
{
    GalleryOptions o;
    o.captions = true;
    o.columns = 2;
    std::vector<GalleryCell> list = cells(3);
    list[0].caption = QStringLiteral("<b>Gras</b> & co");
    list[2].caption = QStringLiteral("  ");
    const QStringList lines = pageLines(writePages(list, o, QStringLiteral("g"), QStringLiteral(".htm"))[0].bytes);
    const QString start = QStringLiteral("   <td width=\"120\" valign=\"Top\" align=\"center\">");
    QStringList captionCells;
    for (const QString &line : lines)
        if (line.startsWith(start))
            captionCells << line.mid(start.size());
    EXPECT_EQ(captionCells, QStringList({QStringLiteral("<font size=\"-1\">&lt;b&gt;Gras&lt;/b&gt; &amp; co</font>"),
                                         QStringLiteral("&nbsp;"), QStringLiteral("<font size=\"-1\">  </font>")}));
    // Image row, caption row, image row, caption row.
    const qsizetype firstCaption = lines.indexOf(start + QStringLiteral("<font size=\"-1\">&lt;b&gt;Gras&lt;/b&gt; &amp; co</font>"));
    EXPECT_EQ(lines[firstCaption - 1], QStringLiteral("  <tr>"));
    EXPECT_EQ(lines[firstCaption - 2], QStringLiteral("  </tr>"));
    EXPECT_EQ(lines.count(QStringLiteral("  <tr>")), 4);

    o.captions = false;
    const QStringList plain = pageLines(writePages(list, o, QStringLiteral("g"), QStringLiteral(".htm"))[0].bytes);
    EXPECT_EQ(plain.count(QStringLiteral("  <tr>")), 2);
}

TEST(GalleryPages, FootWritesLinkEmailAndCopyrightOnlyWhenGiven)
{
    auto foot = [](const GalleryOptions &o) {
        return footLines(pageLines(writePages(cells(1), o, QStringLiteral("g"), QStringLiteral(".htm"))[0].bytes));
    };
    const QStringList bare = {QStringLiteral("</table>"), QStringLiteral("<br>"), QStringLiteral("</div>")};
    GalleryOptions o;
    o.linkText = QStringLiteral("Retour");
    EXPECT_EQ(foot(o), bare) << "a link text without URL";
    o.url = QStringLiteral("   ");
    EXPECT_EQ(foot(o), bare) << "a URL of blanks";
    o.linkText.clear();
    o.url = QStringLiteral("index.htm");
    EXPECT_EQ(foot(o), bare) << "a URL without link text";

    o.linkText = QStringLiteral(" Mon <site> ");
    o.url = QStringLiteral("http://exemple.fr/?a=1&b=\"2\"");
    o.email = QStringLiteral("moi@exemple.fr");
    o.copyright = QStringLiteral("   ");
    EXPECT_EQ(foot(o), QStringList({QStringLiteral("</table>"), QStringLiteral("<br>"),
                                    QStringLiteral("<p><A HREF=\"http://exemple.fr/?a=1&amp;b=&quot;2&quot;\"> Mon "
                                                   "&lt;site&gt; </A></p>"),
                                    QStringLiteral("<p>Email : <A HREF=\"mailto:moi@exemple.fr\">moi@exemple.fr</A></p>"),
                                    QStringLiteral("<hr size=\"1\" noshade>"), QStringLiteral("   "),
                                    QStringLiteral("</div>")}));

    // With a navigation line, the foot's lines come after it.
    const QStringList two = footLines(pageLines(writePages(cells(60), o, QStringLiteral("g"), QStringLiteral(".htm"))[1].bytes));
    EXPECT_EQ(two.value(2), QStringLiteral("<A HREF=\"g.htm\">&lt;&lt; Précédent</A>"));
    EXPECT_TRUE(two.value(3).startsWith(QStringLiteral("<p><A HREF=")));
}

TEST(GalleryPages, ChosenNumbersAreLaidOutByTheRules)
{
    EXPECT_EQ(layoutColumns(0), 5);
    EXPECT_EQ(layoutColumns(-4), 5);
    EXPECT_EQ(layoutColumns(1), 1);
    EXPECT_EQ(layoutColumns(10), 10);
    EXPECT_EQ(layoutColumns(11), 10);
    EXPECT_EQ(layoutRows(0), 10);
    EXPECT_EQ(layoutRows(1), 1);
    EXPECT_EQ(layoutRows(1000), 1000);
    EXPECT_EQ(layoutRows(1001), 10);
    EXPECT_EQ(layoutBorder(-1), 0);
    EXPECT_EQ(layoutBorder(10), 10);
    EXPECT_EQ(layoutBorder(11), 10);

    // What the pages make of them: 23 slides, 0 columns (5 per row) and 1001 rows (10).
    GalleryOptions o;
    o.columns = 0;
    o.rows = 1001;
    o.border = 42;
    auto pages = writePages(cells(23), o, QStringLiteral("g"), QStringLiteral(".htm"));
    ASSERT_EQ(pages.size(), 1u);
    QStringList lines = pageLines(pages[0].bytes);
    EXPECT_EQ(rowSizes(lines), QList<int>({5, 5, 5, 5, 3}));
    EXPECT_TRUE(lines.contains(QStringLiteral("<table border=\"10\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));

    o.columns = 12; // 10 per row
    o.rows = 1;
    o.border = -2;
    pages = writePages(cells(23), o, QStringLiteral("g"), QStringLiteral(".htm"));
    ASSERT_EQ(pages.size(), 3u);
    lines = pageLines(pages[2].bytes);
    EXPECT_EQ(rowSizes(lines), QList<int>({3}));
    EXPECT_TRUE(lines.contains(QStringLiteral("<table border=\"0\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">")));
}

TEST(GalleryPages, TextsAreEscapedAndBeyondLatin1AsReferences)
{
    GalleryOptions o;
    o.title = QStringLiteral("<Vacances> & œuvres");
    o.copyright = QStringLiteral("© 2024 Zoë & Œdipe");
    std::vector<GalleryCell> list = {{QStringLiteral("s_l'été.jpg"), QStringLiteral("l'été.jpg"), QString()}};
    const QByteArray bytes = writePages(list, o, QStringLiteral("g"), QStringLiteral(".htm"))[0].bytes;
    EXPECT_TRUE(bytes.contains(" <title>&lt;Vacances&gt; &amp; &#339;uvres</title>\r\n"));
    EXPECT_TRUE(bytes.contains("<h1 align=\"center\">&lt;Vacances&gt; &amp; &#339;uvres</h1>\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n\xA9 2024 Zo\xEB &amp; &#338;dipe\r\n"));
    EXPECT_TRUE(bytes.contains("afficheVignette(\"s_l%27%C3%A9t%C3%A9.jpg\",\"l\\\\x2527\\\\x25C3\\\\x25A9t\\\\x25C3\\\\x25A9.jpg\");"));
}
