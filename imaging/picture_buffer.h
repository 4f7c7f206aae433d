#pragma once
// Memory for large pictures. On Linux, big blocks are asked for in huge pages where the
// system allows it: a 6000 x 4000 picture otherwise costs some 18 000 page faults when it
// is first written, which on virtual machines weighs as much as the resize itself.
#include <QImage>
#include <cstddef>
#include <functional>
#include <memory>

namespace imaging {

struct FreeMemory {
    void operator()(void *p) const;
};
using PictureBuffer = std::unique_ptr<unsigned char[], FreeMemory>;

// Uninitialised memory of `bytes` bytes (null when there is none).
PictureBuffer allocatePictureBuffer(std::size_t bytes);

// A QImage over such memory (null when there is none). Rows are 4-byte aligned as usual.
QImage newLargePicture(int width, int height, QImage::Format format);

// Writes the 24-bit form of `band`, some rows of a Format_ARGB32 picture, into `out`, a
// Format_BGR888 picture of the same size.
using BandConverter = std::function<void(const QImage &band, QImage &out)>;

// Turns a Format_ARGB32 picture into a Format_BGR888 one (any other picture is returned
// as it is). When nobody else holds the picture, its 24-bit rows are written over its
// 32-bit ones in the same memory, a band of rows at a time, so a huge picture never
// exists twice; the result then keeps that memory. Otherwise a new picture is made. Null
// when memory runs out.
QImage narrowToBgr888(QImage picture, const BandConverter &convertBand);

} // namespace imaging
