#pragma once
// Memory for large pictures. On Linux, big blocks are asked for in huge pages where the
// system allows it: a 6000 x 4000 picture otherwise costs some 18 000 page faults when it
// is first written, which on virtual machines weighs as much as the resize itself.
#include <QImage>
#include <cstddef>
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

} // namespace imaging
