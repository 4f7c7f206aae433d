#pragma once
// Text in the 8-bit Western code page 1252 of the original files.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The character of one code page 1252 byte (bytes the code page leaves undefined map
// to the control characters of the same value, as the platform does).
QChar cp1252ToUnicode(unsigned char byte);

// The byte of a character, or nothing when code page 1252 cannot write it.
std::optional<char> unicodeToCp1252(QChar c);

// The whole text in code page 1252, or nothing when one character cannot be written.
std::optional<QByteArray> encodeCp1252(const QString &text);

QString decodeCp1252(QByteArrayView bytes);
