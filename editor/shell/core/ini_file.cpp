#include "editor/shell/core/ini_file.h"

#include "base/cp1252.h"

#include <QStringDecoder>

namespace editor {

namespace {

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile ini;
    ini.m_sections.push_back(Section{});
    const QString text = decodeText(bytes);
    for (QString raw : text.split(QLatin1Char('\n'))) {
        while (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            ini.m_sections.push_back(Section{trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = raw.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';'));
        if (equals > 0 && !comment && !raw.left(equals).trimmed().isEmpty()) {
            ini.m_sections.back().lines.push_back(
                Line{{}, raw.left(equals).trimmed(), raw.mid(equals + 1)});
        } else {
            ini.m_sections.back().lines.push_back(Line{raw, {}, {}});
        }
    }
    // The split leaves one empty line after a final line break.
    auto &last = ini.m_sections.back().lines;
    if (!last.empty() && last.back().key.isEmpty() && last.back().text.isEmpty())
        last.pop_back();
    return ini;
}

QByteArray IniFile::serialize() const
{
    QString text;
    for (const Section &section : m_sections) {
        if (!section.name.isEmpty() || &section != &m_sections.front())
            text += QLatin1Char('[') + section.name + QLatin1String("]\n");
        for (const Line &line : section.lines) {
            text += line.key.isEmpty() ? line.text : line.key + QLatin1Char('=') + line.value;
            text += QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    for (auto it = m_sections.begin() + (m_sections.empty() ? 0 : 1); it != m_sections.end(); ++it)
        if (sameName(it->name, name))
            return &*it;
    return nullptr;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    return const_cast<IniFile *>(this)->findSection(name);
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    if (const Section *found = findSection(section))
        for (const Line &line : found->lines)
            if (!line.key.isEmpty() && sameName(line.key, key))
                return line.value;
    return std::nullopt;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &given)
{
    // A value is one line: a line break inside it (a file name may hold one) would start
    // a key line of its own in the file, which the next start would read as a setting.
    QString value = given;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (m_sections.empty())
        m_sections.push_back(Section{});
    Section *found = findSection(section);
    if (!found) {
        m_sections.push_back(Section{section, {}});
        found = &m_sections.back();
    }
    for (Line &line : found->lines) {
        if (!line.key.isEmpty() && sameName(line.key, key)) {
            line.value = value;
            return;
        }
    }
    // A new key goes after the last key of the section, before trailing blank lines.
    auto at = found->lines.end();
    while (at != found->lines.begin() && std::prev(at)->key.isEmpty() &&
           std::prev(at)->text.trimmed().isEmpty())
        --at;
    found->lines.insert(at, Line{{}, key, value});
}

void IniFile::removeKey(const QString &section, const QString &key)
{
    if (Section *found = findSection(section))
        std::erase_if(found->lines, [&](const Line &line) {
            return !line.key.isEmpty() && sameName(line.key, key);
        });
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    if (const Section *found = findSection(section))
        for (const Line &line : found->lines)
            if (!line.key.isEmpty())
                names << line.key;
    return names;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (std::size_t i = 1; i < m_sections.size(); ++i)
        names << m_sections[i].name;
    return names;
}

} // namespace editor
