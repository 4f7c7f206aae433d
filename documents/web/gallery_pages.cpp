#include "documents/web/gallery_pages.h"

#include "documents/web/page_text.h"

#include <QStringList>
#include <algorithm>
#include <span>

namespace webgallery {

namespace {

const QString kEol = QStringLiteral("\r\n");

// The colours and names every part of a page uses, as they are written.
struct PageContext {
    const GalleryOptions &options;
    QString page, text, line; // colour texts
    QString title;            // as HTML text
};

class PageText {
public:
    void line(const QString &text = {}) { m_text += text + kEol; }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

void writeScripts(PageText &out, const PageContext &c, const QString &pageLink)
{
    const QString thumbnailBorder = c.options.thumbnailBorder ? QStringLiteral("1") : QStringLiteral("0");
    out.line(QStringLiteral("  <SCRIPT LANGUAGE=\"JavaScript\">"));
    out.line(QStringLiteral("   function afficheVignette(cheminVignette,cheminMaxi)"));
    out.line(QStringLiteral("   {"));
    out.line(QStringLiteral("   document.write('<A HREF=\"javascript:afficheMaxi(\\''+cheminMaxi+'\\')\"><IMG SRC=\"'"
                            "+cheminVignette+'\"  BORDER=")
             + thumbnailBorder + QStringLiteral(" ALT=\"Agrandir\"></A>');"));
    out.line(QStringLiteral("   }"));
    out.line();
    out.line();
    out.line(QStringLiteral("   function afficheMaxi(chemin)"));
    out.line(QStringLiteral("   {"));
    out.line(QStringLiteral("   i1 = new Image;"));
    out.line(QStringLiteral("   i1.src = chemin;"));
    out.line(QStringLiteral("   html = '<HTML><HEAD><TITLE>Images</TITLE></HEAD>'"));
    out.line(QStringLiteral("   html = html + '<BODY BGCOLOR=\"%1\" LEFTMARGIN=10 MARGINWIDTH=10 TOPMARGIN=10 MARGINHEIGHT=10"
                            " TEXT=\"%2\" LINK=\"%2\" ALINK=\"%2\" VLINK=\"%2\">'")
                 .arg(c.page, c.text));
    out.line(QStringLiteral("   html = html + '<TABLE BORDER=0  ALIGN=\"CENTER\" BGCOLOR=\"%1\" WIDTH=100% HEIGHT=100%>'")
                 .arg(c.page));
    out.line(QStringLiteral("   html = html + '<TR VALIGN=\"CENTER\" ALIGN=\"CENTER\">'"));
    out.line(QStringLiteral("   html = html + '<TD>'"));
    out.line(QStringLiteral("   html = html + '<IMG SRC=\"'+chemin+'\" BORDER=1)\"><BR><BR>'"));
    out.line(QStringLiteral("   html = html + '<A HREF=\"") + scriptString(urlOfName(pageLink))
             + QStringLiteral("\"><B>Retour à la liste</B></A>'"));
    for (const char *closing : {"</TD>", "</TR>", "</TABLE>"})
        out.line(QStringLiteral("   html = html + '%1'").arg(QLatin1String(closing)));
    out.line(QStringLiteral("   html = html + '</BODY></HTML>';"));
    out.line(QStringLiteral("   this.document.open();"));
    out.line(QStringLiteral("   this.document.write(html);"));
    out.line(QStringLiteral("   this.document.close();"));
    out.line(QStringLiteral("   };"));
    out.line(QStringLiteral("  </SCRIPT>"));
}

void writeHead(PageText &out, const PageContext &c, const QString &pageLink)
{
    out.line(QStringLiteral("<!-- Lumivelle version 3.00-->"));
    out.line(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">"));
    out.line(QStringLiteral("<html>"));
    out.line(QStringLiteral("<head>"));
    out.line(QStringLiteral(" <title>") + c.title + QStringLiteral("</title>"));
    out.line(QStringLiteral(" <META http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"));
    out.line(QStringLiteral(" <META Name=\"GENERATOR\" content=\"Lumivelle by Quenbrook\">"));
    writeScripts(out, c, pageLink);
    out.line();
    out.line();
    out.line(QStringLiteral("</head>"));
    out.line(QStringLiteral("<body bgcolor=\"%1\" TEXT=\"%2\" LINK=\"%2\" ALINK=\"%2\" VLINK=\"%2\">").arg(c.page, c.text));
    out.line(QStringLiteral("<h1 align=\"center\">") + c.title + QStringLiteral("</h1>"));
    out.line(QStringLiteral("<div align=\"center\">"));
    out.line(QStringLiteral("<table border=\"%1\" cellspacing=\"0\" bordercolor=\"%2\">")
                 .arg(layoutBorder(c.options.border))
                 .arg(c.line));
}

void writeImageRow(PageText &out, std::span<const GalleryCell> row)
{
    out.line(QStringLiteral("  <tr>"));
    for (const GalleryCell &cell : row) {
        out.line(QStringLiteral("   <td width=\"120\" height=\"120\" valigne=\"middle\" align=\"center\"><SCRIPT "
                                "LANGUAGE=\"JavaScript\">afficheVignette(\"")
                 + scriptString(urlOfName(cell.thumbnail)) + QStringLiteral("\",\"")
                 + scriptString(javascriptLinkString(urlOfName(cell.image))) + QStringLiteral("\");</SCRIPT>"));
        out.line(QStringLiteral("  </td>"));
    }
    out.line(QStringLiteral("  </tr>"));
}

void writeCaptionRow(PageText &out, std::span<const GalleryCell> row)
{
    const QString cellStart = QStringLiteral("   <td width=\"120\" valign=\"Top\" align=\"center\">");
    out.line(QStringLiteral("  <tr>"));
    for (const GalleryCell &cell : row) {
        if (cell.caption.isEmpty())
            out.line(cellStart + QStringLiteral("&nbsp;"));
        else
            out.line(cellStart + QStringLiteral("<font size=\"-1\">") + htmlText(cell.caption) + QStringLiteral("</font>"));
        out.line(QStringLiteral("  </td>"));
    }
    out.line(QStringLiteral("  </tr>"));
}

QString navigationLine(const QString &previous, const QString &next)
{
    const QString back = QStringLiteral("<A HREF=\"%1\">&lt;&lt; Précédent</A>").arg(urlOfName(previous));
    const QString forward = QStringLiteral("<A HREF=\"%1\">Suite &gt;&gt;</A>").arg(urlOfName(next));
    if (previous.isEmpty())
        return forward;
    if (next.isEmpty())
        return back;
    return back + QStringLiteral("&nbsp;&nbsp;&nbsp;") + forward;
}

// `previous` and `next` are the neighbouring pages' names, empty when there is none.
void writeFoot(PageText &out, const GalleryOptions &o, const QString &previous, const QString &next)
{
    out.line(QStringLiteral("</table>"));
    out.line(QStringLiteral("<br>"));
    if (!previous.isEmpty() || !next.isEmpty())
        out.line(navigationLine(previous, next));
    if (hasLink(o))
        out.line(QStringLiteral("<p><A HREF=\"%1\">%2</A></p>").arg(htmlText(o.url), htmlText(o.linkText)));
    if (!o.email.isEmpty())
        out.line(QStringLiteral("<p>Email : <A HREF=\"mailto:%1\">%1</A></p>").arg(htmlText(o.email)));
    if (!o.copyright.isEmpty()) {
        out.line(QStringLiteral("<hr size=\"1\" noshade>"));
        out.line(htmlText(o.copyright));
    }
    out.line(QStringLiteral("</div>"));
    out.line(QStringLiteral("</body>"));
    out.line(QStringLiteral("</html>"));
}

} // namespace

QString pageName(const QString &base, const QString &ext, int page)
{
    return page == 0 ? base + ext : base + QString::number(page) + ext;
}

int pageCount(int cells, const GalleryOptions &options)
{
    const int columns = layoutColumns(options.columns);
    const int rows = layoutRows(options.rows);
    const int imageRows = (cells + columns - 1) / columns;
    return std::max(1, (imageRows + rows - 1) / rows);
}

std::vector<GalleryPage> writePages(const std::vector<GalleryCell> &cells, const GalleryOptions &options,
                                    const QString &base, const QString &ext)
{
    const PageContext context{options, ColorToHtml(options.pageColour), ColorToHtml(options.textColour),
                              ColorToHtml(options.lineColour), htmlText(options.title)};
    const std::size_t perPage = std::size_t(layoutColumns(options.columns)) * std::size_t(layoutRows(options.rows));
    const int pages = pageCount(int(cells.size()), options);
    std::vector<GalleryPage> written;
    for (int page = 0; page < pages; ++page) {
        const QString name = pageName(base, ext, page);
        PageText out;
        writeHead(out, context, name);
        const std::size_t first = std::size_t(page) * perPage;
        const std::size_t end = std::min(cells.size(), first + perPage);
        const std::size_t columns = std::size_t(layoutColumns(options.columns));
        for (std::size_t at = first; at < end; at += columns) {
            const std::span<const GalleryCell> row(cells.data() + at, std::min(columns, end - at));
            writeImageRow(out, row);
            if (options.captions)
                writeCaptionRow(out, row);
        }
        writeFoot(out, options, page > 0 ? pageName(base, ext, page - 1) : QString(),
                  page + 1 < pages ? pageName(base, ext, page + 1) : QString());
        written.push_back({name, pageBytes(out.take())});
    }
    return written;
}

} // namespace webgallery
