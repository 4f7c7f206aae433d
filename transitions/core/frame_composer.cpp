#include "transitions/core/frame_composer.h"

#include "transitions/core/frame_inputs.h"
#include "transitions/core/pixel_styles.h"
#include "transitions/core/random_generator.h"
#include "transitions/core/rect_styles.h"
#include "transitions/core/region_drawing.h"
#include "transitions/core/region_styles.h"
#include "transitions/core/scaled_copy.h"

namespace transitions {

namespace {

// One frame between the ends. `old` is the old picture when it has not been drawn onto the
// screen yet, so each style can write every screen pixel once; null when it has been.
class StyleFrame {
public:
    StyleFrame(const QImage *old, const QImage &newPicture, QImage &screen, const FrameHooks &hooks)
        : m_old(old), m_new(newPicture), m_screen(screen), m_hooks(hooks)
    {
    }
    QRect draw(int style, const FrameInputs &f);

private:
    QRect drawRectStyle(int style, const FrameInputs &f);
    void drawRegionStyle(int style, const FrameInputs &f);

    const QImage *m_old;
    const QImage &m_new;
    QImage &m_screen;
    const FrameHooks &m_hooks;
};

QRect StyleFrame::draw(int style, const FrameInputs &f)
{
    const QRect whole(0, 0, f.W, f.H);
    if (style == 0) {
        copyPicture(m_new, m_screen);
    } else if (isRectStyle(style)) {
        return drawRectStyle(style, f);
    } else if (isRegionStyle(style)) {
        drawRegionStyle(style, f);
    } else if (style == 118) {
        Fade(m_old ? *m_old : m_screen, m_new, m_screen, f.p);
    } else if (isPixelStyle(style)) {
        Pivot(m_old ? *m_old : m_screen, m_new, m_screen, style, f.p);
    } else if (m_old) {
        copyPicture(*m_old, m_screen); // no drawing of its own
    }
    return whole;
}

QRect StyleFrame::drawRectStyle(int style, const FrameInputs &f)
{
    const CopyList list = rectStyleCopies(style, f);
    if (m_old) { // the old picture only where no copy will draw
        RectUnionBuilder covered(m_screen.width(), m_screen.height());
        for (int i = 0; i < list.count; ++i) {
            const Box b = drawnBox(m_new, list.copies[std::size_t(i)]);
            covered.add(b.left, b.top, b.right, b.bottom);
        }
        drawThroughRegion(nullptr, m_old, m_screen, covered.build());
    }
    QRect changed;
    for (int i = 0; i < list.count; ++i) {
        const Box drawn = drawRectCopy(m_new, m_screen, list.copies[std::size_t(i)]);
        changed = QRect(drawn.left, drawn.top, drawn.width(), drawn.height());
        if (i + 1 < list.count && m_hooks.invalidate)
            m_hooks.invalidate(changed);
    }
    return changed;
}

void StyleFrame::drawRegionStyle(int style, const FrameInputs &f)
{
    // The random styles share the process-wide sequence; one frame draws in order.
    LinearCongruential random(RandSeed());
    const SpanRegion region = styleRegion(style, f, random);
    setRandSeed(random.seed());
    drawThroughRegion(&m_new, m_old, m_screen, region);
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
    if (screen.format() != kFrameFormat)
        screen.convertTo(kFrameFormat);
    const QRect whole(0, 0, newPicture.width(), newPicture.height());
    const bool between = progress > 0 && progress < 100;
    // Without a handler to look at it, the old picture need not be drawn first: each style
    // then writes every pixel once. Only pictures of one size and format are taken that way.
    // Style 0's handler sees the screen, which must hold the old picture by then.
    const bool oneSize = oldPicture.size() == newPicture.size() && screen.size() == newPicture.size();
    const bool watched = hooks.beforeNewFrame || (style == 0 && hooks.customDraw);
    const bool direct = between && !watched && oneSize && oldPicture.format() == kFrameFormat
                        && newPicture.format() == kFrameFormat;
    if (direct) {
        const FrameInputs f = FrameInputs::compute(newPicture.width(), newPicture.height(), progress, step);
        return StyleFrame(&oldPicture, newPicture, screen, hooks).draw(style, f);
    }
    // Handlers may draw on the new picture or the screen, so neither is copied before they run.
    withFrameFormat(oldPicture, [&screen](const QImage &old) {
        copyPicture(old, screen);
        return QRect();
    });
    if (hooks.beforeNewFrame)
        hooks.beforeNewFrame();
    if (between && style == 0 && hooks.customDraw)
        hooks.customDraw();
    if (screen.format() != kFrameFormat)
        screen.convertTo(kFrameFormat);
    if (progress <= 0)
        return whole;
    return withFrameFormat(newPicture, [&](const QImage &picture) {
        if (!between) {
            copyPicture(picture, screen);
            return whole;
        }
        const FrameInputs f = FrameInputs::compute(picture.width(), picture.height(), progress, step);
        return StyleFrame(nullptr, picture, screen, hooks).draw(style, f);
    });
}

} // namespace transitions
