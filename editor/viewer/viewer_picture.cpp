#include "editor/viewer/viewer_picture.h"

#include "imaging/scan/picture_loading.h"
#include "imaging/thumbnail.h"

#include <QFileInfo>

namespace editor {

QPoint screenPosition(QSize screen, QSize picture)
{
    return {(screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2};
}

Result<QImage> loadScreenPicture(const QString &path, QSize screen, bool filterOk)
{
    auto loaded = loadPicture(path, [screen](QSize full) {
        return imaging::fitToBoxSize(full, screen.width(), screen.height());
    });
    if (!loaded)
        return std::unexpected(loaded.error());
    const QSize fittedSize = imaging::fitToBoxSize(loaded->fullSize, screen.width(), screen.height());
    QImage fitted = scaledUpright(*loaded, fittedSize, filterOk);
    if (fitted.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour afficher « %1 ».").arg(QFileInfo(path).fileName()));
    return fitted;
}

} // namespace editor
