#pragma once
// Filling an album entry's text fields from the photo information of its image.
#include "imaging/exif/exif_format.h"
#include "imaging/exif/image_info.h"

#include <QString>

namespace exif {

// The text fields of an album entry, in the order of the entry.
struct AlbumTextFields {
    QString place;
    QString date;
    QString camera;
    QString flash;
    QString focal;
    QString speed;
    QString aperture;
    QString comment;
    QString keyword;
};

// Fills the fields from a record that was read successfully: the photo date, the camera
// (make followed directly by model), the flash ("Oui"/"Non"), focal, speed, aperture and
// comment. A field whose source is unknown or empty keeps its content; place and keyword
// never come from EXIF.
void importExifIntoAlbumFields(const TImageInfo &info, const ExifLocale &locale, AlbumTextFields &fields);

// For a ".jpg", ".jpeg", ".tif" or ".tiff" image: reads its EXIF data and, when the read
// succeeds, fills the fields. Returns whether anything was imported.
bool importExifFromFile(const QString &path, const ExifLocale &locale, AlbumTextFields &fields);

} // namespace exif
