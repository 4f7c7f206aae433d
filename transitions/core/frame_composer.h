#pragma once
// Composition of one transition frame: the whole old picture, then the part of the new
// picture that the style reveals at this progress.
#include <QImage>
#include <QRect>
#include <functional>

namespace transitions {

// Calls out of the composition, made on the composing thread.
struct FrameHooks {
    std::function<void()> beforeNewFrame;           // the screen holds the old picture
    std::function<void()> customDraw;               // style 0, before the new picture is drawn
    std::function<void(const QRect &)> invalidate;  // every copy of a rectangle style but the last
};

// The format of all three pictures: 32-bit pixels (bytes B, G, R, 0xFF).
inline constexpr QImage::Format kFrameFormat = QImage::Format_RGB32;

// Draws one frame of the style onto the screen and returns the changed rectangle in
// picture coordinates. The old and new pictures and the screen have the new picture's
// size and kFrameFormat; drawing outside the screen is discarded. At progress 0 the frame
// is the old picture, at 100 the new one; a style outside 0..127 draws nothing between.
// Random styles draw from the process-wide generator.
QRect composeFrame(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int style,
                   int progress, int step, const FrameHooks &hooks = {});

} // namespace transitions
