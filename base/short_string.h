#pragma once
// Length-prefixed strings of capacity N: one length byte, then the text, N + 1 bytes in
// all. Text that code page 1252 can write is written in it, byte for byte as the
// original files hold it. Text it cannot write (a file name in another script) is written
// as UTF-8 cut at a character boundary, so no name is lost. Reading takes bytes that
// hold a byte >= 0x80 and form valid UTF-8 as UTF-8, everything else as code page 1252.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Cuts a text to at most `capacity` characters, as a field does when it is set.
QString truncateToCapacity(const QString &text, int capacity);

// The bytes of the text as the field stores them (without the length byte), at most
// `capacity` bytes.
QByteArray encodeShortStringText(const QString &text, int capacity);

// Fills `field` (capacity + 1 bytes): length byte, text, then zeros.
void writeShortString(char *field, int capacity, const QString &text);

// Reads a field of capacity + 1 bytes. A length byte above the capacity is taken as the
// capacity.
QString readShortString(const char *field, int capacity);

QString decodeStoredText(QByteArrayView bytes);
