#pragma once
// Reading the photo information of a JPEG or TIFF file.
#include "imaging/exif/image_info.h"

#include <QByteArrayView>
#include <QString>

namespace exif {

// Resets the record to the unknown values, takes file name, last-write date and size from
// the file system, then reads the file by its extension, compared in lower case: ".jpg",
// ".jpeg" and ".jpe" as JPEG, ".tif" and ".tiff" as TIFF; any other extension fails.
// A JPEG read succeeds when it found an EXIF block, a comment or an IPTC segment; a TIFF
// read when the file starts with "II" or "MM". Damaged data ends the read and keeps what
// was filled: the record is then used as far as it goes.
bool ReadExif(const QString &path, TImageInfo &info);

// The two readings over bytes already in memory; they fill only the items that come from
// the data.
bool readJpegExif(QByteArrayView bytes, TImageInfo &info);
bool readTiffExif(QByteArrayView bytes, TImageInfo &info);

// The extensions whose files the album import and the EXIF report look at: ".jpg",
// ".jpeg", ".tif" and ".tiff" in any letter case.
bool hasExifExtension(const QString &path);

} // namespace exif
