#include "imaging/exif/exif_text.h"

#include "base/short_string.h"

#include <QtEndian>

namespace exif {

namespace {

constexpr qsizetype kCodeSize = 8;

QString upToZero(const QString &text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}

QByteArrayView upToZero(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.first(zero);
}

QString utf16Text(QByteArrayView bytes, bool bigEndian)
{
    if (bytes.size() >= 2) {
        const auto first = qFromBigEndian<quint16>(bytes.data());
        if (first == 0xFEFF || first == 0xFFFE) {
            bigEndian = first == 0xFEFF;
            bytes = bytes.sliced(2);
        }
    }
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char *p = bytes.data() + i;
        text.append(QChar(bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p)));
    }
    return text;
}

} // namespace

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString asciiTagText(QByteArrayView value)
{
    return decodeStoredText(upToZero(value));
}

QString userCommentText(QByteArrayView value, bool bigEndian)
{
    const QByteArrayView code = value.first(std::min(value.size(), kCodeSize));
    const QByteArrayView rest = value.sliced(code.size());
    QString text;
    if (code == QByteArrayView("ASCII\0\0\0", 8))
        text = decodeStoredText(rest);
    else if (code == QByteArrayView("UNICODE\0", 8))
        text = utf16Text(rest, bigEndian);
    else if (code == QByteArrayView("JIS\0\0\0\0\0", 8) || code == QByteArrayView("\0\0\0\0\0\0\0\0", 8))
        text = QString::fromLatin1(rest);
    else
        text = decodeStoredText(value);
    return trimBlanks(upToZero(trimBlanks(text)));
}

} // namespace exif
