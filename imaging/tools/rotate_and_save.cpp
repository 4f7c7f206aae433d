#include "imaging/tools/rotate_and_save.h"

#include "imaging/exif/exif_reader.h"
#include "imaging/tools/picture_files.h"
#include "imaging/tools/rotate_bitmap.h"
#include "imaging/tools/turned_encoding.h"

#include <QFile>
#include <QFileInfo>

namespace imagetools {
namespace {

RotateResult failed(RotateStatus status, const QString &reason)
{
    RotateResult result;
    result.status = status;
    result.failure = reason;
    return result;
}

// The bytes of the file to write: `bytes` from `begin` on.
struct EncodedFile {
    QByteArray bytes;
    qsizetype begin = 0;
    QByteArrayView view() const { return QByteArrayView(bytes).sliced(begin); }
};

// The turned picture, encoded band by band without a turned copy in memory. A JPEG stream
// is written with room in front for the kept segments of the original, which then take
// the place of its own head (or it stays as encoded when that fails).
Result<EncodedFile> encodeTurned(SaveFormat format, const QImage &bitmap, int angle,
                                 std::optional<exif::KeptJpegSegments> kept, ExifPatch &patch)
{
    if (format == SaveFormat::Bitmap) {
        Result<QByteArray> bmp = encodeTurnedBmp24(bitmap, angle);
        if (!bmp)
            return std::unexpected(bmp.error());
        return EncodedFile{std::move(*bmp), 0};
    }
    if (kept)
        patch = patchTurnedExif(kept->exif, quarterTurns(angle) % 2 == 1 ? bitmap.size().transposed() : bitmap.size());
    Result<RoomyJpeg> jpeg = encodeTurnedJpeg(bitmap, angle, kRotatedJpegQuality, kept ? keptHeadSize(*kept) : 0);
    if (!jpeg)
        return std::unexpected(jpeg.error());
    EncodedFile file{std::move(jpeg->bytes), jpeg->streamStart};
    if (kept) {
        if (const auto start = spliceKeptSegmentsInPlace(file.bytes, file.begin, *kept))
            file.begin = *start;
        else
            patch = {};
    }
    return file;
}

} // namespace

FileKind fileKindOf(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"bmp")
        return FileKind::Bitmap;
    if (extension == u"jpg" || extension == u"jpeg")
        return FileKind::Jpeg;
    return FileKind::Other;
}

QString besidePath(const QString &path, SaveFormat format)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? path : path.chopped(suffix.size() + 1);
    return stem + (format == SaveFormat::Bitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg"));
}

RotateResult RotateAndSave(int angle, const QString &path, const FormatQuestion &askFormat)
{
    if (!QFileInfo(path).isFile())
        return failed(RotateStatus::Missing, QStringLiteral("Fichier introuvable : %1").arg(path));
    const FileKind kind = fileKindOf(path);
    std::optional<exif::KeptJpegSegments> kept;
    Result<ToolPicture> picture = fail(QString());
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failed(RotateStatus::Unreadable, file.errorString());
        const QByteArray bytes = file.readAll();
        picture = decodeToolPicture(bytes, path);
        exif::TImageInfo info;
        if (picture && kind == FileKind::Jpeg && exif::readJpegExif(bytes, info))
            kept = info.jpegSegments;
    }
    if (!picture)
        return failed(RotateStatus::Unreadable, picture.error().message);
    if (auto turnable = TurnedRows::make(angle, picture->bitmap); !turnable)
        return failed(RotateStatus::WriteFailed, turnable.error().message);

    RotateResult result;
    SaveFormat format = kind == FileKind::Bitmap ? SaveFormat::Bitmap : SaveFormat::Jpeg;
    result.writtenPath = path;
    result.status = RotateStatus::WrittenOverFile;
    if (kind == FileKind::Other) {
        const std::optional<SaveFormat> chosen = askFormat ? askFormat() : std::nullopt;
        if (!chosen)
            return failed(RotateStatus::Cancelled, QString());
        format = *chosen;
        result.writtenPath = besidePath(path, format);
        result.status = RotateStatus::WrittenBeside;
    }
    Result<EncodedFile> encoded = encodeTurned(format, picture->bitmap, angle, std::move(kept), result.exif);
    picture->bitmap = QImage();
    if (!encoded)
        return failed(RotateStatus::WriteFailed, encoded.error().message);
    if (auto written = writePictureFile(result.writtenPath, encoded->view()); !written)
        return failed(RotateStatus::WriteFailed, written.error().message);
    return result;
}

} // namespace imagetools
