// The escaping of texts and names in the gallery's pages, checked by decoding each layer
// as the browser does: a name must come out of every layer as it went in, and no layer
// may meet a character that ends its context early.
#include "documents/web/page_text.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace webgallery;

namespace {

// What a JavaScript engine makes of a string literal's content (the escapes we write).
QString unescapeScript(const QString &literal)
{
    QString out;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] != QLatin1Char('\\')) {
            out += literal[i];
            continue;
        }
        const QChar kind = literal[++i];
        if (kind == QLatin1Char('x') || kind == QLatin1Char('u')) {
            const int digits = kind == QLatin1Char('x') ? 2 : 4;
            bool ok = false;
            out += QChar(char16_t(literal.mid(i + 1, digits).toUInt(&ok, 16)));
            EXPECT_TRUE(ok) << literal.toStdString();
            i += digits;
        } else {
            out += kind;
        }
    }
    return out;
}

QString percentDecoded(const QString &text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

bool endsNothing(const QString &text, const QString &forbidden)
{
    for (const QChar c : forbidden)
        if (text.contains(c))
            return false;
    return true;
}

const QStringList kNames = {
    QStringLiteral("plain.jpg"),      QStringLiteral("l'été 2.jpg"),   QStringLiteral("un \"grand\" jour.jpg"),
    QStringLiteral("100%.jpg"),       QStringLiteral("x%20y#z?.jpg"),  QStringLiteral("a\\b.jpg"),
    QStringLiteral("日本 Œuvre.jpg"), QStringLiteral("sourire 😀.jpg"), QStringLiteral("</script><b>.jpg"),
    QStringLiteral("a&amp;b.jpg"),    QStringLiteral("c:d.jpg"),       QStringLiteral("tab\there.jpg"),
};

} // namespace

TEST(PageText, ThumbnailNameSurvivesTheCellScriptAndTheImageUrl)
{
    for (const QString &name : kNames) {
        const QString literal = scriptString(urlOfName(name));
        // The cell's script text: a double-quoted literal that must not end the script.
        EXPECT_TRUE(endsNothing(literal, QStringLiteral("\"'<>&"))) << name.toStdString();
        const QString value = unescapeScript(literal);
        // Written into SRC="...": nothing that ends the attribute or starts an entity, and
        // nothing a URL gives a meaning to (fragment, query, scheme, escapes of its own).
        EXPECT_TRUE(endsNothing(value, QStringLiteral("\"&<> #?:\\'"))) << name.toStdString();
        EXPECT_EQ(percentDecoded(value), name);
    }
}

TEST(PageText, ImageNameSurvivesTheJavascriptLinkAsWell)
{
    for (const QString &name : kNames) {
        const QString literal = scriptString(javascriptLinkString(urlOfName(name)));
        EXPECT_TRUE(endsNothing(literal, QStringLiteral("\"'<>&"))) << name.toStdString();
        // afficheVignette writes HREF="javascript:afficheMaxi('<value>')".
        const QString linkCode = unescapeScript(literal);
        EXPECT_TRUE(endsNothing(linkCode, QStringLiteral("\"'&<>"))) << name.toStdString();
        // The browser percent-decodes the link, then runs it: the single-quoted literal.
        const QString decoded = percentDecoded(linkCode);
        EXPECT_TRUE(endsNothing(decoded, QStringLiteral("'\""))) << name.toStdString();
        const QString chemin = unescapeScript(decoded);
        // afficheMaxi writes IMG SRC="<chemin>".
        EXPECT_TRUE(endsNothing(chemin, QStringLiteral("\"&<> #?:"))) << name.toStdString();
        EXPECT_EQ(percentDecoded(chemin), name);
    }
}

TEST(PageText, OrdinaryNamesAreWrittenAsTheyAre)
{
    for (const QString &name : {QStringLiteral("IMG_0001.jpg"), QStringLiteral("s_photo-1.jpg"),
                               QStringLiteral("album12.htm"), QStringLiteral("Vacances(2).jpg")}) {
        EXPECT_EQ(scriptString(javascriptLinkString(urlOfName(name))), name);
        EXPECT_EQ(scriptString(urlOfName(name)), name);
    }
}

TEST(PageText, HtmlTextKeepsMarkupAsTyped)
{
    EXPECT_EQ(htmlText(QStringLiteral("<b>Gras</b> & \"co\" l'été")),
              QStringLiteral("&lt;b&gt;Gras&lt;/b&gt; &amp; &quot;co&quot; l'été"));
    EXPECT_EQ(htmlText(QStringLiteral("&amp;")), QStringLiteral("&amp;amp;"));
    EXPECT_EQ(htmlText(QStringLiteral("Mes photos")), QStringLiteral("Mes photos"));
}

TEST(PageText, PageBytesAreLatin1WithReferencesBeyondIt)
{
    EXPECT_EQ(pageBytes(QStringLiteral("Précédent à")), QByteArray("Pr\xE9""c\xE9""dent \xE0"));
    EXPECT_EQ(pageBytes(QStringLiteral("œ € 😀")), QByteArray("&#339; &#8364; &#128512;"));
    EXPECT_EQ(pageBytes(QStringLiteral("\u00FF\u0100")), QByteArray("\xFF&#256;"));
}
