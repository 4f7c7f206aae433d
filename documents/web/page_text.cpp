#include "documents/web/page_text.h"

#include <QList>


namespace webgallery {

namespace {

bool keptInUrl(char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("-._~!$()*+,;=@").contains(c);
}

QString upperHex(unsigned value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// \xHH for the first 256 characters, \uHHHH for the others (one UTF-16 unit each, as
// JavaScript strings count them).
QString hexEscape(char16_t unit)
{
    return unit <= 0xFF ? QStringLiteral("\\x") + upperHex(unit, 2) : QStringLiteral("\\u") + upperHex(unit, 4);
}

QString scriptEscaped(const QString &text, bool inLink)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            out += QStringLiteral("\\\\");
        else if (u < 0x20 || u >= 0x7F || u == u'\'' || u == u'"' || u == u'<' || u == u'>' || u == u'&'
                 || (inLink && u == u'%'))
            out += hexEscape(u);
        else
            out += c;
    }
    return out;
}

} // namespace

QString htmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QString urlOfName(const QString &name)
{
    QString out;
    for (const char byte : name.toUtf8()) {
        if (keptInUrl(byte))
            out += QLatin1Char(byte);
        else
            out += QLatin1Char('%') + upperHex(static_cast<unsigned char>(byte), 2);
    }
    return out;
}

QString scriptString(const QString &text)
{
    return scriptEscaped(text, false);
}

QString javascriptLinkString(const QString &text)
{
    return scriptEscaped(text, true);
}

QByteArray pageBytes(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const uint c : text.toUcs4()) {
        if (c <= 0xFF)
            out += char(c);
        else
            out += "&#" + QByteArray::number(c) + ';';
    }
    return out;
}

} // namespace webgallery
