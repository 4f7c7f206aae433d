// Text, bitmaps and clipping of the metafile canvas.
#include "imaging/readers/metafile_canvas.h"

#include <QFontMetricsF>
#include <cmath>

namespace imaging::readers {
namespace {

constexpr double kLargestFont = 4096; // picture pixels
constexpr qsizetype kLongestText = 4096; // characters of one text record

std::optional<QPainter::CompositionMode> bitmapComposition(quint32 rop)
{
    switch (rop >> 16) {
    case 0xCC: return QPainter::CompositionMode_SourceOver;   // SRCCOPY
    case 0xEE: return QPainter::RasterOp_SourceOrDestination; // SRCPAINT
    case 0x88: return QPainter::RasterOp_SourceAndDestination; // SRCAND
    case 0x66: return QPainter::RasterOp_SourceXorDestination; // SRCINVERT
    case 0x33: return QPainter::RasterOp_NotSource;            // NOTSRCCOPY
    case 0xAA: return std::nullopt;                            // leaves the destination
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QRect pixelRect(const QRectF &picture)
{
    const QRectF r = picture.normalized();
    return QRect(QPoint(int(std::lround(r.left())), int(std::lround(r.top()))),
                 QPoint(int(std::lround(r.right())) - 1, int(std::lround(r.bottom())) - 1));
}

bool finiteRect(const QRectF &r)
{
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height())
        && std::abs(r.x()) < 1e7 && std::abs(r.y()) < 1e7 && std::abs(r.width()) < 1e7 && std::abs(r.height()) < 1e7;
}

QString faceFor(const QString &face)
{
    if (face.isEmpty() || face.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0
        || face.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return face;
}

} // namespace

QFont MetafileCanvas::qtFont(double pixelSize) const
{
    const GdiFont &f = m_state.font;
    QFont font(faceFor(f.face));
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    font.setWeight(QFont::Weight(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

// Text is drawn upright in picture space whatever the mapping: the font's logical height
// is scaled by the mapping's vertical scale, the reference point by the whole mapping.
void MetafileCanvas::text(const TextRun &run)
{
    if (!m_canDrawText || run.text.isEmpty())
        return;
    const QTransform t = logicalToPicture();
    const bool updatePosition = m_state.textAlign & 1;
    const QPointF reference = t.map(updatePosition ? m_state.position : run.reference);
    const double logicalHeight = m_state.font.height == 0 ? 12 : std::abs(m_state.font.height);
    const double pixelSize = QLineF(t.map(QPointF(0, 0)), t.map(QPointF(0, logicalHeight))).length();
    if (!finiteRect(QRectF(reference, QSizeF(pixelSize, pixelSize))) || pixelSize > kLargestFont || pixelSize < 0.5)
        return;
    if (!prepare())
        return;
    const QString text = run.text.left(kLongestText);
    const QFont font = qtFont(pixelSize);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const int align = m_state.textAlign;
    double dx = (align & 6) == 6 ? -width / 2 : (align & 6) == 2 ? -width : 0;
    double dy = (align & 24) == 24 ? 0 : (align & 8) ? -metrics.descent() : metrics.ascent();
    m_painter.save();
    if (run.opaqueRect && finiteRect(t.mapRect(*run.opaqueRect)))
        m_painter.fillRect(t.mapRect(*run.opaqueRect), QColor::fromRgb(m_state.backgroundColour));
    if (run.clipRect && finiteRect(t.mapRect(*run.clipRect)))
        m_painter.setClipRect(t.mapRect(*run.clipRect), Qt::IntersectClip);
    m_painter.translate(reference);
    m_painter.rotate(-m_state.font.escapement / 10.0);
    if (m_state.opaqueBackground && !run.opaqueRect)
        m_painter.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), QColor::fromRgb(m_state.backgroundColour));
    m_painter.setFont(font);
    m_painter.setPen(QColor::fromRgb(m_state.textColour));
    m_painter.drawText(QPointF(dx, dy), text);
    m_painter.restore();
    if (updatePosition && t.isInvertible())
        m_state.position = t.inverted().map(reference + QPointF(width, 0));
}

void MetafileCanvas::drawBitmap(const QRectF &destination, const QImage &bitmap, const QRectF &source, quint32 rop)
{
    const auto mode = bitmapComposition(rop);
    if (!mode || bitmap.isNull() || !prepare())
        return;
    const QTransform t = logicalToPicture();
    if (!finiteRect(t.mapRect(destination)))
        return;
    // A mirrored destination (negative width or height) mirrors the bitmap.
    const QRectF target = destination.normalized();
    const QImage oriented = bitmap.mirrored(destination.width() < 0, destination.height() < 0);
    QRectF from = source;
    if (destination.width() < 0)
        from.moveLeft(bitmap.width() - source.right());
    if (destination.height() < 0)
        from.moveTop(bitmap.height() - source.bottom());
    m_painter.setCompositionMode(*mode);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, m_state.smoothStretch);
    m_painter.setTransform(t);
    m_painter.drawImage(target, oriented, from);
    m_painter.setTransform(QTransform());
}

// PATCOPY paints the brush, PATINVERT inverts with it, BLACKNESS and WHITENESS paint black
// and white, DSTINVERT inverts; other operations leave the rectangle as it is.
void MetafileCanvas::patternBlit(const QRectF &destination, quint32 rop)
{
    const QRectF picture = logicalToPicture().mapRect(destination.normalized());
    if (!finiteRect(picture) || !prepare())
        return;
    switch (rop >> 16) {
    case 0xF0: m_painter.fillRect(picture, qtBrush()); break;
    case 0x5A:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(picture, qtBrush());
        break;
    case 0x00: m_painter.fillRect(picture, Qt::black); break;
    case 0xFF: m_painter.fillRect(picture, Qt::white); break;
    case 0x55:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(picture, Qt::black);
        break;
    default: break;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileCanvas::intersectClipRect(const QRectF &logical)
{
    const QRectF picture = logicalToPicture().mapRect(logical);
    if (!finiteRect(picture))
        return;
    const QRegion rect(pixelRect(picture));
    setClip(m_state.clip ? *m_state.clip & rect : rect);
}

void MetafileCanvas::excludeClipRect(const QRectF &logical)
{
    const QRectF picture = logicalToPicture().mapRect(logical);
    if (!finiteRect(picture))
        return;
    const QRegion whole(0, 0, m_painter.device()->width(), m_painter.device()->height());
    setClip((m_state.clip ? *m_state.clip : whole) - QRegion(pixelRect(picture)));
}

// Region modes: 1 intersection, 2 union, 3 exclusive or, 4 difference, 5 copy (an empty
// copy removes the clip).
void MetafileCanvas::setClipDeviceRects(const std::vector<QRectF> &deviceRects, int mode)
{
    QRegion region;
    for (const QRectF &r : deviceRects) {
        const QRectF picture = m_deviceToPicture.mapRect(r);
        if (finiteRect(picture))
            region += pixelRect(picture);
    }
    if (mode == 5 && deviceRects.empty()) {
        resetClip();
        return;
    }
    combineClip(mode, region);
}

// Region modes as above; any other mode changes nothing.
void MetafileCanvas::combineClip(int mode, const QRegion &region)
{
    const QRegion current = m_state.clip ? *m_state.clip : QRegion(0, 0, m_painter.device()->width(), m_painter.device()->height());
    switch (mode) {
    case 1: setClip(current & region); break;
    case 2: setClip(current | region); break;
    case 3: setClip(current ^ region); break;
    case 4: setClip(current - region); break;
    case 5: setClip(region); break;
    default: break;
    }
}

void MetafileCanvas::selectClipPath(int mode)
{
    if (!finiteRect(m_path.controlPointRect())) {
        abortPath();
        return;
    }
    const QRegion region(m_path.toFillPolygon().toPolygon(), m_state.winding ? Qt::WindingFill : Qt::OddEvenFill);
    combineClip(mode >= 1 && mode <= 4 ? mode : 5, region); // a path replaces the clip in any other mode
    abortPath();
}

void MetafileCanvas::resetClip()
{
    setClip(std::nullopt);
}

} // namespace imaging::readers
