#include "transitions/frame_composer.h"

#include "transitions/frame_inputs.h"
#include "transitions/pixel_styles.h"
#include "transitions/random_generator.h"
#include "transitions/rect_styles.h"
#include "transitions/region_styles.h"
#include "transitions/scaled_copy.h"

#include <cstring>

namespace transitions {

namespace {

void drawClipped(const QImage &newPicture, QImage &screen, const SpanRegion &region)
{
    const int h = std::min({region.height(), newPicture.height(), screen.height()});
    const int w = std::min(newPicture.width(), screen.width());
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const std::uint32_t *>(newPicture.constScanLine(y));
        auto *out = reinterpret_cast<std::uint32_t *>(screen.scanLine(y));
        for (const Span &s : region.row(y)) {
            const int r = std::min(s.right, w);
            if (s.left < r)
                std::memcpy(out + s.left, in + s.left, std::size_t(r - s.left) * 4);
        }
    }
}

QRect drawRectStyle(int style, const FrameInputs &f, const QImage &newPicture, QImage &screen,
                    const FrameHooks &hooks)
{
    const CopyList list = rectStyleCopies(style, f);
    QRect changed;
    for (int i = 0; i < list.count; ++i) {
        const Box drawn = drawRectCopy(newPicture, screen, list.copies[std::size_t(i)]);
        changed = QRect(drawn.left, drawn.top, drawn.width(), drawn.height());
        if (i + 1 < list.count && hooks.invalidate)
            hooks.invalidate(changed);
    }
    return changed;
}

QRect drawStyle(int style, int progress, int step, const QImage &newPicture, QImage &screen,
                const FrameHooks &hooks)
{
    const QRect whole(0, 0, newPicture.width(), newPicture.height());
    const FrameInputs f = FrameInputs::compute(newPicture.width(), newPicture.height(), progress, step);
    if (style == 0) {
        copyPicture(newPicture, screen);
    } else if (isRectStyle(style)) {
        return drawRectStyle(style, f, newPicture, screen, hooks);
    } else if (isRegionStyle(style)) {
        // The random styles share the process-wide sequence; one frame draws in order.
        LinearCongruential random(RandSeed());
        const SpanRegion region = styleRegion(style, f, random);
        setRandSeed(random.seed());
        drawClipped(newPicture, screen, region);
    } else if (style == 118) {
        Fade(newPicture, screen, progress);
    } else if (isPixelStyle(style)) {
        Pivot(newPicture, screen, style, progress);
    }
    return whole;
}

// Runs draw with the picture in kFrameFormat, converting a copy only when it is not.
template <class Draw>
QRect withFrameFormat(const QImage &picture, Draw draw)
{
    if (picture.format() == kFrameFormat)
        return draw(picture);
    return draw(picture.convertToFormat(kFrameFormat));
}

} // namespace

QRect composeFrame(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int style,
                   int progress, int step, const FrameHooks &hooks)
{
    // Handlers may draw on the new picture or the screen, so neither is copied before they run.
    if (screen.format() != kFrameFormat)
        screen.convertTo(kFrameFormat);
    withFrameFormat(oldPicture, [&screen](const QImage &old) {
        copyPicture(old, screen);
        return QRect();
    });
    if (hooks.beforeNewFrame)
        hooks.beforeNewFrame();
    const bool between = progress > 0 && progress < 100;
    if (between && style == 0 && hooks.customDraw)
        hooks.customDraw();
    if (screen.format() != kFrameFormat)
        screen.convertTo(kFrameFormat);
    const QRect whole(0, 0, newPicture.width(), newPicture.height());
    if (progress <= 0)
        return whole;
    return withFrameFormat(newPicture, [&](const QImage &picture) {
        if (!between) {
            copyPicture(picture, screen);
            return whole;
        }
        return drawStyle(style, progress, step, picture, screen, hooks);
    });
}

} // namespace transitions
