#include "imaging/exif/exif_reader.h"

#include "imaging/exif/exif_directories.h"
#include "imaging/exif/jpeg_segments.h"
#include "imaging/exif/partial_file.h"
#include "imaging/exif/tiff_data.h"

#include <QFileInfo>
#include <algorithm>

namespace exif {

namespace {

enum class FileKind { Jpeg, Tiff, Other };

FileKind kindOf(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"jpg" || extension == u"jpeg" || extension == u"jpe")
        return FileKind::Jpeg;
    if (extension == u"tif" || extension == u"tiff")
        return FileKind::Tiff;
    return FileKind::Other;
}

// The head of a JPEG file is read in growing prefixes: most heads end within the first
// one, and a file holding much more data is not read in full.
constexpr qint64 kFirstJpegPrefix = 256 * 1024;

std::optional<JpegHead> walkJpegFile(PartialFile &file)
{
    qint64 prefix = std::min(file.size(), kFirstJpegPrefix);
    std::optional<JpegHead> head;
    while (file.load(0, prefix)) { // a file cut short meanwhile keeps the head walked so far
        head = walkJpegHead(file.bytes().first(prefix));
        if (!head || !head->dataRanOut || prefix == file.size())
            break;
        prefix = std::min(file.size(), prefix * 4);
    }
    return head;
}

bool readJpegHead(const std::optional<JpegHead> &head, TImageInfo &info)
{
    if (!head)
        return false;
    info.jpegSegments = head->kept;
    DirectoryReadState state;
    if (head->frameWidth)
        state.mainImageWidth = *head->frameWidth;
    if (head->exifFound) {
        info.flash = 0; // a camera that writes EXIF without the flash tag had no flash
        if (const auto tiff = TiffData::open(head->exifTiff))
            readExifDirectories(*tiff, false, info, state);
    }
    info.sensorWidth = sensorWidthMillimetres(info, state);
    return head->exifFound || head->commentFound || head->iptcFound;
}

bool readTiffData(const std::optional<TiffData> &tiff, TImageInfo &info)
{
    if (!tiff)
        return false;
    DirectoryReadState state;
    readExifDirectories(*tiff, true, info, state);
    info.sensorWidth = sensorWidthMillimetres(info, state);
    return true;
}

} // namespace

bool readJpegExif(QByteArrayView bytes, TImageInfo &info)
{
    return readJpegHead(walkJpegHead(bytes), info);
}

bool readTiffExif(QByteArrayView bytes, TImageInfo &info)
{
    return readTiffData(TiffData::open(bytes), info);
}

bool ReadExif(const QString &path, TImageInfo &info)
{
    info = TImageInfo{};
    info.fileName = path;
    const QFileInfo fileInfo(path);
    if (fileInfo.exists()) {
        info.fileDate = fileInfo.lastModified();
        info.fileSize = fileInfo.size();
    }
    const FileKind kind = kindOf(path);
    if (kind == FileKind::Other)
        return false;
    PartialFile file(path);
    if (!file.isOpen())
        return false;
    if (kind == FileKind::Jpeg)
        return readJpegHead(walkJpegFile(file), info);
    auto load = [&file](qint64 offset, qint64 count) { return file.load(offset, count); };
    return readTiffData(TiffData::open(file.bytes(), load), info);
}

bool hasExifExtension(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == u"jpg" || extension == u"jpeg" || extension == u"tif" || extension == u"tiff";
}

} // namespace exif
