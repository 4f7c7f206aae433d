#include "imaging/exif/partial_file.h"

#include <algorithm>
#include <new>

namespace exif {

PartialFile::PartialFile(const QString &path)
{
    if (!m_file.open(path))
        return;
    try {
        m_bytes = QByteArray(qsizetype(m_file.size()), Qt::Uninitialized);
        m_loaded.assign(std::size_t((m_file.size() + kChunk - 1) / kChunk), false);
    } catch (const std::bad_alloc &) {
        m_file.close();
        m_bytes.clear();
    }
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
    if (!m_file.readAt(start, m_bytes.data() + start, length))
        return false;
    m_loaded[std::size_t(chunk)] = true;
    return true;
}

} // namespace exif
