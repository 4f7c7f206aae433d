#include "imaging/tools/rotate_and_save.h"

#include "imaging/exif/exif_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/tools/picture_files.h"
#include "imaging/tools/rotate_bitmap.h"

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

// The bytes of the rotated JPEG file: the encoded stream with the kept segments of the
// original in front, or the stream alone when there are none or the splice fails.
QByteArray withKeptSegments(QByteArray encoded, std::optional<exif::KeptJpegSegments> kept, bool quarterTurn,
                            ExifPatch &patch)
{
    if (!kept)
        return encoded;
    patch = patchTurnedExif(kept->exif, quarterTurn);
    Result<QByteArray> spliced = spliceKeptSegments(encoded, *kept);
    if (!spliced) {
        patch = {};
        return encoded;
    }
    return std::move(*spliced);
}

Result<QByteArray> encodeAs(SaveFormat format, const QImage &turned)
{
    return format == SaveFormat::Bitmap ? encodeBmp24(turned) : imaging::encodeJpeg(turned, kRotatedJpegQuality);
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
    Result<QImage> turned = RotateBitmap(angle, picture->bitmap);
    picture->bitmap = QImage();
    if (!turned)
        return failed(RotateStatus::WriteFailed, turned.error().message);

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
    Result<QByteArray> encoded = encodeAs(format, *turned);
    *turned = QImage();
    if (!encoded)
        return failed(RotateStatus::WriteFailed, encoded.error().message);
    if (kind == FileKind::Jpeg)
        *encoded = withKeptSegments(std::move(*encoded), std::move(kept), quarterTurns(angle) % 2 == 1, result.exif);
    if (auto written = writePictureFile(result.writtenPath, *encoded); !written)
        return failed(RotateStatus::WriteFailed, written.error().message);
    return result;
}

} // namespace imagetools
