#include "imaging/exif/album_exif_import.h"

#include "imaging/exif/exif_reader.h"

namespace exif {

void importExifIntoAlbumFields(const TImageInfo &info, const ExifLocale &locale, AlbumTextFields &fields)
{
    const QChar separator = locale.decimalSeparator;
    if (!info.photoDate.isEmpty())
        fields.date = info.photoDate;
    // Make and model are joined without a separator ("Canon" + "Canon PowerShot A80"):
    // most cameras repeat the make in the model.
    if (!info.cameraMake.isEmpty() || !info.cameraModel.isEmpty())
        fields.camera = info.cameraMake + info.cameraModel;
    if (isKnown(info.flash))
        fields.flash = flashText(info.flash);
    if (isKnown(info.focalLength))
        fields.focal = focalText(info.focalLength, separator);
    if (const auto speed = speedText(info.exposureTime))
        fields.speed = *speed;
    if (isKnown(info.fNumber))
        fields.aperture = formatGeneral(info.fNumber, separator);
    if (!info.userComment.isEmpty())
        fields.comment = info.userComment;
}

bool importExifFromFile(const QString &path, const ExifLocale &locale, AlbumTextFields &fields)
{
    if (!hasExifExtension(path))
        return false;
    TImageInfo info;
    if (!ReadExif(path, info))
        return false;
    importExifIntoAlbumFields(info, locale, fields);
    return true;
}

} // namespace exif
