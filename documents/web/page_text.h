#pragma once
// How texts and file names are written into the gallery's pages. A page is ISO-8859-1
// text (as it declares) and a name or a text reaches the browser through several layers,
// each with its own escaping:
//
//   title, captions, copyright, e-mail, link text   HTML text: & < > " as entities
//   the link's URL, the e-mail in mailto:           double-quoted attribute value: same
//   picture and page names                          relative URLs: UTF-8, percent-encoded
//   those URLs inside the page's scripts            JavaScript string literals: \xHH, \uHHHH
//   a URL inside a "javascript:" link               the browser percent-decodes the link's
//                                                   code before it runs it, so "%" is \x25
//
// The pictures' and pages' names of ordinary files (letters, digits, "-", "_", ".") come
// out unchanged through all of them.
#include <QByteArray>
#include <QString>

namespace webgallery {

// Text as HTML character data or a double-quoted attribute value: "&", "<", ">" and the
// double quote become entities. Characters beyond ISO-8859-1 are left for pageBytes.
QString htmlText(const QString &text);

// A file name as a relative URL: its UTF-8 bytes, each percent-encoded except letters,
// digits and - . _ ~ ! $ ( ) * + , ; = @ (none of which means anything to HTML, to a
// JavaScript string or to a relative URL made of one name).
QString urlOfName(const QString &name);

// The content of a JavaScript string literal in a <script> element, whichever quote
// delimits it: the backslash, both quotes, "<", ">", "&", control characters and every
// character beyond ASCII are written as escapes (a script's text is not HTML: entities
// would stay as they are).
QString scriptString(const QString &text);

// The content of a string literal in the code of a "javascript:" link: as scriptString,
// and "%" as \x25, since the browser percent-decodes the link before running it.
QString javascriptLinkString(const QString &text);

// The page's bytes: ISO-8859-1, each character beyond it as a numeric character reference.
QByteArray pageBytes(const QString &text);

} // namespace webgallery
