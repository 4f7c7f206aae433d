#pragma once
// Entries, thumbnails and album files made by the album tests.
#include "documents/album/album_list.h"
#include "documents/album/ccl_format.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

namespace album_test {

inline QImage plainThumbnail(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_BGR888);
    picture.fill(colour);
    return picture;
}

inline album::TEnrData_C entryWith(int width, int height, int fileSize, QColor colour = Qt::red)
{
    album::TEnrData_C entry;
    entry.width = width;
    entry.height = height;
    entry.fileSize = fileSize;
    entry.thumbnail = plainThumbnail(std::min(width, 100), std::min(height, 100), colour);
    return entry;
}

// A record and its thumbnail as the file holds them.
inline QByteArray recordBytes(const QString &path, const album::TEnrData_C &entry)
{
    const QByteArray jpeg = album::encodeAlbumThumbnail(entry.thumbnail);
    return album::encodeCclRecord(path, entry, std::int32_t(jpeg.size())) + jpeg;
}

// A record that carries no thumbnail (JPEG byte count 0).
inline QByteArray emptyRecordBytes(const QString &path)
{
    return album::encodeCclRecord(path, album::TEnrData_C{}, 0);
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace album_test
