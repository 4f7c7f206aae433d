#include "base/file_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads go in pieces of this size, so a read is never larger than the system likes.
constexpr qint64 kPiece = qint64(1) << 20;

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

FileReader::~FileReader()
{
    close();
}

Result<void> FileReader::open(const QString &path, qint64 limit)
{
    close();
    // Non-blocking, so that opening a named pipe returns at once; regular files ignore it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fail(QStringLiteral("Impossible d'ouvrir « %1 » : %2").arg(nameOf(path), qt_error_string(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("« %1 » n'est pas un fichier ordinaire.").arg(nameOf(path)));
    }
    if (status.st_size > limit) {
        ::close(fd);
        return fail(QStringLiteral("Le fichier « %1 » est trop grand (%2 Mo au plus).")
                        .arg(nameOf(path))
                        .arg(limit / 1'000'000));
    }
    m_fd = fd;
    m_size = status.st_size;
    return {};
}

bool FileReader::readAt(qint64 offset, char *into, qint64 count)
{
    if (m_fd < 0 || offset < 0 || count < 0)
        return false;
    while (count > 0) {
        const ssize_t got = ::pread(m_fd, into, size_t(std::min(count, kPiece)), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false; // an error, or the file ends before the bytes asked for
        into += got, offset += got, count -= got;
    }
    return true;
}

void FileReader::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
}

Result<QByteArray> readFileBytes(const QString &path, qint64 limit)
{
    FileReader file;
    if (auto opened = file.open(path, limit); !opened)
        return std::unexpected(opened.error());
    if (file.size() == 0)
        return fail(QStringLiteral("Le fichier « %1 » est vide.").arg(nameOf(path)));
    QByteArray bytes;
    try {
        bytes = QByteArray(qsizetype(file.size()), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        return fail(QStringLiteral("Mémoire insuffisante pour lire « %1 ».").arg(nameOf(path)));
    }
    if (!file.readAt(0, bytes.data(), bytes.size()))
        return fail(QStringLiteral("Impossible de lire « %1 » : le fichier a changé pendant sa lecture.").arg(nameOf(path)));
    return bytes;
}
