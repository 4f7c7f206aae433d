#include "imaging/scan/thumbnail_cache.h"

#include "base/file_bytes.h"
#include "base/le_record.h"
#include "imaging/scan/picture_loading.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace editor {
namespace {

// An entry file: a 36-byte header, the key's text, the thumbnail's rows compressed, and
// the CRC-32 of everything before it.
//   0 "LVTC"   4 version   8 key length   12 width   16 height   20 thumbnail width
//   24 thumbnail height   28 pixel format (QImage::Format)   32 compressed length
constexpr char kMagic[4] = {'L', 'V', 'T', 'C'};
constexpr quint32 kVersion = 1;
constexpr int kHeaderSize = 36;
constexpr qint64 kMostEntryBytes = 1 << 20;
constexpr int kThumbnailSideLimit = 100;
// Temporary files older than this were left by a write that never ended.
constexpr qint64 kAbandonedAfterSeconds = 600;
const QString kPartSuffix = QStringLiteral(".part");

int bytesPerPixel(QImage::Format format)
{
    switch (format) {
    case QImage::Format_BGR888:
    case QImage::Format_RGB888: return 3;
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32: return 4;
    default: return 0;
    }
}

QByteArray keyText(const ThumbnailKey &key)
{
    const FileStamp &s = key.stamp;
    return QStringLiteral("lumivelle thumbnail %1\n%2\n%3 %4 %5 %6 %7 %8")
        .arg(kVersion)
        .arg(key.path)
        .arg(s.size)
        .arg(s.modifiedNs)
        .arg(s.device)
        .arg(s.inode)
        .arg(key.filterOk ? 1 : 0)
        .arg(key.upright ? 1 : 0)
        .toUtf8();
}

quint32 crcOf(QByteArrayView bytes)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.data()), uInt(bytes.size())));
}

// The rows side by side, each pixel less the one on its left (bytewise), which deflate
// packs much better for photos.
QByteArray filteredRows(const QImage &picture, int bpp)
{
    const qsizetype rowBytes = qsizetype(picture.width()) * bpp;
    QByteArray rows(rowBytes * picture.height(), Qt::Uninitialized);
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *from = picture.constScanLine(y);
        uchar *to = reinterpret_cast<uchar *>(rows.data()) + y * rowBytes;
        for (qsizetype i = 0; i < rowBytes; ++i)
            to[i] = uchar(from[i] - (i >= bpp ? from[i - bpp] : 0));
    }
    return rows;
}

QImage unfilteredPicture(QByteArrayView rows, int width, int height, QImage::Format format, int bpp)
{
    QImage picture(width, height, format);
    if (picture.isNull())
        return {};
    const qsizetype rowBytes = qsizetype(width) * bpp;
    for (int y = 0; y < height; ++y) {
        const auto *from = reinterpret_cast<const uchar *>(rows.data()) + y * rowBytes;
        uchar *to = picture.scanLine(y);
        for (qsizetype i = 0; i < rowBytes; ++i)
            to[i] = uchar(from[i] + (i >= bpp ? to[i - bpp] : 0));
    }
    return picture;
}

std::optional<QByteArray> encodeEntry(const QByteArray &key, const TEnrData &entry)
{
    const QImage &thumbnail = entry.thumbnail;
    const int bpp = bytesPerPixel(thumbnail.format());
    if (thumbnail.isNull() || bpp == 0 || thumbnail.width() > kThumbnailSideLimit || thumbnail.height() > kThumbnailSideLimit)
        return std::nullopt;
    const QByteArray rows = filteredRows(thumbnail, bpp);
    uLongf packedSize = compressBound(uLong(rows.size()));
    QByteArray file(kHeaderSize + key.size() + qsizetype(packedSize) + 4, '\0');
    char *head = file.data();
    if (compress2(reinterpret_cast<Bytef *>(head + kHeaderSize + key.size()), &packedSize,
                  reinterpret_cast<const Bytef *>(rows.data()), uLong(rows.size()), 1) != Z_OK)
        return std::nullopt;
    std::memcpy(head, kMagic, 4);
    le::putU32(head, 4, kVersion);
    le::putU32(head, 8, quint32(key.size()));
    le::putI32(head, 12, entry.width);
    le::putI32(head, 16, entry.height);
    le::putI32(head, 20, thumbnail.width());
    le::putI32(head, 24, thumbnail.height());
    le::putU32(head, 28, quint32(thumbnail.format()));
    le::putU32(head, 32, quint32(packedSize));
    std::memcpy(head + kHeaderSize, key.constData(), std::size_t(key.size()));
    const qsizetype crcAt = kHeaderSize + key.size() + qsizetype(packedSize);
    file.truncate(crcAt + 4);
    le::putU32(file.data(), int(crcAt), crcOf(QByteArrayView(file).first(crcAt)));
    return file;
}

