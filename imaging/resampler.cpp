#include "imaging/resampler.h"

#include "imaging/picture_buffer.h"
#include "imaging/resample_plan.h"
#include "imaging/resample_rows.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>
#include <vector>

namespace imaging {
namespace {

using namespace detail;

// The working bitmap between the passes: rows padded so both row loops may read and
// write whole blocks past the last pixel.
struct WorkBitmap {
    std::ptrdiff_t stride = 0;
    PictureBuffer bytes;

    WorkBitmap(int width, int height)
        : stride(std::ptrdiff_t((3 * width + 1 + 31) / 32 * 32)),
          bytes(allocatePictureBuffer(std::size_t(stride) * std::size_t(height) + 32))
    {
        if (!bytes)
            throw std::bad_alloc();
    }
    uchar *row(int y) { return bytes.get() + y * stride; }
    const uchar *data() const { return bytes.get(); }
};

int roundUp32(int n)
{
    return (n + 31) / 32 * 32;
}

void horizontalBand(const HorizontalPlan &plan, const QImage &source, WorkBitmap &work,
                    int firstRow, int endRow, bool simd)
{
    std::vector<uchar> ext0(plan.extBytes()), ext1(plan.extBytes());
    std::vector<uchar> spare(std::size_t(work.stride));
    int y = firstRow;
    if (simd) {
        for (; y + 1 < endRow; y += 2) {
            fillExtendedLine(plan, source.constScanLine(y), ext0.data());
            fillExtendedLine(plan, source.constScanLine(y + 1), ext1.data());
            horizontalRowPairAvx2(plan, ext0.data(), ext1.data(), work.row(y), work.row(y + 1));
        }
        if (y < endRow) {
            fillExtendedLine(plan, source.constScanLine(y), ext0.data());
            horizontalRowPairAvx2(plan, ext0.data(), ext0.data(), work.row(y), spare.data());
        }
        return;
    }
    for (; y < endRow; ++y) {
        fillExtendedLine(plan, source.constScanLine(y), ext0.data());
        horizontalRowGeneric(plan, ext0.data(), work.row(y));
    }
}

// The target's rows: taken once, so the bands never call into QImage concurrently.
struct TargetRows {
    uchar *bits;
    std::ptrdiff_t bytesPerLine;
    int rowBytes;
};

void verticalBand(const VerticalPlan &plan, const WorkBitmap &work, const TargetRows &target,
                  int firstRow, int endRow, bool simd)
{
    const int rowBytes = target.rowBytes;
    std::vector<uchar> out(std::size_t(roundUp32(rowBytes)));
    std::vector<std::int32_t> acc(simd ? 0 : std::size_t(rowBytes));
    for (int y = firstRow; y < endRow; ++y) {
        if (simd)
            verticalRowAvx2(plan, y, work.data(), work.stride, rowBytes, out.data());
        else
            verticalRowGeneric(plan, y, work.data(), work.stride, rowBytes, acc.data(), out.data());
        std::copy_n(out.data(), rowBytes, target.bits + y * target.bytesPerLine);
    }
}

// Runs band(first, end) over 0..rows, split in two at an even row when two threads are
// asked for and there is enough work to share. Nothing thrown leaves the helper thread: it
// is thrown again on the calling thread once both halves are done.
template <class Band>
void runInBands(int rows, int threads, Band band)
{
    if (threads < 2 || rows < 16) {
        band(0, rows);
        return;
    }
    const int middle = rows / 2 / 2 * 2;
    std::exception_ptr helperFailure, ownFailure;
    std::thread helper([&] {
        try {
            band(middle, rows);
        } catch (...) {
            helperFailure = std::current_exception();
        }
    });
    try {
        band(0, middle);
    } catch (...) {
        ownFailure = std::current_exception();
    }
    helper.join();
    if (ownFailure || helperFailure)
        std::rethrow_exception(ownFailure ? ownFailure : helperFailure);
}

void stretchInto(const QImage &source, QImage &target, ResampleKernel kernel, float radius,
                 const StretchOptions &options)
{
    const bool simd = options.allowSimd && cpuHasAvx2();
    const int dw = target.width(), dh = target.height();
    WorkBitmap work(dw, source.height());
    {
        const HorizontalPlan plan = buildHorizontalPlan(source.width(), dw, kernel, radius);
        runInBands(source.height(), options.threads, [&](int first, int end) {
            horizontalBand(plan, source, work, first, end, simd);
        });
    }
    const VerticalPlan plan = buildVerticalPlan(source.height(), dh, kernel, radius);
    const TargetRows rows{target.bits(), std::ptrdiff_t(target.bytesPerLine()), 3 * dw};
    runInBands(dh, options.threads, [&](int first, int end) {
        verticalBand(plan, work, rows, first, end, simd);
    });
}

Failure noMemory()
{
    return Failure{QStringLiteral("Mémoire insuffisante pour redimensionner l'image")};
}

} // namespace

Result<void> StretchBitmap(int newWidth, int newHeight, ResampleKernel kernel, float radius,
                           QImage &source, QImage &target, const StretchOptions &options)
{
    if (source.isNull())
        return fail(QStringLiteral("Aucune image à redimensionner"));
    if (newWidth < 1 || newHeight < 1)
        return fail(QStringLiteral("Taille demandée invalide : %1 x %2").arg(newWidth).arg(newHeight));
    if (radius == 0.0f)
        radius = defaultRadius(kernel);
    source.convertTo(QImage::Format_BGR888);
    const QImage input = source; // shares the pixels; keeps them alive if target is source
    target = newLargePicture(newWidth, newHeight, QImage::Format_BGR888);
    if (input.isNull() || target.isNull()) {
        target = QImage();
        return std::unexpected(noMemory());
    }
    try {
        stretchInto(input, target, kernel, radius, options);
    } catch (const std::bad_alloc &) {
        target = QImage();
        return std::unexpected(noMemory());
    }
    return {};
}

Result<void> ResizeBitmap(QImage &source, QImage &target, int newWidth, int newHeight,
                          int listIndex, const StretchOptions &options)
{
    if (listIndex < 0 || listIndex >= kFilterListCount)
        return {};
    if (listIndex > 0)
        return StretchBitmap(newWidth, newHeight, ResampleKernel(listIndex - 1), 0.0f, source,
                             target, options);
    if (source.isNull())
        return fail(QStringLiteral("Aucune image à redimensionner"));
    QImage stretched = plainStretch(source, newWidth, newHeight);
    if (stretched.isNull())
        return fail(QStringLiteral("Taille demandée invalide : %1 x %2").arg(newWidth).arg(newHeight));
    target = std::move(stretched);
    return {};
}

} // namespace imaging
