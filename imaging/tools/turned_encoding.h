#pragma once
// Encoding a turned picture without making the whole turned picture first. For JPEG the
// rows are turned a band at a time into a small buffer the encoder reads while it is
// still in the cache; for BMP they are turned straight into the file's bytes. The bytes
// are those encodeJpeg and encodeBmp24 give for the picture RotateBitmap returns; a
// 24-megapixel photo is spared 72 MB of new memory and two passes over it.
#include "base/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace imagetools {

// A JPEG stream written `streamStart` bytes into `bytes`, the bytes in front left for the
// caller (the metadata segments of a rotated file, spliceKeptSegmentsInPlace).
struct RoomyJpeg {
    QByteArray bytes;
    qsizetype streamStart = 0;
    QByteArrayView stream() const { return QByteArrayView(bytes).sliced(streamStart); }
};

// `bitmap` 24-bit, `angle` as RotateBitmap takes it, `quality` 1..100, `room` the bytes
// kept free in front of the stream.
Result<RoomyJpeg> encodeTurnedJpeg(const QImage &bitmap, int angle, int quality, qsizetype room = 0);
Result<QByteArray> encodeTurnedBmp24(const QImage &bitmap, int angle);

} // namespace imagetools
