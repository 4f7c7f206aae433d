#include "imaging/tools/batch_reader.h"

#include "base/path_identity.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace imagetools {

QString fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return pathKey(QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName()));
}

BatchReader::BatchReader(QStringList sources, const QStringList &targets, bool readAhead)
    : m_sources(std::move(sources)), m_firstWriter(std::size_t(m_sources.size()), int(m_sources.size())),
      m_readAhead(readAhead)
{
    QHash<QString, int> firstWrite;
    for (int i = int(targets.size()) - 1; i >= 0; --i)
        if (!targets[i].isEmpty())
            firstWrite[fileIdentity(targets[i])] = i;
    for (int i = 0; i < m_sources.size(); ++i)
        m_firstWriter[std::size_t(i)] = firstWrite.value(fileIdentity(m_sources[i]), int(m_sources.size()));
}

BatchReader::~BatchReader()
{
    if (m_pending.valid())
        m_pending.wait();
}

void BatchReader::startReading(int index)
{
    m_pendingIndex = index;
    m_pending = std::async(std::launch::async, [path = m_sources[index]] { return loadToolPicture(path); });
    ++m_readsAhead;
}

Result<ToolPicture> BatchReader::take(int index)
{
    Result<ToolPicture> picture = fail(QString());
    if (m_pending.valid() && m_pendingIndex == index) {
        picture = m_pending.get();
    } else {
        if (m_pending.valid())
            m_pending.wait(); // an item left out: its picture is dropped
        m_pending = {};
        picture = loadToolPicture(m_sources[index]);
    }
    m_pendingIndex = -1;
    const int next = index + 1;
    if (m_readAhead && next < m_sources.size() && mayReadAhead(next))
        startReading(next);
    return picture;
}

} // namespace imagetools
