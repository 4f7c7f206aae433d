#pragma once
// The album entry TEnrData_C: the list entry of one picture (size, file size, selected
// flag, thumbnail) and the nine texts that describe the photo. The picture's path is not
// a field: it is the entry's key in the album list.
#include "imaging/exif/album_exif_import.h"
#include "imaging/scan/list_entry.h"

#include <QString>
#include <array>

namespace album {

// The nine texts, in the order of the entry and of the album record.
enum class AlbumField { Place, Date, Camera, Flash, Focal, Speed, Aperture, Comment, Keyword };

inline constexpr std::array<AlbumField, 9> kAlbumFields = {
    AlbumField::Place, AlbumField::Date,     AlbumField::Camera,  AlbumField::Flash,  AlbumField::Focal,
    AlbumField::Speed, AlbumField::Aperture, AlbumField::Comment, AlbumField::Keyword};

// How many characters the album file keeps of each text; the panel's editors take no more.
constexpr int fieldCapacity(AlbumField field)
{
    switch (field) {
    case AlbumField::Place: return 50;
    case AlbumField::Date: return 30;
    case AlbumField::Camera: return 50;
    case AlbumField::Flash: case AlbumField::Focal: case AlbumField::Speed: case AlbumField::Aperture: return 20;
    case AlbumField::Comment: return 80;
    case AlbumField::Keyword: return 20;
    }
    return 0;
}

inline constexpr int kPathCapacity = 255;

// The nine texts (place, date, camera, flash, focal, speed, aperture, comment, keyword)
// are those the EXIF import fills.
struct TEnrData_C : editor::TEnrData, exif::AlbumTextFields {

    QString &text(AlbumField field);
    const QString &text(AlbumField field) const { return const_cast<TEnrData_C *>(this)->text(field); }
};

inline QString &TEnrData_C::text(AlbumField field)
{
    switch (field) {
    case AlbumField::Place: return place;
    case AlbumField::Date: return date;
    case AlbumField::Camera: return camera;
    case AlbumField::Flash: return flash;
    case AlbumField::Focal: return focal;
    case AlbumField::Speed: return speed;
    case AlbumField::Aperture: return aperture;
    case AlbumField::Comment: return comment;
    case AlbumField::Keyword: break;
    }
    return keyword;
}

} // namespace album
