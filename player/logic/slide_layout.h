#pragma once
// How a slide is laid out in the player's window: the caption line under the picture,
// the area left for the picture, fitting the picture into it, the one-pixel border and
// when the screen is cleared before the transition.
#include "base/colour.h"
#include "base/result.h"

#include <QImage>
#include <QSize>
#include <cstdint>

namespace player {

// The caption line: 29 pixels high, along the bottom of the window.
inline constexpr int kCaptionLineHeight = 29;

// The area a picture may take: the whole window, or above the caption line and one
// pixel more when a caption is shown.
QSize availablePictureArea(QSize window, bool captionShown);

// Scales `picture` down to fit `area`, proportions kept, never enlarged: with
// maxQuality the Triangle filter (24-bit result), otherwise a plain stretch that keeps
// the pixel format. Fails when memory runs out; the picture is then left as it was.
Result<void> fitSlidePicture(QImage &picture, QSize area, bool maxQuality);

// Paints the outermost rows and columns of `picture` in `colour`.
void drawSlideBorder(QImage &picture, Colour colour);

// The transition starts from the bare background when the new picture is narrower or
// lower than the one the control holds, or when the style is 0.
bool clearsBeforeTransition(QSize fitted, QSize current, int style);

// Styles are 0..127; anything else (a damaged or hand-made payload) is shown with style
// 0, the style of a new slide: the picture appears at once on a cleared screen.
int slideStyle(std::int32_t stored);

} // namespace player
