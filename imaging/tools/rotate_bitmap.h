#pragma once
// Turning 24-bit pictures by quarter turns, counter-clockwise: 90 is a quarter turn to the
// left, 270 a quarter turn to the right. The rotation copies whole rows (half turn) or
// square tiles (quarter turns), never pixel by pixel through a call.
#include "base/result.h"

#include <QImage>

namespace imagetools {

inline const QString kNot24BitMessage = QStringLiteral("Le bitmap doit avoir 16 millions de couleurs !");
inline const QString kBadAngleMessage = QStringLiteral("Angles négatif impossible");

// A new picture holding `bitmap` turned counter-clockwise by `angle`; the input is left as
// it is and the result has its pixel format. Angle 0 (or any multiple of 360, negative
// ones included) gives a copy. Refused: a picture that is not 24-bit, a non-negative angle
// that is not a multiple of 90, any other negative angle, and lack of memory.
Result<QImage> RotateBitmap(int angle, const QImage &bitmap);

// The quarter turns counter-clockwise (0..3) an accepted angle makes.
int quarterTurns(int angle);

} // namespace imagetools
