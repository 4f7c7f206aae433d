#include "player/window/show_diagnostics.h"

#include <QDir>
#include <QFile>

namespace player {

ShowDiagnostics::ShowDiagnostics(QString traceFile, QString snapshotFolder)
    : m_traceFile(std::move(traceFile)), m_snapshotFolder(std::move(snapshotFolder))
{
}

ShowDiagnostics ShowDiagnostics::fromEnvironment()
{
    return {qEnvironmentVariable("TOLVARINE_TRACE"), qEnvironmentVariable("TOLVARINE_SNAPSHOT")};
}

// The file is opened for every line, so a player that is killed leaves a complete trace.
void ShowDiagnostics::trace(const QString &line) const
{
    if (m_traceFile.isEmpty())
        return;
    QFile file(m_traceFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QString text = line;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    file.write(text.toUtf8() + '\n');
}

void ShowDiagnostics::snapshot(int index, const QImage &screen) const
{
    if (m_snapshotFolder.isEmpty() || screen.isNull())
        return;
    // Written beside and renamed, so a reader never sees half a picture.
    QDir().mkpath(m_snapshotFolder);
    const QString path = QDir(m_snapshotFolder).filePath(QStringLiteral("slide-%1.png").arg(index));
    const QString partial = path + QStringLiteral(".part");
    if (!screen.save(partial, "PNG"))
        return;
    QFile::remove(path);
    QFile::rename(partial, path);
}

} // namespace player
