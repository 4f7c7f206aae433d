#pragma once
// The thumbnail and fitting rules shared by the explorer, the show and album lists, the
// viewer and the player: proportions kept, never enlarged, sides rounded halves to even.
// With filterOk (the "FilterOk" setting) pictures are resampled with the Triangle kernel
// and come out 24-bit; otherwise a plain nearest-pixel stretch keeps the pixel format.
#include <QImage>
#include <QSize>

namespace imaging {

inline constexpr int kThumbnailBox = 100;

// Size of the thumbnail of a picture of `picture` size (the 100 x 100 box).
QSize thumbnailSize(QSize picture);
// Size of a picture fitted into maxWidth x maxHeight.
QSize fitToBoxSize(QSize picture, int maxWidth, int maxHeight);

// Both return a null picture when `picture` is null or memory runs out.
QImage MakeThumbnail(const QImage &picture, bool filterOk);
QImage FitToBox(const QImage &picture, int maxWidth, int maxHeight, bool filterOk);

// Scales `picture` to `size` by the method the rules use (a copy when the size is the same).
QImage scaleByRule(const QImage &picture, QSize size, bool filterOk);

} // namespace imaging
