#pragma once
// The resampling algorithm written out the plain way: contributor lists built for each
// output pixel, three integer scratch arrays per line, one hardware division per channel.
// The library's row loops must give exactly these bytes.
#include "imaging/resample_kernels.h"

#include <QImage>

namespace testing_support {

QImage referenceStretch(int newWidth, int newHeight, imaging::ResampleKernel kernel, float radius,
                        QImage source);

// Pictures of random bytes, reproducible from `seed`.
QImage randomPicture(int width, int height, unsigned seed,
                     QImage::Format format = QImage::Format_BGR888);

// The bytes of the picture's pixels, row by row without line padding.
QByteArray pixelBytes(const QImage &picture);

} // namespace testing_support
