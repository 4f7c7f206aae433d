#pragma once
// Loading image files into pictures: the extensions the program recognises and the
// reader of each.
//
// Which reader decodes a file:
//   1. the reader of the file's extension (compared without regard to case);
//   2. when that fails, or the extension is not ours, the reader whose signature the
//      content carries (a PNG file named .jpg is read as PNG);
//   3. otherwise the first failure is reported.
#include "base/result.h"
#include "imaging/readers/reader_registry.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace imaging {

struct LoadedPicture {
    // QImage::Format_BGR888, or QImage::Format_ARGB32 when the file has alpha.
    QImage image;
    // True for the Windows bitmap family (.bmp, .rle, .dib files read as such).
    bool plainBitmap = false;
    QString family;
};

// Loads a file. `atLeast` lets a JPEG come back at a reduced DCT scale (1/2, 1/4, 1/8)
// that is still at least that large; other formats ignore it. Failures carry a short
// French message.
Result<LoadedPicture> LoadPicture(const QString &path, QSize atLeast = {});

// The same from bytes already in memory; `extension` chooses the reader as a file name's
// would, `path` (may be empty) is where companion files are looked for.
Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path = {},
                                    QSize atLeast = {});

// Width and height without decoding the pixels where the format allows it.
Result<QSize> ReadPictureSize(const QString &path);

} // namespace imaging
