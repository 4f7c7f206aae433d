#include "imaging/picture_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

QImage narrowToBgr888(QImage picture, const BandConverter &convertBand)
{
    if (picture.format() != QImage::Format_ARGB32 || picture.isNull())
        return picture;
    const int width = picture.width(), height = picture.height();
    if (!picture.isDetached()) {
        QImage out(width, height, QImage::Format_BGR888);
        if (!out.isNull())
            convertBand(picture, out);
        return out;
    }
    // Row y of the result starts at y * narrowLine <= y * wideLine, and within a row
    // pixel x lands at 3x <= 4x: the 24-bit rows of a band only cover 32-bit rows that
    // were read already, once the whole band has been converted aside.
    constexpr int kBandRows = 64;
    const qsizetype wideLine = picture.bytesPerLine(), narrowLine = (qsizetype(width) * 3 + 3) / 4 * 4;
    uchar *const memory = picture.bits();
    QImage band;
    for (int top = 0; top < height; top += kBandRows) {
        const int rows = std::min(kBandRows, height - top);
        if (band.height() != rows && (band = QImage(width, rows, QImage::Format_BGR888)).isNull())
            return {};
        const QImage wide(static_cast<const uchar *>(memory + top * wideLine), width, rows, wideLine, QImage::Format_ARGB32);
        convertBand(wide, band);
        for (int r = 0; r < rows; ++r)
            std::memmove(memory + (top + r) * narrowLine, band.constScanLine(r), size_t(width) * 3);
    }
    auto *keeper = new QImage(std::move(picture)); // owns the memory the result lives in
    return QImage(memory, width, height, narrowLine, QImage::Format_BGR888,
                  [](void *held) { delete static_cast<QImage *>(held); }, keeper);
}

} // namespace imaging
