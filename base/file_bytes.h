#pragma once
// The one way from a file to a decoder: files are read with plain reads, piece by piece,
// never mapped. A file cut short by another program while it is read then gives a failed
// read instead of ending the program with a bus error, and nothing is allocated before
// the file's size is known to be within bounds.
#include "base/result.h"

#include <QByteArray>
#include <QString>

// The largest picture the readers accept, in pixels.
inline constexpr qint64 kLargestPicturePixels = 400'000'000;
// The most bytes a picture file may have: the largest picture stored without compression
// at three bytes a pixel, and a megabyte for headers and palettes (some 1.1 GiB). A larger
// file cannot hold a picture the readers accept; it is unreadable, however it is stored.
inline constexpr qint64 kMaxPictureFileBytes = kLargestPicturePixels * 3 + (qint64(1) << 20);

// An open regular file. Opening never blocks (a named pipe is refused, not waited on) and
// refuses what is not a regular file or is larger than the limit.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    Result<void> open(const QString &path, qint64 limit = kMaxPictureFileBytes);
    bool isOpen() const { return m_fd >= 0; }
    // The size at opening.
    qint64 size() const { return m_size; }
    // Reads exactly `count` bytes at `offset`; false when the file no longer holds them
    // (it was shortened meanwhile) or the system reports an error.
    bool readAt(qint64 offset, char *into, qint64 count);
    void close();

private:
    int m_fd = -1;
    qint64 m_size = 0;
};

// The whole content of a regular file of 1 to `limit` bytes. Fails, with a short French
// message naming the file, when it cannot be opened, is empty, too large, shortened while
// it is read, or memory runs out.
Result<QByteArray> readFileBytes(const QString &path, qint64 limit = kMaxPictureFileBytes);
