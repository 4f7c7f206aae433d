#include "imaging/picture_buffer.h"

#include <cstdlib>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace imaging {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

} // namespace

void FreeMemory::operator()(void *p) const
{
    std::free(p);
}

PictureBuffer allocatePictureBuffer(std::size_t bytes)
{
    if (bytes < kHugePage)
        return PictureBuffer(static_cast<unsigned char *>(std::malloc(bytes == 0 ? 1 : bytes)));
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *memory = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__)
    if (memory)
        madvise(memory, rounded, MADV_HUGEPAGE); // only a hint: failure changes nothing
#endif
    return PictureBuffer(static_cast<unsigned char *>(memory));
}

QImage newLargePicture(int width, int height, QImage::Format format)
{
    if (width < 1 || height < 1)
        return {};
    const QImage probe(1, 1, format);
    const qsizetype bytesPerLine = (qsizetype(width) * probe.depth() + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes / height != bytesPerLine || bytes > (qsizetype(1) << 31) - 1)
        return {};
    PictureBuffer buffer = allocatePictureBuffer(std::size_t(bytes));
    if (!buffer)
        return {};
    unsigned char *data = buffer.release();
    return QImage(data, width, height, bytesPerLine, format, [](void *p) { std::free(p); }, data);
}

} // namespace imaging
