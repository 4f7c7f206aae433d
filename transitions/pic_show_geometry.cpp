#include "transitions/pic_show_geometry.h"

#include "base/rounding.h"

namespace transitions {

QRect FitRect(const QRect &aspect, const QRect &target)
{
    const int aw = aspect.width(), ah = aspect.height(), tw = target.width(), th = target.height();
    if (aw <= 0 || ah <= 0)
        return QRect(target.center(), QSize(0, 0));
    int w = 0, h = 0;
    if (double(th) / ah > double(tw) / aw) {
        w = tw;
        h = MulDiv(ah, tw, aw);
    } else {
        h = th;
        w = MulDiv(aw, th, ah);
    }
    return QRect(target.left() + (tw - w) / 2, target.top() + (th - h) / 2, w, h);
}

QRect CalcPictureRect(QSize picture, QSize client, bool center)
{
    QRect r(QPoint(0, 0), picture);
    if (center)
        r.translate((client.width() - picture.width()) / 2, (client.height() - picture.height()) / 2);
    return r;
}

QRect pictureTarget(const PictureLayout &layout)
{
    const QRect client(QPoint(0, 0), layout.client);
    if (!layout.stretch)
        return layout.pictureRect;
    return layout.stretchFine ? FitRect(layout.pictureRect, client) : client;
}

QRect pictureToClient(const QRect &area, const PictureLayout &layout)
{
    if (area.isEmpty())
        return {};
    const QRect &pic = layout.pictureRect;
    if (!layout.stretch)
        return area.translated(pic.topLeft()).intersected(pic);
    if (pic.width() <= 0 || pic.height() <= 0)
        return {};
    const QRect t = pictureTarget(layout);
    // Each edge is scaled on its own, so neighbouring areas meet without gaps.
    const int left = t.left() + MulDiv(area.left(), t.width(), pic.width());
    const int right = t.left() + MulDiv(area.left() + area.width(), t.width(), pic.width());
    const int top = t.top() + MulDiv(area.top(), t.height(), pic.height());
    const int bottom = t.top() + MulDiv(area.top() + area.height(), t.height(), pic.height());
    return QRect(left, top, right - left, bottom - top);
}

int nextProgress(int progress, int step, bool reverse)
{
    if (reverse)
        return progress <= step ? 0 : progress - step;
    return progress >= 100 - step ? 100 : progress + step;
}

} // namespace transitions
