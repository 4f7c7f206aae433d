#pragma once
// Where the picture of the transition control lies in its client area, and the progress
// sequence of a run.
#include <QRect>

namespace transitions {

// The largest rectangle of the aspect's proportions that fits the target, centred in it.
QRect FitRect(const QRect &aspect, const QRect &target);

// The screen bitmap's place in the client area: at (0, 0), or centred when center is on.
QRect CalcPictureRect(QSize picture, QSize client, bool center);

// How the picture is drawn in the client area.
struct PictureLayout {
    QRect pictureRect;
    QSize client;
    bool stretch = false;
    bool stretchFine = false;
};

// Where the picture is drawn: the picture rectangle, or with stretch the fitted rectangle
// (stretchFine) or the whole client area.
QRect pictureTarget(const PictureLayout &layout);

// A rectangle of the picture (0..width, 0..height) in client coordinates.
QRect pictureToClient(const QRect &area, const PictureLayout &layout);

// The next progress of a run: forward by step up to 100, or with reverse down to 0.
int nextProgress(int progress, int step, bool reverse);
inline bool progressAtEnd(int progress, bool reverse) { return reverse ? progress <= 0 : progress >= 100; }

} // namespace transitions
