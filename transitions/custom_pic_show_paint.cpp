// TCustomPicShow: size, placement and painting. Each paint is drawn into a client-sized
// buffer first; the buffer is also what the next transition captures as its old picture.
#include "transitions/custom_pic_show.h"

#include "transitions/core/frame_composer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>

namespace transitions {

void TCustomPicShow::AdjustSize()
{
    if (m_picture.isNull() || m_align == alClient)
        return;
    const int w = (m_align == alTop || m_align == alBottom) ? width() : m_picture.width();
    const int h = (m_align == alLeft || m_align == alRight) ? height() : m_picture.height();
    resize(w, h);
}

void TCustomPicShow::updatePictureRect()
{
    QSize size;
    {
        std::lock_guard lock(m_screenCanvas);
        size = m_screen.size();
    }
    m_pictureRect = CalcPictureRect(size, this->size(), m_center);
}

void TCustomPicShow::invalidateIfShown()
{
    bool shown = false;
    {
        std::lock_guard lock(m_screenCanvas);
        shown = !m_screen.isNull();
    }
    if (shown && !m_painting)
        update();
}

PictureLayout TCustomPicShow::layout() const
{
    return {m_pictureRect, size(), m_stretch, m_stretchFine};
}

// The part of the last paint where the new picture is going to appear, scaled to the old
// picture's size; white where nothing was painted.
void TCustomPicShow::capturePaintBuffer(QImage &oldPicture)
{
    oldPicture.fill(Qt::white);
    const QRect client(QPoint(0, 0), size());
    QRect capture = m_pictureRect;
    if (m_stretch)
        capture = m_stretchFine ? FitRect(m_pictureRect, client) : client;
    std::lock_guard lock(m_bufferCanvas);
    if (m_paintBuffer.isNull() || capture.isEmpty())
        return;
    QPainter painter(&oldPicture);
    painter.drawImage(oldPicture.rect(), m_paintBuffer, capture);
}

void TCustomPicShow::paintEvent(QPaintEvent *event)
{
    if (m_painting)
        return;
    m_painting = true;
    const auto done = qScopeGuard([this] {
        m_paintDone.set();
        m_painting = false;
    });
    std::lock_guard lock(m_bufferCanvas);
    const bool resized = m_paintBuffer.size() != size();
    if (resized)
        m_paintBuffer = QImage(size(), kFrameFormat);
    if (m_paintBuffer.isNull())
        return;
    {
        QPainter painter(&m_paintBuffer);
        if (!resized) // the rest of the buffer still shows the last paint
            painter.setClipRegion(event->region());
        painter.fillRect(m_paintBuffer.rect(), Color());
        drawBackground(painter);
        drawScreen(painter);
    }
    QPainter(this).drawImage(event->rect(), m_paintBuffer, event->rect());
}

void TCustomPicShow::drawBackground(QPainter &painter)
{
    if (m_bgPicture.isNull())
        return;
    const int bw = m_bgPicture.width(), bh = m_bgPicture.height();
    switch (m_bgMode) {
    case bmNone:
        break;
    case bmTiled:
        for (int i = 0; i <= height() / bh; ++i)
            for (int j = 0; j <= width() / bw; ++j)
                painter.drawImage(j * bw, i * bh, m_bgPicture);
        break;
    case bmStretched:
        painter.drawImage(rect(), m_bgPicture);
        break;
    case bmCentered:
        painter.drawImage((width() - bw) / 2, (height() - bh) / 2, m_bgPicture);
        break;
    }
}

void TCustomPicShow::drawScreen(QPainter &painter)
{
    std::lock_guard lock(m_screenCanvas);
    if (m_screen.isNull())
        return;
    if (!m_stretch)
        painter.drawImage(m_pictureRect.topLeft(), m_screen);
    else
        painter.drawImage(pictureTarget(layout()), m_screen);
}

void TCustomPicShow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_picture.isNull())
        return;
    updatePictureRect();
    invalidateIfShown();
}

void TCustomPicShow::showEvent(QShowEvent *event)
{
    m_hasWindow = true;
    QWidget::showEvent(event);
}

void TCustomPicShow::hideEvent(QHideEvent *event)
{
    m_hasWindow = false;
    QWidget::hideEvent(event);
}

void TCustomPicShow::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (m_onMouseEnter)
        m_onMouseEnter(this);
}

void TCustomPicShow::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_onMouseLeave)
        m_onMouseLeave(this);
}

} // namespace transitions
