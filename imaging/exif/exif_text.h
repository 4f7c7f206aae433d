#pragma once
// The text values of EXIF tags.
#include <QByteArrayView>
#include <QString>

namespace exif {

// Removes the characters of code 32 or below (blanks, control characters, zeros) at both
// ends.
QString trimBlanks(const QString &text);

// An ASCII tag: the bytes up to the terminating zero (all of them when a camera wrote
// none, so the last letter stays). Bytes above 127 are read as UTF-8 when they form it,
// otherwise as code page 1252.
QString asciiTagText(QByteArrayView value);

// The UserComment tag: an 8-byte character code, then the text. "ASCII\0\0\0" is followed
// by ASCII, "UNICODE\0" by UTF-16 in the byte order of the file (a byte-order mark wins),
// "JIS" and the undefined code (eight zeros) are read as Latin-1. A value without a known
// code is taken whole as ASCII text. The text ends at its first zero and is trimmed of
// blanks at both ends.
QString userCommentText(QByteArrayView value, bool bigEndian);

} // namespace exif
