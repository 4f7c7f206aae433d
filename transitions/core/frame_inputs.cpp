#include "transitions/core/frame_inputs.h"

#include "base/rounding.h"

namespace transitions {

FrameInputs FrameInputs::compute(int width, int height, int progress, int step)
{
    FrameInputs f;
    f.W = width;
    f.H = height;
    f.p = progress;
    if (height > width) {
        f.Y = MulDiv(height, progress, 100);
        f.X = MulDiv(f.Y, width, height);
        f.I = MulDiv(height, step, 90);
    } else if (width > 0) {
        f.X = MulDiv(width, progress, 100);
        f.Y = MulDiv(f.X, height, width);
        f.I = MulDiv(width, step, 90);
    }
    f.hw = width / 2;
    f.hh = height / 2;
    f.a = f.X / 2;
    f.b = f.Y / 2;
    return f;
}

} // namespace transitions
