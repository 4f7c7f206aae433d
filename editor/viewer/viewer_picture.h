#pragma once
// The full-screen viewer's picture: the file read into a 24-bit bitmap, fitted to the
// screen by the fitting rule (never enlarged) and centred on it.
#include "base/result.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace editor {

// Where a picture of `picture` size sits on the screen: centred, div rounding toward zero.
QPoint screenPosition(QSize screen, QSize picture);

// The picture of `path` fitted to `screen`. A JPEG is decoded at the smallest DCT scale
// that still gives the fitted size; the size is always computed from the full picture.
// The failure carries the reader's own message.
Result<QImage> loadScreenPicture(const QString &path, QSize screen, bool filterOk);

} // namespace editor
