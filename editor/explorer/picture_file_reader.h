#pragma once
// The explorer's door to the image readers: the extensions they know and the decoding of
// a file's bytes into a picture.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace editor {

bool isKnownImageExtension(const QString &suffix);
// The picture in `data` (the bytes of `path`); null when it cannot be decoded.
QImage readPictureFile(const QString &path, const QByteArray &data);

} // namespace editor
