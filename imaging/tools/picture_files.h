#pragma once
// Reading and writing the picture files the image tools work on.
//
// Every write goes through a temporary file in the target's folder that replaces the
// target only once it is complete and flushed (base/atomic_file.h): a write that fails
// half-way, on a full disk or in a folder the user may not write to, leaves the old file
// exactly as it was. The replacing file keeps the permissions of the one it replaces.
// Paths are used exactly as given: file names keep their letter case.
#include "base/result.h"
#include "imaging/readers/picture_loader.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

namespace imagetools {

// A picture loaded for the tools: 24-bit (QImage::Format_BGR888) whatever the file holds,
// pictures with alpha drawn over white.
struct ToolPicture {
    QImage bitmap;
    bool plainBitmap = false; // the file was a Windows bitmap
};

// Loads `path` with the image readers and draws it onto a 24-bit picture.
Result<ToolPicture> loadToolPicture(const QString &path);
// The same from bytes already read (`path` names the file: its extension chooses the reader).
Result<ToolPicture> decodeToolPicture(QByteArrayView bytes, const QString &path);

// A 24-bit Windows bitmap file (BITMAPINFOHEADER, rows bottom-up, each padded to 4 bytes)
// of any picture; nothing when the picture is null or too large for the format.
Result<QByteArray> encodeBmp24(const QImage &picture);
// The same for a picture of `size` whose 24-bit rows `fill` writes: the top row at
// `topRow`, each next one `stride` bytes further (the stride is negative: the file holds
// the rows bottom-up). The padding of each row is zero.
Result<QByteArray> encodeBmp24Rows(QSize size, const std::function<void(uchar *topRow, qsizetype stride)> &fill);

// Writes `bytes` as the whole content of `path` by the rule above.
Result<void> writePictureFile(const QString &path, QByteArrayView bytes);

} // namespace imagetools