// Every field is checked before it is trusted; any fault means a damaged entry.
std::optional<TEnrData> decodeEntry(QByteArrayView file, const QByteArray &key)
{
    if (file.size() < kHeaderSize + 4 || std::memcmp(file.data(), kMagic, 4) != 0)
        return std::nullopt;
    const char *head = file.data();
    const qint64 keyLength = le::getU32(head, 8), packedLength = le::getU32(head, 32);
    if (le::getU32(head, 4) != kVersion || keyLength != key.size()
        || kHeaderSize + keyLength + packedLength + 4 != file.size())
        return std::nullopt;
    const qsizetype crcAt = file.size() - 4;
    if (le::getU32(head, int(crcAt)) != crcOf(file.first(crcAt)) || file.sliced(kHeaderSize, keyLength) != key)
        return std::nullopt;
    const int width = le::getI32(head, 20), height = le::getI32(head, 24);
    const auto format = QImage::Format(le::getU32(head, 28));
    const int bpp = bytesPerPixel(format);
    if (bpp == 0 || width < 1 || height < 1 || width > kThumbnailSideLimit || height > kThumbnailSideLimit)
        return std::nullopt;
    QByteArray rows(qsizetype(width) * height * bpp, Qt::Uninitialized);
    uLongf unpacked = uLongf(rows.size());
    const auto *packed = reinterpret_cast<const Bytef *>(head + kHeaderSize + keyLength);
    if (uncompress(reinterpret_cast<Bytef *>(rows.data()), &unpacked, packed, uLong(packedLength)) != Z_OK
        || unpacked != uLongf(rows.size()))
        return std::nullopt;
    TEnrData entry;
    entry.width = le::getI32(head, 12);
    entry.height = le::getI32(head, 16);
    entry.thumbnail = unfilteredPicture(rows, width, height, format, bpp);
    if (entry.thumbnail.isNull())
        return std::nullopt;
    return entry;
}

struct StoredFile {
    qint64 lastUse;
    qint64 size;
    QString path;
};

std::vector<StoredFile> storedFiles(const QString &folder)
{
    std::vector<StoredFile> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        files.push_back({info.lastModified().toMSecsSinceEpoch(), info.size(), info.filePath()});
    }
    return files;
}

} // namespace

std::optional<FileStamp> stampOf(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileStamp{qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
                     quint64(status.st_dev), quint64(status.st_ino)};
}

ThumbnailCache::ThumbnailCache(QString folder, qint64 boundBytes) : m_folder(std::move(folder)), m_bound(boundBytes)
{
}

QString ThumbnailCache::userFolder()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return QDir::cleanPath(base + QStringLiteral("/lumivelle/thumbnails"));
}

QString ThumbnailCache::entryPath(const ThumbnailKey &key) const
{
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(keyText(key), QCryptographicHash::Sha1).toHex());
    return m_folder + u'/' + hash.left(2) + u'/' + hash.mid(2) + QStringLiteral(".thumb");
}

std::optional<TEnrData> ThumbnailCache::find(const ThumbnailKey &key) const
{
    if (!enabled() || key.stamp.size < 0)
        return std::nullopt;
    const QString path = entryPath(key);
    const QByteArray name = QFile::encodeName(path);
    if (::access(name.constData(), F_OK) != 0)
        return std::nullopt;
    const auto bytes = readFileBytes(path, kMostEntryBytes);
    auto entry = bytes ? decodeEntry(*bytes, keyText(key)) : std::nullopt;
    if (!entry) {
        QFile::remove(path); // damaged: it is made again
        return std::nullopt;
    }
    ::utimensat(AT_FDCWD, name.constData(), nullptr, 0); // used now: trimmed last
    entry->fileSize = std::int32_t(std::clamp<qint64>(key.stamp.size, 0, std::numeric_limits<std::int32_t>::max()));
    return entry;
}

bool ThumbnailCache::store(const ThumbnailKey &key, const TEnrData &entry)
{
    if (!enabled() || key.stamp.size < 0)
        return false;
    const auto bytes = encodeEntry(keyText(key), entry);
    if (!bytes)
        return false;
    const QString path = entryPath(key);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    quint64 serial;
    {
        std::lock_guard lock(m_mutex);
        serial = ++m_writes;
    }
    const QString part = QStringLiteral("%1.%2.%3%4").arg(path).arg(::getpid()).arg(serial).arg(kPartSuffix);
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = file.write(*bytes) == bytes->size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError
        || std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    account(bytes->size());
    return true;
}

void ThumbnailCache::account(qint64 bytes)
{
    std::lock_guard lock(m_mutex);
    if (!m_knownBytes)
        m_knownBytes = storedBytes(); // the new entry included
    else
        *m_knownBytes += bytes;
    if (*m_knownBytes <= m_bound)
        return;
    // Trimmed under the lock: the other writers of this cache wait meanwhile.
    std::vector<StoredFile> files = storedFiles(m_folder);
    qint64 total = 0;
    for (const StoredFile &f : files)
        total += f.size;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    std::sort(files.begin(), files.end(), [](const StoredFile &a, const StoredFile &b) { return a.lastUse < b.lastUse; });
    const qint64 target = m_bound / 10 * 9;
    for (const StoredFile &f : files) {
        const bool abandoned = f.path.endsWith(kPartSuffix) && now - f.lastUse > kAbandonedAfterSeconds * 1000;
        if ((total > target && !f.path.endsWith(kPartSuffix)) || abandoned)
            if (QFile::remove(f.path))
                total -= f.size;
    }
    m_knownBytes = total;
}

void ThumbnailCache::trim()
{
    if (!enabled())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_knownBytes = m_bound + 1; // forces the walk below
    }
    account(0);
}

qint64 ThumbnailCache::storedBytes() const
{
    qint64 total = 0;
    for (const StoredFile &f : storedFiles(m_folder))
        total += f.size;
    return total;
}

std::optional<TEnrData> loadThumbnailEntryCached(const QString &path, bool filterOk, bool upright,
                                                 ThumbnailCache *cache, CacheUse use)
{
    const auto orienting = upright ? imaging::Orienting::Upright : imaging::Orienting::AsStored;
    const std::optional<FileStamp> before = cache && cache->enabled() ? stampOf(path) : std::nullopt;
    if (!before)
        return loadThumbnailEntry(path, filterOk, orienting);
    const ThumbnailKey key{path, *before, filterOk, upright};
    if (use == CacheUse::LookUp)
        if (auto hit = cache->find(key))
            return hit;
    auto made = loadThumbnailEntry(path, filterOk, orienting);
    if (made && stampOf(path) == before)
        cache->store(key, *made);
    return made;
}

} // namespace editor
