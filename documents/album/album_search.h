#pragma once
// Searching the open album: by keyword, or in every field of the entries. Query and
// fields are compared after lower-casing the letters A to Z only (accented capitals stay
// as they are); a field matches when it equals the query (exact matching) or when the
// query occurs in it. The query is searched as typed, blanks included, but a blank query
// finds nothing.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace album {

class AlbumList;

enum class SearchMode { Keyword, AllFields };

struct SearchQuery {
    SearchMode mode = SearchMode::Keyword;
    QString text;
    bool exact = false;
};

// Lower-cases the letters A to Z, nothing else.
QString foldAZ(QStringView text);
// Whether `field` matches a query already folded with foldAZ.
bool fieldMatches(QStringView field, QStringView foldedQuery, bool exact);

// The indexes of the entries found, in album order, each at most once. The keyword
// search looks at the keyword; the all-fields search at keyword, place, width, height
// and file size (written as decimal numbers), date, camera, flash, focal, speed,
// aperture and comment, never at the path.
std::vector<int> searchAlbum(const AlbumList &list, const SearchQuery &query);

// The paths of those entries, the search dialog's result lines.
QStringList pathsOf(const AlbumList &list, const std::vector<int> &indexes);

// The entries whose path equals one of `paths` without regard to case, in album order:
// the entries the search selects.
std::vector<int> entriesWithPaths(const AlbumList &list, const QStringList &paths);

} // namespace album
