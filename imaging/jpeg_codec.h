#pragma once
// JPEG decoding and encoding over libjpeg-turbo.
//
// Decoded pictures are always 24-bit (QImage::Format_BGR888), whatever the file holds:
// greyscale, YCbCr, RGB, CMYK or YCCK (Adobe files store CMYK inverted, as Photoshop
// writes it), baseline or progressive. Every decoder or encoder error, and a file that
// ends before its last scan, comes back as a Failure carrying the decoder's message; the
// codec never aborts the program.
#include "base/result.h"
#include "imaging/orientation.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace imaging {

struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0; // 1 grey, 3 colour, 4 CMYK/YCCK
};

// Reads the header only (size and number of components).
Result<JpegInfo> readJpegInfo(QByteArrayView data);

// The inverse DCT a decode uses: the accurate one, or the fast integer one, which is good
// enough for small thumbnails decoded by the thousand (an album's).
enum class JpegDct { Accurate, Fast };

// Decodes a complete JPEG. With a non-empty `atLeast`, decodes at the smallest DCT scale
// among 1/8, 1/4, 1/2 and 1 whose output is still at least atLeast.width() wide and
// atLeast.height() high (full size when no reduced scale is large enough). `turn` puts
// the rows at their upright places as they are decoded (see imaging/orientation.h); the
// picture and `atLeast` are then both upright.
Result<QImage> decodeJpeg(QByteArrayView data, QSize atLeast = {}, JpegDct dct = JpegDct::Accurate,
                          Orientation turn = Orientation::Normal);
Result<QImage> loadJpegFile(const QString &path, QSize atLeast = {});

// The DCT scale denominator (1, 2, 4 or 8) decodeJpeg picks for a picture of `full` size.
int jpegScaleDenominator(QSize full, QSize atLeast);

// Encodes a baseline colour JFIF file at `quality` (1..100). Any picture format is
// accepted; it is converted to 24-bit first.
Result<QByteArray> encodeJpeg(const QImage &picture, int quality);
// Encodes and writes atomically (a failure never leaves a truncated file behind).
Result<void> saveJpegFile(const QImage &picture, const QString &path, int quality);

} // namespace imaging
