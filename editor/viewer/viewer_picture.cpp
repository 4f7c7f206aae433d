#include "editor/viewer/viewer_picture.h"

#include "imaging/scan/picture_loading.h"
#include "imaging/jpeg_codec.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/thumbnail.h"

#include <QFile>
#include <QFileInfo>

namespace editor {

QPoint screenPosition(QSize screen, QSize picture)
{
    return {(screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2};
}

Result<QImage> loadScreenPicture(const QString &path, QSize screen, bool filterOk)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossible d'ouvrir « %1 » : %2").arg(QFileInfo(path).fileName(), file.errorString()));
    const QByteArray data = file.readAll();
    file.close();
    const QString suffix = QFileInfo(path).suffix();
    QSize full, atLeast;
    if (auto info = imaging::readJpegInfo(data)) {
        full = QSize(info->width, info->height);
        atLeast = imaging::fitToBoxSize(full, screen.width(), screen.height());
    }
    auto loaded = imaging::DecodePicture(data, suffix, path, atLeast);
    if (!loaded)
        return std::unexpected(loaded.error());
    const QImage picture = loaded->plainBitmap ? std::move(loaded->image) : toPlainBitmap(std::move(loaded->image));
    if (picture.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour afficher « %1 ».").arg(QFileInfo(path).fileName()));
    if (full.isEmpty() || picture.width() > full.width() || picture.height() > full.height())
        full = picture.size(); // not read as the JPEG its header announced
    QImage fitted = imaging::scaleByRule(picture, imaging::fitToBoxSize(full, screen.width(), screen.height()), filterOk);
    if (fitted.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour afficher « %1 ».").arg(QFileInfo(path).fileName()));
    return fitted;
}

} // namespace editor
