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

// The turned picture made a band of rows at a time, for code that needs the rows in order
// and not the whole picture at once (the JPEG encoding of a rotated file). The source
// must outlive it. Bands whose first row is a multiple of 4 go fastest.
class TurnedRows {
public:
    // Refuses what RotateBitmap refuses.
    static Result<TurnedRows> make(int angle, const QImage &bitmap);
    QSize size() const;
    // Writes rows [first, last) of the turned picture to `out`, one row every `stride` bytes.
    void write(int first, int last, uchar *out, qsizetype stride) const;

private:
    TurnedRows(const QImage &source, int turns) : m_source(source), m_turns(turns) {}
    QImage m_source; // shares the caller's pixels
    int m_turns;
};

} // namespace imagetools
