#pragma once
// Loading image files into pictures: the extensions the program recognises and the
// reader of each.
//
// Which reader decodes a file:
//   1. the reader of the file's extension (compared without regard to case);
//   2. when that fails, or the extension is not ours, the reader whose signature the
//      content carries (a PNG file named .jpg is read as PNG);
//   3. otherwise the first failure is reported.
//
// Photos stand as the camera meant them: a JPEG or TIFF file whose orientation tag says
// the picture is stored turned or mirrored (values 2 to 8) comes back upright, with its
// upright width and height, while the process-wide switch setAutoOrient is on (it is by
// default; the editor follows its "AutoOrient" setting). JPEG rows are put at their
// upright places as they are decoded, with no second copy of the picture. A caller that
// scales the picture down first may take it as stored and turn the small result itself
// (PictureRequest::callerTurns). Pictures without the tag, or with the value 1, are read
// exactly as before.
#include "base/result.h"
#include "imaging/orientation.h"
#include "imaging/readers/reader_registry.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

namespace imaging {

// The switch: true by default. Read by every load that does not say otherwise.
void setAutoOrient(bool on);
bool autoOrient();

enum class Orienting {
    Setting,  // upright when the switch is on
    Upright,  // upright whatever the switch says
    AsStored, // the rows and columns as the file stores them
};

struct PictureRequest {
    // A JPEG may come back at a reduced DCT scale (1/2, 1/4, 1/8) that is still at least
    // this large (upright); other formats ignore it. When `atLeastFor` is given it wins:
    // it gets the picture's full upright size (known from the header) and returns the bound.
    QSize atLeast;
    std::function<QSize(QSize fullUpright)> atLeastFor;
    Orienting orienting = Orienting::Setting;
    // The pixels stay as stored; LoadedPicture::turn says what makes them upright.
    bool callerTurns = false;
};

struct LoadedPicture {
    // QImage::Format_BGR888, or QImage::Format_ARGB32 when the file has alpha.
    QImage image;
    // True for the Windows bitmap family (.bmp, .rle, .dib files read as such).
    bool plainBitmap = false;
    QString family;
    // The picture's own size, upright; `image` is smaller after a reduced JPEG decode.
    QSize fullSize;
    // With callerTurns, the turn that makes `image` upright; otherwise Normal.
    Orientation turn = Orientation::Normal;
};

// Loads a file. Failures carry a short French message.
Result<LoadedPicture> LoadPicture(const QString &path, const PictureRequest &request);
Result<LoadedPicture> LoadPicture(const QString &path, QSize atLeast = {});

// The same from bytes already in memory; `extension` chooses the reader as a file name's
// would, `path` (may be empty) is where companion files are looked for.
Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path,
                                    const PictureRequest &request);
Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path = {},
                                    QSize atLeast = {});

// Width and height without decoding the pixels where the format allows it; upright by
// the same rule as the loads.
Result<QSize> ReadPictureSize(const QString &path, Orienting orienting = Orienting::Setting);

} // namespace imaging
