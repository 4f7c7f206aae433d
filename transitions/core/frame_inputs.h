#pragma once
// The numbers every style of one frame is drawn from.
namespace transitions {

// W, H: size of the new picture. p: progress 1..99. X and Y grow from 0 to W and H at the
// same pace, measured along the longer side. I is the distance at which bars snap to
// their full length. hw, hh, a, b are halves truncated towards zero.
struct FrameInputs {
    int W = 0, H = 0, p = 0;
    int X = 0, Y = 0, I = 0;
    int hw = 0, hh = 0, a = 0, b = 0;

    static FrameInputs compute(int width, int height, int progress, int step);
};

} // namespace transitions
