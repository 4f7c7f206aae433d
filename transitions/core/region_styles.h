#pragma once
// The region styles 58..117 and 123..127: each frame reveals the new picture inside a
// region of pixels built from rectangles, rounded rectangles and triangles.
#include "transitions/core/frame_inputs.h"
#include "transitions/core/random_generator.h"
#include "transitions/core/span_region.h"

namespace transitions {

inline bool isRegionStyle(int style) { return (style >= 58 && style <= 117) || (style >= 123 && style <= 127); }

// Bars 5 pixels thick on a 10-pixel pitch. Horizontal bars (mode h) run to extent A against
// the width, vertical bars (mode v) to extent V against the height; mode 0 adds nothing.
// Mode 1 grows from the right (bottom), 2 from the left (top), 3 from both sides at once,
// 4 from the left (top) and then the right (bottom), 5 the other way round. An extent past
// the full size fills the bands in between; within snap of it a first-phase bar is full.
SpanRegion BarsRegion(const FrameInputs &f, int A, int V, int h, int v, int snap);

// Strips 5 pixels wide whose lengths are jittered by two random draws each; horizontal
// strips are drawn before vertical ones. Modes: 1 from the right (bottom), 2 from the left
// (top), 3 out from the middle, 4 in to the middle.
SpanRegion ShredsRegion(const FrameInputs &f, int A, int V, int h, int v, LinearCongruential &random);

// A band growing from one edge with a fringe of random squares ahead of it. Modes: 1 from
// the right (bottom), 2 from the left (top).
SpanRegion SpeckleRegion(const FrameInputs &f, int A, int V, int h, int v, LinearCongruential &random);

// Squares two cells wide centred on grid points, each kept with probability p/100.
SpanRegion RandomSquaresRegion(const FrameInputs &f, LinearCongruential &random);

// The region of a region style for one frame.
SpanRegion styleRegion(int style, const FrameInputs &f, LinearCongruential &random);

} // namespace transitions
