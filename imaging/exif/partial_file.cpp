#include "imaging/exif/partial_file.h"

#include <algorithm>
#include <limits>

namespace exif {

PartialFile::PartialFile(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    if (size < 0 || size > std::numeric_limits<qsizetype>::max() / 2) {
        m_file.close();
        return;
    }
    m_bytes = QByteArray(qsizetype(size), Qt::Uninitialized);
    m_loaded.assign(std::size_t((size + kChunk - 1) / kChunk), false);
}

bool PartialFile::load(qint64 offset, qint64 count)
{
    if (!isOpen() || offset < 0 || count < 0 || offset > size() || count > size() - offset)
        return false;
    if (count == 0)
        return true;
    const qint64 last = (offset + count - 1) / kChunk;
    for (qint64 chunk = offset / kChunk; chunk <= last; ++chunk) {
        if (!m_loaded[std::size_t(chunk)] && !loadChunk(chunk))
            return false;
    }
    return true;
}

bool PartialFile::loadChunk(qint64 chunk)
{
    const qint64 start = chunk * kChunk;
    const qint64 length = std::min(kChunk, size() - start);
    if (!m_file.seek(start) || m_file.read(m_bytes.data() + start, length) != length)
        return false;
    m_loaded[std::size_t(chunk)] = true;
    return true;
}

} // namespace exif
