#pragma once
// A file read piece by piece: only the ranges asked for are read, into a buffer as large as
// the file (memory the system gives on first touch). Unlike a mapping, a file cut short
// by another program while it is read gives a failed read, not a bus error. A file larger
// than a picture file can be (kMaxPictureFileBytes) is not opened: its buffer would be
// sized from whatever the file system claims.
#include "base/file_bytes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace exif {

class PartialFile {
public:
    explicit PartialFile(const QString &path);

    bool isOpen() const { return m_file.isOpen(); }
    qint64 size() const { return m_bytes.size(); }
    // Reads what is missing of [offset, offset + count); false when the range lies outside
    // the file's size at opening or the file no longer holds it.
    bool load(qint64 offset, qint64 count);
    // The whole file's bytes; only the loaded ranges hold the file's content.
    QByteArrayView bytes() const { return m_bytes; }

private:
    static constexpr qint64 kChunk = 64 * 1024;
    bool loadChunk(qint64 chunk);

    FileReader m_file;
    QByteArray m_bytes;
    std::vector<bool> m_loaded; // per chunk of kChunk bytes
};

} // namespace exif
