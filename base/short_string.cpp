#include "base/short_string.h"

#include "base/cp1252.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

QString truncateToCapacity(const QString &text, int capacity)
{
    if (text.size() <= capacity)
        return text;
    int cut = capacity;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut; // never split a surrogate pair
    return text.left(cut);
}

namespace {

// UTF-8 cut to `capacity` bytes without splitting a character.
QByteArray utf8Cut(const QString &text, int capacity)
{
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= capacity)
        return utf8;
    int cut = capacity;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    utf8.truncate(cut);
    return utf8;
}

bool hasHighByte(QByteArrayView bytes)
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
}

} // namespace

QByteArray encodeShortStringText(const QString &text, int capacity)
{
    const QString cut = truncateToCapacity(text, capacity);
    if (auto cp = encodeCp1252(cut))
        return *cp;
    return utf8Cut(text, capacity);
}

void writeShortString(char *field, int capacity, const QString &text)
{
    const QByteArray bytes = encodeShortStringText(text, capacity);
    std::memset(field, 0, std::size_t(capacity) + 1);
    field[0] = char(static_cast<unsigned char>(bytes.size()));
    std::memcpy(field + 1, bytes.constData(), std::size_t(bytes.size()));
}

QString decodeStoredText(QByteArrayView bytes)
{
    if (hasHighByte(bytes)) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    return decodeCp1252(bytes);
}

QString readShortString(const char *field, int capacity)
{
    const int length = std::min(int(static_cast<unsigned char>(field[0])), capacity);
    return decodeStoredText(QByteArrayView(field + 1, length));
}
