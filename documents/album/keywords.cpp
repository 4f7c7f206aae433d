#include "documents/album/keywords.h"

#include "base/atomic_file.h"
#include "base/cp1252.h"
#include "base/short_string.h"

#include <QFile>
#include <algorithm>

namespace album {

namespace {

// The order of a sorted list box: without regard to case, then by case so that the
// order of two items that differ only in case does not depend on how they came in.
bool keywordLess(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

int KeywordList::indexOf(const QString &text) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int KeywordList::insert(const QString &text)
{
    const auto at = std::upper_bound(m_items.begin(), m_items.end(), text, keywordLess);
    const int index = int(at - m_items.begin());
    m_items.insert(index, text);
    return index;
}

bool KeywordList::addTyped(const QString &text, bool albumOpen)
{
    if (!albumOpen || text.trimmed().isEmpty() || indexOf(text) >= 0)
        return false;
    insert(text);
    return true;
}

void KeywordList::removeAt(int index)
{
    if (index >= 0 && index < m_items.size())
        m_items.removeAt(index);
}

void KeywordList::setItems(QStringList items)
{
    std::stable_sort(items.begin(), items.end(), keywordLess);
    m_items = std::move(items);
}

QStringList parseKeywordFile(QByteArrayView bytes)
{
    QStringList items;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        items << decodeStoredText(bytes.sliced(start, end - start));
        if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return items;
}

QByteArray encodeKeywordFile(const QStringList &items)
{
    QByteArray bytes;
    for (const QString &item : items) {
        // Code page 1252 where it can write the keyword, UTF-8 where it cannot.
        bytes += encodeCp1252(item).value_or(item.toUtf8());
        bytes += "\r\n";
    }
    return bytes;
}

bool readKeywordFile(const QString &path, KeywordList &list)
{
    list.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    list.setItems(parseKeywordFile(bytes));
    return true;
}

bool writeKeywordFile(const QString &path, const KeywordList &list)
{
    return bool(writeFileAtomically(path, encodeKeywordFile(list.items())));
}

} // namespace album
