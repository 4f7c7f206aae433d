#include "documents/show/old_script.h"

#include "base/path_identity.h"
#include "base/short_string.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>

namespace showdoc {

namespace {

// The lines of the text, cut at CR LF, LF or CR.
class LineReader {
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}

    int lineNumber() const { return m_line; }
    std::optional<QByteArrayView> next()
    {
        if (m_at >= m_text.size())
            return std::nullopt;
        ++m_line;
        const qsizetype start = m_at;
        while (m_at < m_text.size() && m_text[m_at] != '\r' && m_text[m_at] != '\n')
            ++m_at;
        const QByteArrayView line = m_text.sliced(start, m_at - start);
        if (m_at < m_text.size() && m_text[m_at] == '\r') {
            ++m_at;
            if (m_at < m_text.size() && m_text[m_at] == '\n')
                ++m_at;
        } else if (m_at < m_text.size()) {
            ++m_at; // LF
        }
        return line;
    }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
    int m_line = 0;
};

QString missingLine(int line)
{
    return QStringLiteral("Script incomplet : la ligne %1 manque.").arg(line);
}

QString notAnInteger(int line, QByteArrayView text)
{
    return QStringLiteral("Ligne %1 du script : « %2 » n'est pas un nombre entier.")
        .arg(line)
        .arg(decodeStoredText(text));
}

// The next line, or a failure naming it.
Result<QByteArrayView> nextLine(LineReader &lines)
{
    if (auto line = lines.next())
        return *line;
    return fail(missingLine(lines.lineNumber() + 1));
}

// A decimal integer between `low` and `high`, blanks around it allowed.
Result<qint64> nextInteger(LineReader &lines, qint64 low, qint64 high)
{
    auto line = nextLine(lines);
    if (!line)
        return std::unexpected(line.error());
    bool ok = false;
    const qint64 value = QByteArrayView(*line).trimmed().toLongLong(&ok, 10);
    if (!ok || value < low || value > high)
        return fail(notAnInteger(lines.lineNumber(), *line));
    return value;
}

constexpr qint64 kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr qint64 kInt32Max = std::numeric_limits<std::int32_t>::max();
// Colours were written as signed or unsigned 32-bit numbers.
constexpr qint64 kColourMax = std::numeric_limits<std::uint32_t>::max();

Result<std::int32_t> nextInt32(LineReader &lines)
{
    auto value = nextInteger(lines, kInt32Min, kInt32Max);
    if (!value)
        return std::unexpected(value.error());
    return std::int32_t(*value);
}

Result<Colour> nextColour(LineReader &lines)
{
    auto value = nextInteger(lines, kInt32Min, kColourMax);
    if (!value)
        return std::unexpected(value.error());
    return Colour(std::uint32_t(*value));
}

Result<ShowSlide> readSlide(LineReader &lines)
{
    auto path = nextLine(lines);
    if (!path)
        return std::unexpected(path.error());
    auto time = nextInt32(lines);
    if (!time)
        return std::unexpected(time.error());
    auto border = nextInt32(lines);
    if (!border)
        return std::unexpected(border.error());
    auto borderColour = nextColour(lines);
    if (!borderColour)
        return std::unexpected(borderColour.error());
    auto background = nextColour(lines);
    if (!background)
        return std::unexpected(background.error());
    auto caption = nextLine(lines);
    if (!caption)
        return std::unexpected(caption.error());
    auto captionColour = nextColour(lines);
    if (!captionColour)
        return std::unexpected(captionColour.error());
    ShowSlide slide;
    slide.path = decodeStoredText(*path);
    slide.entry.displayTime = *time;
    slide.entry.border = *border != 0;
    slide.entry.borderColour = *borderColour;
    slide.entry.backgroundColour = *background;
    slide.entry.caption = truncateToCapacity(decodeStoredText(*caption), kCaptionCapacity);
    slide.entry.captionColour = *captionColour;
    slide.entry.style = 0;
    return slide;
}

} // namespace

Result<OldScript> readOldScript(QByteArrayView text)
{
    LineReader lines(text);
    OldScript script;
    auto last = nextInt32(lines);
    if (!last)
        return std::unexpected(last.error());
    auto music = nextLine(lines);
    if (!music)
        return std::unexpected(music.error());
    auto loop = nextInt32(lines);
    if (!loop)
        return std::unexpected(loop.error());
    auto copy = nextInt32(lines);
    if (!copy)
        return std::unexpected(copy.error());
    script.options.music = decodeStoredText(*music);
    script.options.loop = *loop != 0;
    script.options.allowCopy = *copy != 0;
    script.options.maxQuality = true;
    // N + 1 slides; the lines run out long before a huge N is reached.
    for (qint64 i = 0; i <= qint64(*last); ++i) {
        auto slide = readSlide(lines);
        if (!slide)
            return std::unexpected(slide.error());
        script.slides.push_back(std::move(*slide));
    }
    return script;
}

QString projectPathForScript(const QString &scriptPath)
{
    const QFileInfo script(scriptPath);
    const QString project = QDir(script.path()).filePath(script.completeBaseName() + QStringLiteral(".dap"));
    return samePath(project, scriptPath) ? scriptPath + QStringLiteral(".dap") : project;
}

Result<ImportedScript> importOldScript(const QString &scriptPath, bool filterOk, const ProgressFn &progress)
{
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossible de lire le script %1 : %2").arg(scriptPath, file.errorString()));
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Impossible de lire le script %1 : %2").arg(scriptPath, file.errorString()));
    auto script = readOldScript(text);
    if (!script)
        return std::unexpected(script.error());
    ImportedScript imported;
    imported.project.options = script->options;
    int done = 0;
    for (ShowSlide &slide : script->slides) {
        if (QFileInfo(slide.path).isFile()) {
            FillSlideEntry(slide.entry, slide.path, filterOk);
            imported.project.slides.push_back(std::move(slide));
        } else {
            imported.missingPictures << slide.path;
        }
        if (progress)
            progress(++done, int(script->slides.size()));
    }
    return imported;
}

} // namespace showdoc
