#include "documents/album/ccl_format.h"

#include "base/atomic_file.h"
#include "base/byte_view.h"
#include "base/le_record.h"
#include "base/short_string.h"
#include "documents/album/album_list.h"
#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace album {

namespace {

constexpr char kIdentityBytes[] = "\x09Lumivelle";
constexpr char kVersionBytes[] = "\x04" "3000";

void report(const std::function<void(int)> &started, int total)
{
    if (started)
        started(total);
}

void step(const std::function<void()> &advanced)
{
    if (advanced)
        advanced();
}

LoadFailure damaged()
{
    return {LoadProblem::Damaged};
}

// The thumbnail of one record: a JPEG of at most 100 x 100 pixels, decoded with the fast
// DCT (an album holds thousands of them). A larger picture is not a thumbnail; refusing
// it also keeps a forged size from taking the memory.
std::optional<QImage> decodeThumbnail(QByteArrayView jpeg)
{
    const auto info = imaging::readJpegInfo(jpeg);
    if (!info || info->width > imaging::kThumbnailBox || info->height > imaging::kThumbnailBox)
        return std::nullopt;
    auto picture = imaging::decodeJpeg(jpeg, {}, imaging::JpegDct::Fast);
    if (!picture || picture->isNull())
        return std::nullopt;
    return std::move(*picture);
}

} // namespace

QByteArray encodeCclHeader(std::int32_t entryCount)
{
    QByteArray header(kCclHeaderSize, '\0');
    std::memcpy(header.data() + ccl::kIdentity, kIdentityBytes, 10);
    std::memcpy(header.data() + ccl::kVersion, kVersionBytes, 5);
    le::putI32(header.data(), ccl::kEntryCount, entryCount);
    return header;
}

std::optional<std::int32_t> acceptedEntryCount(QByteArrayView header)
{
    const ByteView bytes(header);
    if (!bytes.has(0, kCclHeaderSize) || !bytes.startsWith(ccl::kIdentity, QByteArrayView(kIdentityBytes, 10)) ||
        !bytes.startsWith(ccl::kVersion, QByteArrayView(kVersionBytes, 5)))
        return std::nullopt;
    const std::int32_t count = bytes.le32s(ccl::kEntryCount);
    if (count <= 0)
        return std::nullopt;
    return count;
}

QByteArray encodeCclRecord(const QString &path, const TEnrData_C &entry, std::int32_t jpegSize)
{
    QByteArray record(kCclRecordSize, '\0');
    char *r = record.data();
    writeShortString(r + ccl::kPath, kPathCapacity, path);
    le::putI32(r, ccl::kWidth, entry.width);
    le::putI32(r, ccl::kHeight, entry.height);
    le::putI32(r, ccl::kFileSize, entry.fileSize);
    for (AlbumField field : kAlbumFields)
        writeShortString(r + ccl::fieldOffset(field), fieldCapacity(field), entry.text(field));
    le::putI32(r, ccl::kJpegSize, jpegSize);
    return record;
}

CclRecord decodeCclRecord(QByteArrayView record)
{
    const char *r = record.data();
    CclRecord decoded;
    decoded.path = readShortString(r + ccl::kPath, kPathCapacity);
    decoded.entry.width = le::getI32(r, ccl::kWidth);
    decoded.entry.height = le::getI32(r, ccl::kHeight);
    decoded.entry.fileSize = le::getI32(r, ccl::kFileSize);
    for (AlbumField field : kAlbumFields)
        decoded.entry.text(field) = readShortString(r + ccl::fieldOffset(field), fieldCapacity(field));
    decoded.jpegSize = le::getI32(r, ccl::kJpegSize);
    return decoded;
}

