#include "editor/grid/thumbnail_cell.h"

#include "editor/grid/grid_geometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QGuiApplication>

namespace editor {

namespace {

const QColor kFrameGrey(128, 128, 128);

// A one-pixel outline along the border pixels of `r`, as the platform's rectangle draws it.
void outline(QPainter &painter, const QRect &r, const QColor &colour)
{
    painter.setPen(QPen(colour, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

void CellTextLine(QPainter &painter, const QRect &cell, const QString &text, int offset, int pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRect box(cell.left() + kFrameMargin, cell.top() + offset, cell.width() - 2 * kFrameMargin,
                    metrics.height());
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
                     metrics.elidedText(text, Qt::ElideRight, box.width()));
}

void DrawThumbnailCell(QPainter &painter, const QRect &cell, const TEnrData *entry, const QString &path,
                       const GridLook &look)
{
    if (!entry || path.isEmpty())
        return;
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.fillRect(cell, toQColor(entry->selected ? look.colosel : look.colonorm));
    outline(painter, cell, toQColor(look.cologrid));
    painter.fillRect(QRect(cell.left() + kFrameMargin, cell.top() + kFrameMargin, kThumbnailFrame, kThumbnailFrame),
                     Qt::white);
    if (!entry->thumbnail.isNull())
        painter.drawImage(cell.topLeft() + thumbnailOffset(entry->thumbnail.size()), entry->thumbnail);
    if (look.infoVignette) {
        painter.setPen(entry->selected ? QColor(Qt::white) : QGuiApplication::palette().color(QPalette::WindowText));
        CellTextLine(painter, cell, cellNameLine(path), kNameLineOffset, 8);
        // An entry that knows nothing of its picture yet, or only that it cannot be read
        // (the explorer lists a large folder by name first), shows its name only.
        if (entry->width > 0 || entry->height != 0 || entry->fileSize != 0 || !entry->thumbnail.isNull())
            CellTextLine(painter, cell, cellSizeLine(entry->width, entry->height, entry->fileSize), kSizeLineOffset, 6);
    }
    outline(painter, cell.adjusted(1, 1, -1, -1), kFrameGrey);
    painter.restore();
}

} // namespace editor
