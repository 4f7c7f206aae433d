#include "player/logic/slide_layout.h"

#include "imaging/resampler.h"
#include "imaging/thumbnail.h"

#include <QPainter>
#include <QThread>
#include <algorithm>

namespace player {

QSize availablePictureArea(QSize window, bool captionShown)
{
    if (!captionShown)
        return window;
    return {window.width(), std::max(window.height() - kCaptionLineHeight - 1, 1)};
}

Result<void> fitSlidePicture(QImage &picture, QSize area, bool maxQuality)
{
    if (picture.isNull() || area.width() < 1 || area.height() < 1)
        return {};
    const QSize size = imaging::fitToBoxSize(picture.size(), area.width(), area.height());
    if (size == picture.size())
        return {};
    const QString noMemory = QStringLiteral("Mémoire insuffisante pour afficher l'image.");
    if (!maxQuality) {
        QImage stretched = imaging::plainStretch(picture, size.width(), size.height());
        if (stretched.isNull())
            return fail(noMemory);
        picture = std::move(stretched);
        return {};
    }
    // The split into two bands gives the same bytes as one thread, in about half the time.
    imaging::StretchOptions options;
    options.threads = std::min(QThread::idealThreadCount(), 2);
    QImage target;
    if (auto stretched = imaging::StretchBitmap(size.width(), size.height(), imaging::ResampleKernel::Triangle,
                                                0.0f, picture, target, options);
        !stretched)
        return fail(noMemory);
    picture = std::move(target);
    return {};
}

void drawSlideBorder(QImage &picture, Colour colour)
{
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(colour));
    const int w = picture.width(), h = picture.height();
    painter.drawRect(0, 0, w, 1);
    painter.drawRect(0, h - 1, w, 1);
    painter.drawRect(0, 0, 1, h);
    painter.drawRect(w - 1, 0, 1, h);
}

bool clearsBeforeTransition(QSize fitted, QSize current, int style)
{
    return fitted.width() < current.width() || fitted.height() < current.height() || style == 0;
}

int slideStyle(std::int32_t stored)
{
    return stored >= 0 && stored <= 127 ? int(stored) : 0;
}

} // namespace player