LoadResult<void> readAlbum(QByteArrayView data, AlbumList &list, const Progress &progress)
{
    const auto count = acceptedEntryCount(data);
    if (!count)
        return std::unexpected(LoadFailure{LoadProblem::Foreign});
    report(progress.started, *count);
    const ByteView bytes(data);
    qint64 position = kCclHeaderSize;
    while (position < bytes.size()) {
        if (!bytes.has(position, kCclRecordSize))
            return std::unexpected(damaged());
        CclRecord record = decodeCclRecord(bytes.slice(position, kCclRecordSize));
        position += kCclRecordSize;
        if (record.jpegSize == 0)
            continue;
        if (!bytes.has(position, record.jpegSize))
            return std::unexpected(damaged()); // also a negative count
        auto thumbnail = decodeThumbnail(bytes.slice(position, record.jpegSize));
        if (!thumbnail)
            return std::unexpected(damaged());
        position += record.jpegSize;
        record.entry.selected = false;
        record.entry.thumbnail = std::move(*thumbnail);
        list.append(std::move(record.path), std::move(record.entry));
        step(progress.advanced);
    }
    return {};
}

LoadResult<void> loadAlbumFile(const QString &path, AlbumList &list, const Progress &progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(LoadFailure{LoadProblem::Foreign});
    // The header is looked at before the rest is read: a large file of another kind is
    // refused without being read. Read, not mapped: a file cut short by another program
    // while it is read gives a damaged album, not a bus error.
    if (!acceptedEntryCount(file.read(kCclHeaderSize)) || !file.seek(0))
        return std::unexpected(LoadFailure{LoadProblem::Foreign});
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::unexpected(LoadFailure{LoadProblem::Damaged});
    return readAlbum(bytes, list, progress);
}

QByteArray encodeAlbumThumbnail(const QImage &thumbnail)
{
    if (!thumbnail.isNull()) {
        if (auto jpeg = imaging::encodeJpeg(thumbnail, kThumbnailQuality))
            return std::move(*jpeg);
    }
    static const QByteArray placeholder = [] {
        QImage white(1, 1, QImage::Format_BGR888);
        white.fill(Qt::white);
        return imaging::encodeJpeg(white, kThumbnailQuality).value_or(QByteArray());
    }();
    return placeholder;
}

namespace {

Result<void> writeAll(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        return fail(out.errorString());
    return {};
}

Result<void> writeEntries(QIODevice &out, const AlbumList &list, const Progress &progress)
{
    if (auto written = writeAll(out, encodeCclHeader(list.count())); !written)
        return written;
    report(progress.started, list.count());
    for (const AlbumList::Item &item : list.items()) {
        step(progress.advanced);
        const QByteArray jpeg = encodeAlbumThumbnail(item.entry.thumbnail);
        if (auto written = writeAll(out, encodeCclRecord(item.path, item.entry, std::int32_t(jpeg.size()))); !written)
            return written;
        if (auto written = writeAll(out, jpeg); !written)
            return written;
    }
    return {};
}

} // namespace

QByteArray encodeAlbum(const AlbumList &list, const Progress &progress)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    (void)writeEntries(buffer, list, progress);
    return bytes;
}

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && (!(info.permissions() & QFileDevice::WriteOwner) || !info.isWritable());
}

QString readOnlyMessage(const QString &path)
{
    return QStringLiteral("Impossible d'enregistrer l'album :\n\nle fichier < %1 > est en lecture seule,\n"
                          "utilisez l'explorateur de Windows afin de localiser\n"
                          "ce fichier et de décocher cet attribut.")
        .arg(QFileInfo(path).fileName());
}

Result<void> writeAlbumFile(const QString &path, const AlbumList &list, const Progress &progress)
{
    if (isReadOnlyFile(path))
        return fail(readOnlyMessage(path));
    auto written = writeFileAtomically(path, [&](QIODevice &out) { return writeEntries(out, list, progress); });
    if (!written)
        return fail(QStringLiteral("Impossible d'enregistrer l'album < %1 > :\n%2")
                        .arg(QFileInfo(path).fileName(), written.error().message));
    return {};
}

} // namespace album
