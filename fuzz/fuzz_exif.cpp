// Fuzz target of the EXIF reader: the bytes are read both as a JPEG file and as a TIFF
// file, and every record that comes out is turned into the report and the album fields,
// so the formatting meets whatever the reader lets through.
#include "imaging/exif/album_exif_import.h"
#include "imaging/exif/exif_reader.h"
#include "imaging/exif/exif_report.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

namespace {

void useRecord(bool ok, const exif::TImageInfo &info)
{
    const exif::ExifLocale locale;
    (void)exif::exifReportLines(ok, info, locale);
    exif::AlbumTextFields fields;
    exif::importExifIntoAlbumFields(info, locale, fields);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    exif::TImageInfo jpeg;
    useRecord(exif::readJpegExif(bytes, jpeg), jpeg);
    exif::TImageInfo tiff;
    useRecord(exif::readTiffExif(bytes, tiff), tiff);
    return 0;
}
