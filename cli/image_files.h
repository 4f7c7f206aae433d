#pragma once
// Reading and writing the pictures lumivelle-cli works on. Any of the program's image
// formats can be read (24-bit, or 32-bit with alpha); PNG, PPM (binary P6) and JPEG are
// written, chosen by extension.
#include "base/result.h"
#include "imaging/readers/picture_loader.h"

#include <QImage>
#include <QString>

namespace cli {

// JPEG and TIFF photos come upright by their orientation tag (AsStored: as stored).
Result<QImage> loadPictureForCli(const QString &path, imaging::Orienting orienting = imaging::Orienting::Upright);

// Writes atomically; `jpegQuality` applies to .jpg/.jpeg files.
Result<void> savePictureForCli(const QImage &picture, const QString &path, int jpegQuality = 90);

} // namespace cli
