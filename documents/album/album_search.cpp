#include "documents/album/album_search.h"

#include "documents/album/album_list.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace album {

namespace {

char16_t foldChar(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool equalsFolded(QStringView field, QStringView folded)
{
    if (field.size() != folded.size())
        return false;
    for (qsizetype i = 0; i < field.size(); ++i)
        if (foldChar(field[i].unicode()) != folded[i].unicode())
            return false;
    return true;
}

bool containsFolded(QStringView field, QStringView folded)
{
    if (folded.isEmpty())
        return true;
    const qsizetype last = field.size() - folded.size();
    for (qsizetype start = 0; start <= last; ++start)
        if (equalsFolded(field.sliced(start, folded.size()), folded))
            return true;
    return false;
}

bool anyFieldMatches(const TEnrData_C &entry, QStringView folded, bool exact)
{
    if (fieldMatches(entry.keyword, folded, exact) || fieldMatches(entry.place, folded, exact))
        return true;
    for (std::int32_t number : {entry.width, entry.height, entry.fileSize})
        if (fieldMatches(QString::number(number), folded, exact))
            return true;
    for (AlbumField field : {AlbumField::Date, AlbumField::Camera, AlbumField::Flash, AlbumField::Focal,
                             AlbumField::Speed, AlbumField::Aperture, AlbumField::Comment})
        if (fieldMatches(entry.text(field), folded, exact))
            return true;
    return false;
}

} // namespace

QString foldAZ(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = QChar(foldChar(text[i].unicode()));
    return folded;
}

bool fieldMatches(QStringView field, QStringView foldedQuery, bool exact)
{
    return exact ? equalsFolded(field, foldedQuery) : containsFolded(field, foldedQuery);
}

std::vector<int> searchAlbum(const AlbumList &list, const SearchQuery &query)
{
    std::vector<int> found;
    if (query.text.trimmed().isEmpty())
        return found;
    const QString folded = foldAZ(query.text);
    for (int i = 0; i < list.count(); ++i) {
        const TEnrData_C &entry = list.entry(i);
        const bool match = query.mode == SearchMode::Keyword ? fieldMatches(entry.keyword, folded, query.exact)
                                                             : anyFieldMatches(entry, folded, query.exact);
        if (match)
            found.push_back(i);
    }
    return found;
}

QStringList pathsOf(const AlbumList &list, const std::vector<int> &indexes)
{
    QStringList paths;
    paths.reserve(qsizetype(indexes.size()));
    for (int i : indexes)
        paths << list.path(i);
    return paths;
}

std::vector<int> entriesWithPaths(const AlbumList &list, const QStringList &paths)
{
    QSet<QString> wanted;
    for (const QString &path : paths)
        wanted.insert(path.toCaseFolded());
    std::vector<int> entries;
    for (int i = 0; i < list.count(); ++i)
        if (wanted.contains(list.path(i).toCaseFolded()))
            entries.push_back(i);
    return entries;
}

} // namespace album
