#include "documents/album/album_building.h"

#include "documents/album/album_list.h"
#include "imaging/exif/album_exif_import.h"
#include "imaging/scan/picture_loading.h"

#include <QFileInfo>
#include <limits>

namespace album {

namespace {

std::int32_t fileSizeOf(const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    return std::int32_t(std::min<qint64>(size, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void buildEntryFromImageFile(const QString &path, TEnrData_C &entry, bool filterOk)
{
    if (auto loaded = editor::loadThumbnailEntry(path, filterOk)) {
        entry.width = loaded->width;
        entry.height = loaded->height;
        entry.fileSize = loaded->fileSize;
        entry.thumbnail = std::move(loaded->thumbnail);
    } else {
        entry.width = 0;
        entry.height = 0;
        entry.fileSize = fileSizeOf(path);
        entry.thumbnail = QImage();
    }
    entry.selected = false;
}

void buildEntryFromExplorerEntry(const QString &path, TEnrData_C &entry, const editor::TEnrData &explorerEntry,
                                 const exif::ExifLocale &locale)
{
    entry.width = explorerEntry.width;
    entry.height = explorerEntry.height;
    entry.fileSize = explorerEntry.fileSize;
    entry.thumbnail = explorerEntry.thumbnail;
    entry.selected = false;
    importExif(path, entry, locale);
}

bool importExif(const QString &path, TEnrData_C &entry, const exif::ExifLocale &locale)
{
    return exif::importExifFromFile(path, locale, entry);
}

bool mayAdd(const AlbumList &list, const QString &path)
{
    return !list.containsPath(path) && QFileInfo(path).isFile();
}

} // namespace album
