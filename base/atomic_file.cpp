#include "base/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reason of a failed system call, as our messages say it.
QString reasonOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("le disque est plein");
    case EFBIG: return QStringLiteral("le fichier est trop grand pour le disque");
    case EROFS: return QStringLiteral("le disque est protégé en écriture");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case ENOENT: return QStringLiteral("le dossier n'existe pas");
    default: return qt_error_string(error);
    }
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// The folder's entry of the renamed file reaches the disk too; where the system cannot
// say, nothing more can be done.
void syncFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

// Unbuffered writes at the current position; the first failure is kept and every later
// write fails too, so a caller that did not check one still cannot commit.
class AtomicFile::Device final : public QIODevice {
public:
    ~Device() override { discard(); }

    void attach(int fd)
    {
        discard();
        m_fd = fd, m_error = 0, m_end = 0;
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isAttached() const { return m_fd >= 0; }
    // Closes without keeping anything.
    void discard()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        if (isOpen())
            QIODevice::close();
    }

    int error() const { return m_error; }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_end; }

    // Synchronises the data to the disk, checks the size there and closes; the error of
    // any step, 0 when all succeeded.
    int closeFile()
    {
        if (m_fd < 0)
            return 0;
        int result = ::fsync(m_fd) == 0 ? 0 : errno;
        struct stat status {};
        if (result == 0 && (::fstat(m_fd, &status) != 0 || status.st_size != m_end))
            result = EIO; // the disk holds something else than what was written
        if (::close(m_fd) != 0 && result == 0)
            result = errno;
        m_fd = -1;
        QIODevice::close();
        return result;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        if (m_error != 0 || m_fd < 0) {
            setErrorString(reasonOf(m_error != 0 ? m_error : EBADF));
            return -1;
        }
        qint64 at = pos(), left = length;
        while (left > 0) {
            const ssize_t done = ::pwrite(m_fd, data, size_t(left), off_t(at));
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                m_error = done < 0 ? errno : ENOSPC;
                setErrorString(reasonOf(m_error));
                return -1;
            }
            data += done, at += done, left -= done;
        }
        m_end = std::max(m_end, at);
        return length;
    }

private:
    int m_fd = -1;
    int m_error = 0;
    qint64 m_end = 0;
};

AtomicFile::AtomicFile(const QString &path) : m_path(path), m_device(std::make_unique<Device>())
{
    const QFileInfo info(path);
    if (info.isSymLink())
        m_path = info.symLinkTarget();
}

AtomicFile::~AtomicFile()
{
    cancel();
}

QIODevice &AtomicFile::device()
{
    return *m_device;
}

Result<void> AtomicFile::failure(const QString &reason)
{
    cancel();
    return fail(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(m_path, reason));
}

Result<void> AtomicFile::open()
{
    cancel();
    const QFileInfo target(m_path);
    if (target.isDir())
        return failure(QStringLiteral("c'est un dossier"));
    struct stat old {};
    const bool replacing = ::stat(encoded(m_path).constData(), &old) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QStringLiteral("%1.%2.tmp").arg(m_path).arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        const int fd = ::open(encoded(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return failure(reasonOf(errno));
        if (replacing)
            ::fchmod(fd, old.st_mode & 07777); // the new file keeps the old one's permissions
        m_temporaryPath = candidate;
        m_device->attach(fd);
        return {};
    }
    return failure(QStringLiteral("aucun nom de fichier temporaire libre"));
}

Result<void> AtomicFile::commit()
{
    if (!m_device->isAttached())
        return failure(QStringLiteral("le fichier n'est pas ouvert"));
    if (const int error = m_device->error())
        return failure(reasonOf(error));
    if (const int error = m_device->closeFile())
        return failure(reasonOf(error));
    if (::rename(encoded(m_temporaryPath).constData(), encoded(m_path).constData()) != 0)
        return failure(reasonOf(errno));
    m_temporaryPath.clear();
    syncFolder(QFileInfo(m_path).absolutePath());
    return {};
}

void AtomicFile::cancel()
{
    m_device->discard();
    if (!m_temporaryPath.isEmpty())
        ::unlink(encoded(m_temporaryPath).constData());
    m_temporaryPath.clear();
}

Result<void> writeFileAtomically(const QString &path,
                                 const std::function<Result<void>(QIODevice &)> &fill)
{
    AtomicFile file(path);
    if (auto opened = file.open(); !opened)
        return opened;
    if (auto filled = fill(file.device()); !filled) {
        file.cancel();
        return filled;
    }
    return file.commit();
}

Result<void> writeFileAtomically(const QString &path, QByteArrayView data)
{
    return writeFileAtomically(path, [data](QIODevice &out) -> Result<void> {
        out.write(data.data(), data.size()); // a failure is kept and reported by the commit
        return {};
    });
}
