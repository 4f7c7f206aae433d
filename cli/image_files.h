#pragma once
// Reading and writing the pictures lumivelle-cli works on, chosen by extension: PNG,
// PPM (binary P6) and JPEG. Pictures come back 24-bit where the file is (PPM, JPEG).
#include "base/result.h"

#include <QImage>
#include <QString>

namespace cli {

Result<QImage> loadPictureForCli(const QString &path);

// Writes atomically; `jpegQuality` applies to .jpg/.jpeg files.
Result<void> savePictureForCli(const QImage &picture, const QString &path, int jpegQuality = 90);

} // namespace cli
