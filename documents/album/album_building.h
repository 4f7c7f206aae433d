#pragma once
// How an album entry is made from a picture: from the picture file itself (adding through
// the file dialog, rebuilding thumbnails), or from the image explorer's entry for it
// (adding the explorer's selection), which also fills the texts from the photo's EXIF data.
#include "documents/album/album_entry.h"
#include "imaging/exif/exif_format.h"

#include <QString>

namespace album {

class AlbumList;

// Decodes the picture and sets width, height, file size (from the file system) and the
// thumbnail (the 100-pixel rule, filtered with filterOk); the texts are kept. A picture
// that cannot be decoded gives 0 x 0 pixels and an empty thumbnail. Selected is cleared.
void buildEntryFromImageFile(const QString &path, TEnrData_C &entry, bool filterOk);

// Copies width, height, file size and thumbnail from the explorer's entry, clears the
// selected flag and, for ".jpg", ".jpeg", ".tif" and ".tiff" files, imports EXIF data.
void buildEntryFromExplorerEntry(const QString &path, TEnrData_C &entry, const editor::TEnrData &explorerEntry,
                                 const exif::ExifLocale &locale);

// Fills date, camera (make followed directly by the model), flash ("Oui"/"Non"), focal,
// speed, aperture and comment from the picture's EXIF data, each only when its source is
// known; place and keyword are never touched. Only the file's head is read. Returns
// whether the EXIF read succeeded.
bool importExif(const QString &path, TEnrData_C &entry, const exif::ExifLocale &locale);

// Whether the adding commands take `path` into `list`: the file exists and no entry has
// that path yet (under the platform's path identity).
bool mayAdd(const AlbumList &list, const QString &path);

} // namespace album
