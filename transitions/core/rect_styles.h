#pragma once
// The rectangle styles 1..57: each frame is a short list of scaled copies of the new
// picture onto the screen.
#include "transitions/core/box.h"
#include "transitions/core/frame_inputs.h"
#include "transitions/core/scaled_copy.h"

#include <array>

namespace transitions {

inline bool isRectStyle(int style) { return style >= 1 && style <= 57; }

struct RectCopy {
    Box dest;
    Box source;
    Mirror mirror = Mirror::None;
};

struct CopyList {
    std::array<RectCopy, 4> copies;
    int count = 0;
    void add(Box dest, Box source, Mirror mirror = Mirror::None) { copies[std::size_t(count++)] = {dest, source, mirror}; }
};

// The copies of a rectangle style, in drawing order; empty for any other style.
CopyList rectStyleCopies(int style, const FrameInputs &f);

// The rectangle a copy draws into, before clipping to the screen; empty when it draws
// nothing. A mirror copy clips its source to the new picture and widens its destination by
// one pixel on both flipped edges.
Box drawnBox(const QImage &newPicture, const RectCopy &copy);

// Performs one copy from the new picture onto the screen and returns drawnBox.
Box drawRectCopy(const QImage &newPicture, QImage &screen, const RectCopy &copy);

} // namespace transitions
