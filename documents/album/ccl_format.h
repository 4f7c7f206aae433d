#pragma once
// The album file (.ccl): a 28-byte header, then for every entry a 592-byte record
// followed directly by its thumbnail as a complete JPEG file. Integers are little-endian
// 32-bit signed; texts are length-prefixed strings cut to their capacities; unused bytes
// are written as zeros.
//
// Header: 0 length byte 9 and "Lumivelle", 11 length byte 4 and "3000", 24 entry count.
// Record: 0 path (255), 256 place (50), 308 width, 312 height, 316 file size, 320 date (30),
// 351 camera (50), 402 flash (20), 423 focal (20), 444 speed (20), 465 aperture (20),
// 486 comment (80), 567 keyword (20), 588 byte count of the JPEG that follows.
#include "base/result.h"
#include "documents/album/album_entry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <cstdint>
#include <expected>
#include <functional>
#include <optional>

namespace album {

class AlbumList;

inline constexpr int kCclHeaderSize = 28;
inline constexpr int kCclRecordSize = 592;
inline constexpr int kThumbnailQuality = 90;

namespace ccl {
inline constexpr int kIdentity = 0;
inline constexpr int kVersion = 11;
inline constexpr int kEntryCount = 24;

inline constexpr int kPath = 0;
inline constexpr int kWidth = 308;
inline constexpr int kHeight = 312;
inline constexpr int kFileSize = 316;
inline constexpr int kJpegSize = 588;

constexpr int fieldOffset(AlbumField field)
{
    switch (field) {
    case AlbumField::Place: return 256;
    case AlbumField::Date: return 320;
    case AlbumField::Camera: return 351;
    case AlbumField::Flash: return 402;
    case AlbumField::Focal: return 423;
    case AlbumField::Speed: return 444;
    case AlbumField::Aperture: return 465;
    case AlbumField::Comment: return 486;
    case AlbumField::Keyword: return 567;
    }
    return 0;
}
} // namespace ccl

inline const QString kNotCompatibleMessage = QStringLiteral("Fichier non compatible avec cette version de Lumivelle");

QByteArray encodeCclHeader(std::int32_t entryCount);
// The entry count of a header the editor accepts: both signatures with their length
// bytes, and a count above 0. Nothing for any other header or fewer than 28 bytes.
std::optional<std::int32_t> acceptedEntryCount(QByteArrayView header);

// One record without its thumbnail.
struct CclRecord {
    QString path;
    TEnrData_C entry; // texts, width, height and file size; no thumbnail
    std::int32_t jpegSize = 0;
};
QByteArray encodeCclRecord(const QString &path, const TEnrData_C &entry, std::int32_t jpegSize);
// `record` holds at least 592 bytes.
CclRecord decodeCclRecord(QByteArrayView record);

// Why a file could not be loaded: a header that is not an album's (a warning to the user)
// or records that are damaged (an error). Both read "Fichier non compatible avec cette
// version de Lumivelle".
enum class LoadProblem { Foreign, Damaged };
struct LoadFailure {
    LoadProblem problem;
    QString message = kNotCompatibleMessage;
};
template <class T>
using LoadResult = std::expected<T, LoadFailure>;

// Reports a long load or save: the number of entries expected, then one step per entry.
struct Progress {
    std::function<void(int total)> started;
    std::function<void()> advanced;
};

// Appends the entries of the album `bytes` hold to `list`. Records are read to the end of
// the data whatever the header's count says; a record whose JPEG byte count is 0 is
// skipped. A record or thumbnail cut short, a negative byte count, a thumbnail that is
// not a JPEG or is larger than 100 x 100 pixels make the data damaged. On failure the
// list holds what was read before; the caller clears it.
LoadResult<void> readAlbum(QByteArrayView bytes, AlbumList &list, const Progress &progress = {});
// The same for a file; a file that cannot be read counts as foreign.
LoadResult<void> loadAlbumFile(const QString &path, AlbumList &list, const Progress &progress = {});

// The thumbnail as the album stores it: a JPEG at quality 90. An entry without a
// thumbnail (a picture that could not be decoded) gets a white 1 x 1 placeholder, so that
// it is kept: a byte count of 0 would make the loader skip it.
QByteArray encodeAlbumThumbnail(const QImage &thumbnail);

// The whole file for `list`.
QByteArray encodeAlbum(const AlbumList &list, const Progress &progress = {});

// The file exists and may not be written: its owner's write permission is off (the
// read-only attribute) or this user cannot write it.
bool isReadOnlyFile(const QString &path);
QString readOnlyMessage(const QString &path);

// Writes the album to `path` through a temporary file that replaces the old one only
// when complete. A read-only file is refused with readOnlyMessage and left as it was.
Result<void> writeAlbumFile(const QString &path, const AlbumList &list, const Progress &progress = {});

} // namespace album
