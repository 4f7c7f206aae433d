#pragma once
// An INI text of our own: "[Section]" lines, then "Key=Value" lines. Values are kept
// exactly as written, without quoting or escaping, so a path with "=" or "#" or quotes
// survives a round trip. Section and key names are matched without regard to case;
// changing a key keeps its place, a new key goes at the end of its section, a new
// section at the end of the text. Lines that are neither (comments, blank lines) are
// kept in place.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace editor {

class IniFile {
public:
    IniFile() = default;
    // Text that is valid UTF-8 is read as UTF-8, anything else as code page 1252 (the
    // files of the original program).
    static IniFile parse(const QByteArray &bytes);
    QByteArray serialize() const; // UTF-8, one line break (LF) per line

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Line breaks in the value become blanks: every value is one line of the file.
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    // The key names of a section, in file order.
    QStringList keys(const QString &section) const;
    QStringList sections() const;

private:
    struct Line {
        QString text;      // the line as read, for lines that are not keys
        QString key;       // non-empty for "key=value" lines
        QString value;
    };
    struct Section {
        QString name;      // empty for the lines before the first section
        std::vector<Line> lines;
    };
    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    std::vector<Section> m_sections;
};

} // namespace editor
