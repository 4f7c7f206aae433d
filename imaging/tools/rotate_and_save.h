#pragma once
// Turning a picture file and writing the result back: BMP and JPEG files are rewritten in
// place (JPEG at quality 100, keeping their metadata segments), other formats give a BMP
// or JPEG file of the same name beside them and stay as they were.
#include "imaging/tools/jpeg_metadata.h"

#include <QString>
#include <functional>
#include <optional>

namespace imagetools {

// The format a file the tools cannot write is saved in.
enum class SaveFormat { Bitmap, Jpeg };

// What a file's extension, compared in lower case, lets the rotation do with it.
enum class FileKind { Bitmap, Jpeg, Other };
FileKind fileKindOf(const QString &path);

// The path with its extension (the part after the last dot of the file name, if any)
// replaced by ".bmp" or ".jpg"; the rest keeps its letter case.
QString besidePath(const QString &path, SaveFormat format);

enum class RotateStatus {
    WrittenOverFile, // a BMP or JPEG file was rewritten
    WrittenBeside,   // a BMP or JPEG file was written beside the file of another format
    Missing,         // no file at the path
    Unreadable,      // the picture could not be read: nothing was written
    Cancelled,       // the format question was cancelled: nothing was written
    WriteFailed,     // encoding or writing failed: the files are as they were
};

struct RotateResult {
    RotateStatus status = RotateStatus::Unreadable;
    QString writtenPath; // the file written, for the two written statuses
    QString failure;     // the reason, for the failed statuses
    ExifPatch exif;      // what the EXIF block of a rewritten JPEG file says now
};

// Asked only for formats other than BMP and JPEG; nothing means cancel.
using FormatQuestion = std::function<std::optional<SaveFormat>()>;

inline constexpr int kRotatedJpegQuality = 100;

// Loads `path` with the image readers, turns it counter-clockwise by `angle` (90, 180 or
// 270) and writes it as above. A JPEG file whose head carries an EXIF block, a comment or
// an IPTC segment keeps them: they are written back in front of the new stream (see
// spliceKeptSegments), the EXIF block patched to describe the turned picture (see
// patchTurnedExif); when that fails the file is written as encoded.
RotateResult RotateAndSave(int angle, const QString &path, const FormatQuestion &askFormat);

} // namespace imagetools
