#include "imaging/exif/exif_reader.h"

#include "imaging/exif/exif_directories.h"
#include "imaging/exif/jpeg_segments.h"
#include "imaging/exif/tiff_data.h"

#include <QFile>
#include <QFileInfo>

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

// The file's bytes, mapped when the system allows it: only the parts the reading
// touches are loaded.
class FileBytes {
public:
    explicit FileBytes(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            return;
        m_ok = true;
        if (m_file.size() == 0)
            return;
        if (uchar *mapped = m_file.map(0, m_file.size()))
            m_view = QByteArrayView(mapped, m_file.size());
        else {
            m_copy = m_file.readAll();
            m_view = m_copy;
        }
    }
    bool ok() const { return m_ok; }
    QByteArrayView view() const { return m_view; }

private:
    QFile m_file;
    QByteArray m_copy;
    QByteArrayView m_view;
    bool m_ok = false;
};

} // namespace

bool readJpegExif(QByteArrayView bytes, TImageInfo &info)
{
    const auto head = walkJpegHead(bytes);
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

bool readTiffExif(QByteArrayView bytes, TImageInfo &info)
{
    const auto tiff = TiffData::open(bytes);
    if (!tiff)
        return false;
    DirectoryReadState state;
    readExifDirectories(*tiff, true, info, state);
    info.sensorWidth = sensorWidthMillimetres(info, state);
    return true;
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
    const FileBytes file(path);
    if (!file.ok())
        return false;
    return kind == FileKind::Jpeg ? readJpegExif(file.view(), info) : readTiffExif(file.view(), info);
}

bool hasExifExtension(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == u"jpg" || extension == u"jpeg" || extension == u"tif" || extension == u"tiff";
}

} // namespace exif
