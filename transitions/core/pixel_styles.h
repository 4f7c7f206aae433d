#pragma once
// The pixel styles 118..122, computed pixel by pixel from both pictures (32-bit pixels).
// The old picture may be the screen itself (already drawn onto it) or a separate picture
// of the same size, which saves copying it first.
#include <QImage>

namespace transitions {

inline bool isPixelStyle(int style) { return style >= 118 && style <= 122; }

// Style 118: every blue, green and red byte becomes (old * (100 - p) + new * p) div 100;
// the fourth byte keeps the old picture's.
void Fade(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int progress);

// Styles 119..122: the new picture turned about a pivot just outside one corner by
// (100 - p) * 90 / 100 degrees, in 16.16 fixed point; screen pixels it does not reach show
// the old picture.
void Pivot(const QImage &oldPicture, const QImage &newPicture, QImage &screen, int style, int progress);

} // namespace transitions
