#pragma once
// The known keywords shared by every album: a list kept in alphabetical order without
// regard to letter case, offered by the album panel's keyword box and the search dialog,
// and kept between runs in the keyword file "motcle.cfg" (one keyword a line, lines ended
// by CR LF, code page 1252; any of CR, LF or CR LF is read as a line end).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace album {

inline const QString kKeywordFileName = QStringLiteral("motcle.cfg");

class KeywordList {
public:
    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    // The index of the item equal to `text` without regard to case, or -1.
    int indexOf(const QString &text) const;

    // Inserts `text` at its sorted place, as it is (a list may hold two items that differ
    // only in case when a file brought them); returns its index.
    int insert(const QString &text);
    // The rule of leaving the keyword box: the text is added as typed, blanks included,
    // when an album is open, no item equals it without regard to case and it is not
    // blank. Returns whether it was added.
    bool addTyped(const QString &text, bool albumOpen);
    void removeAt(int index);
    void clear() { m_items.clear(); }
    // Replaces the items by `items`, sorted.
    void setItems(QStringList items);

private:
    QStringList m_items;
};

// The items of a keyword file's bytes: one per line.
QStringList parseKeywordFile(QByteArrayView bytes);
QByteArray encodeKeywordFile(const QStringList &items);

// Reads the file into `list` (replacing its items); a missing or unreadable file leaves
// it empty. Returns whether the file was read.
bool readKeywordFile(const QString &path, KeywordList &list);
// Writes the file through a temporary file; false when it could not be written.
bool writeKeywordFile(const QString &path, const KeywordList &list);

} // namespace album
