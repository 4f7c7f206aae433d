#include "imaging/readers/metafile_canvas.h"

#include <QGuiApplication>
#include <cmath>

namespace imaging::readers {
namespace {

// Geometry further out than this (in picture pixels) is not drawn: a forged coordinate
// must not make the rasteriser walk billions of dashes.
constexpr double kFarAway = 1e7;
constexpr size_t kMaxSavedStates = 4096;
constexpr size_t kMaxObjects = 65536;
constexpr double kDefaultFontHeight = 12;

bool reasonable(const QRectF &r)
{
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) && std::isfinite(r.bottom())
        && std::abs(r.left()) < kFarAway && std::abs(r.right()) < kFarAway && std::abs(r.top()) < kFarAway
        && std::abs(r.bottom()) < kFarAway;
}

bool finiteTransform(const QTransform &t)
{
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy(), t.m13(), t.m23(), t.m33()})
        if (!std::isfinite(v))
            return false;
    return true;
}

QSizeF safeExtent(QSizeF s)
{
    return QSizeF(s.width() == 0 ? 1 : s.width(), s.height() == 0 ? 1 : s.height());
}

// Millimetres per logical unit of the metric mapping modes (2 to 6).
double millimetresPerUnit(int mode)
{
    switch (mode) {
    case 2: return 0.1;
    case 3: return 0.01;
    case 4: return 0.254;
    case 5: return 0.0254;
    case 6: return 25.4 / 1440;
    default: return 1;
    }
}

Qt::BrushStyle hatchStyle(int hatch)
{
    switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

double angleOn(const QRectF &box, QPointF p)
{
    const QPointF c = box.center();
    const double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / M_PI;
}

} // namespace

MetafileCanvas::MetafileCanvas(QPainter &painter) : m_painter(painter)
{
    m_canDrawText = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    m_state.font.height = kDefaultFontHeight;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void MetafileCanvas::useWindowMapping(const QRectF &defaultWindow, const QSizeF &picture)
{
    m_wmf = true;
    m_defaultWindow = defaultWindow;
    m_picture = picture;
    m_state.windowOrg = defaultWindow.topLeft();
    m_state.windowExt = defaultWindow.size();
}

void MetafileCanvas::useDeviceMapping(const QTransform &deviceToPicture, double devicePixelsPerMm)
{
    m_wmf = false;
    m_deviceToPicture = deviceToPicture;
    m_devicePixelsPerMm = devicePixelsPerMm;
}

QTransform MetafileCanvas::pageTransform() const
{
    const State &s = m_state;
    const QTransform toOrigin = QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y());
    const QTransform toViewport = QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
    if (s.mapMode >= 2 && s.mapMode <= 6) {
        const double k = m_devicePixelsPerMm * millimetresPerUnit(s.mapMode);
        return toOrigin * QTransform::fromScale(k, -k) * toViewport;
    }
    if (s.mapMode == 7 || s.mapMode == 8) {
        const QSizeF w = safeExtent(s.windowExt), v = s.viewportExt;
        double sx = v.width() / w.width(), sy = v.height() / w.height();
        if (s.mapMode == 7) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx), sy = std::copysign(m, sy);
        }
        return toOrigin * QTransform::fromScale(sx, sy) * toViewport;
    }
    return toOrigin * toViewport;
}

QTransform MetafileCanvas::logicalToPicture() const
{
    if (m_wmf) {
        const QSizeF ext = safeExtent(m_state.windowExt);
        return QTransform::fromTranslate(-m_state.windowOrg.x(), -m_state.windowOrg.y())
            * QTransform::fromScale(m_picture.width() / ext.width(), m_picture.height() / ext.height());
    }
    return m_state.world * pageTransform() * m_deviceToPicture;
}

double MetafileCanvas::pictureScale() const
{
    return std::sqrt(std::abs(logicalToPicture().determinant()));
}

void MetafileCanvas::setMapMode(int mode)
{
    if (mode >= 1 && mode <= 8)
        m_state.mapMode = mode;
}

void MetafileCanvas::setWindowOrg(QPointF p) { m_state.windowOrg = p; }
void MetafileCanvas::setViewportOrg(QPointF p) { m_state.viewportOrg = p; }
void MetafileCanvas::offsetWindowOrg(QPointF d) { m_state.windowOrg += d; }
void MetafileCanvas::offsetViewportOrg(QPointF d) { m_state.viewportOrg += d; }

void MetafileCanvas::setWindowExt(QSizeF s)
{
    if (s.width() != 0 && s.height() != 0)
        m_state.windowExt = s, m_state.windowExtSet = true;
}

void MetafileCanvas::setViewportExt(QSizeF s)
{
    if (s.width() != 0 && s.height() != 0)
        m_state.viewportExt = s;
}

void MetafileCanvas::scaleWindowExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xNum != 0 && xDenom != 0 && yNum != 0 && yDenom != 0)
        m_state.windowExt = QSizeF(m_state.windowExt.width() * xNum / xDenom, m_state.windowExt.height() * yNum / yDenom);
}

void MetafileCanvas::scaleViewportExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xNum != 0 && xDenom != 0 && yNum != 0 && yDenom != 0)
        m_state.viewportExt = QSizeF(m_state.viewportExt.width() * xNum / xDenom, m_state.viewportExt.height() * yNum / yDenom);
}

void MetafileCanvas::setWorldTransform(const QTransform &t)
{
    if (finiteTransform(t) && t.isInvertible())
        m_state.world = t;
}

// Modes: 1 back to identity, 2 the new transform before the current one, 3 after it,
// 4 replace it.
void MetafileCanvas::modifyWorldTransform(const QTransform &t, int mode)
{
    if (mode == 1)
        m_state.world = QTransform();
    else if (mode == 2)
        setWorldTransform(t * m_state.world);
    else if (mode == 3)
        setWorldTransform(m_state.world * t);
    else if (mode == 4)
        setWorldTransform(t);
}

void MetafileCanvas::createObject(GdiObject object)
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (!m_objects[i]) {
            m_objects[i] = std::move(object);
            return;
        }
    }
    if (m_objects.size() < kMaxObjects)
        m_objects.push_back(std::move(object));
}

void MetafileCanvas::createObjectAt(quint32 index, GdiObject object)
{
    if (index >= kMaxObjects)
        return;
    if (index >= m_objects.size())
        m_objects.resize(index + 1);
    m_objects[index] = std::move(object);
}

void MetafileCanvas::selectObject(quint32 index)
{
    if (index & 0x80000000u) {
        selectStockObject(index & 0x7FFFFFFFu);
        return;
    }
    if (index >= m_objects.size() || !m_objects[index])
        return;
    const GdiObject &object = *m_objects[index];
    if (const auto *pen = std::get_if<GdiPen>(&object))
        m_state.pen = *pen;
    else if (const auto *brush = std::get_if<GdiBrush>(&object))
        m_state.brush = *brush;
    else if (const auto *font = std::get_if<GdiFont>(&object))
        m_state.font = *font;
}

void MetafileCanvas::selectStockObject(quint32 id)
{
    static constexpr int kBrushGreys[] = {255, 192, 128, 64, 0};
    if (id <= 4 || id == 18) {
        const int g = id == 18 ? 255 : kBrushGreys[id];
        m_state.brush = GdiBrush{GdiBrush::Solid, qRgb(g, g, g), 0, {}};
    } else if (id == 5) {
        m_state.brush.style = GdiBrush::Null;
    } else if (id == 6 || id == 7 || id == 19) {
        m_state.pen = GdiPen{};
        m_state.pen.colour = id == 6 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    } else if (id == 8) {
        m_state.pen.style = GdiPen::Null;
    } else if (id >= 10 && id <= 17 && id != 15) {
        m_state.font = GdiFont{};
        m_state.font.height = kDefaultFontHeight;
    }
}

void MetafileCanvas::deleteObject(quint32 index)
{
    if (index < m_objects.size())
        m_objects[index].reset();
}

void MetafileCanvas::save()
{
    if (m_saved.size() < kMaxSavedStates)
        m_saved.push_back(m_state);
}

void MetafileCanvas::restore(int which)
{
    const qint64 index = which < 0 ? qint64(m_saved.size()) + which : qint64(which) - 1;
    if (index < 0 || index >= qint64(m_saved.size()))
        return;
    m_state = m_saved[size_t(index)];
    m_saved.resize(size_t(index));
    setClip(m_state.clip);
}

QPen MetafileCanvas::qtPen() const
{
    const GdiPen &p = m_state.pen;
    if (p.style == GdiPen::Null)
        return Qt::NoPen;
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    const double limit = 4 * (m_painter.device()->width() + m_painter.device()->height());
    const double width = std::min(p.width * pictureScale(), limit);
    QPen pen(QColor::fromRgb(p.colour), width < 1.5 ? 0 : width);
    // A wide dashed line is drawn solid: its dashes would be computed for the whole
    // length, which a forged file can make enormous.
    pen.setStyle(p.style < 5 && width < 1.5 ? kStyles[p.style] : Qt::SolidLine);
    static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    pen.setCapStyle(kCaps[std::clamp(p.endCap, 0, 2)]);
    pen.setJoinStyle(kJoins[std::clamp(p.join, 0, 2)]);
    return pen;
}

QBrush MetafileCanvas::qtBrush() const
{
    const GdiBrush &b = m_state.brush;
    switch (b.style) {
    case GdiBrush::Null: return Qt::NoBrush;
    case GdiBrush::Hatched: return QBrush(QColor::fromRgb(b.colour), hatchStyle(b.hatch));
    case GdiBrush::Pattern:
        if (!b.pattern.isNull())
            return QBrush(b.pattern);
        return QBrush(QColor::fromRgb(b.colour));
    default: return QBrush(QColor::fromRgb(b.colour));
    }
}

bool MetafileCanvas::prepare()
{
    m_painter.setTransform(QTransform());
    switch (m_state.rop2) {
    case 11: return false; // R2_NOP
    case 7: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case 6: m_painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    default: m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    return true;
}

void MetafileCanvas::setClip(std::optional<QRegion> clip)
{
    m_state.clip = std::move(clip);
    m_painter.setTransform(QTransform());
    if (m_state.clip)
        m_painter.setClipRegion(*m_state.clip);
    else
        m_painter.setClipping(false);
}

void MetafileCanvas::drawPicturePath(const QPainterPath &picture, bool fill, bool stroke)
{
    if (!reasonable(picture.controlPointRect()) || !prepare())
        return;
    QPainterPath path = picture;
    path.setFillRule(m_state.winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (fill && m_state.brush.style != GdiBrush::Null) {
        if (m_state.brush.style == GdiBrush::Hatched && m_state.opaqueBackground)
            m_painter.fillPath(path, QColor::fromRgb(m_state.backgroundColour));
        m_painter.fillPath(path, qtBrush());
    }
    if (stroke && m_state.pen.style != GdiPen::Null)
        m_painter.strokePath(path, qtPen());
}

void MetafileCanvas::addToPath(const QPainterPath &logical)
{
    m_path.addPath(logicalToPicture().map(logical));
}

void MetafileCanvas::fillAndStroke(const QPainterPath &logical, bool fill, bool stroke)
{
    if (m_pathOpen) {
        addToPath(logical);
        return;
    }
    drawPicturePath(logicalToPicture().map(logical), fill, stroke);
}

void MetafileCanvas::moveTo(QPointF p)
{
    m_state.position = p;
    if (m_pathOpen)
        m_path.moveTo(logicalToPicture().map(p));
}

void MetafileCanvas::lineTo(QPointF p)
{
    polylineTo(QPolygonF{p});
}

void MetafileCanvas::polylineTo(const QPolygonF &points)
{
    if (points.isEmpty())
        return;
    if (m_pathOpen) {
        const QTransform t = logicalToPicture();
        if (m_path.elementCount() == 0 || m_path.currentPosition() != t.map(m_state.position))
            m_path.moveTo(t.map(m_state.position));
        for (QPointF p : points)
            m_path.lineTo(t.map(p));
    } else {
        QPolygonF line{m_state.position};
        line += points;
        polyline(line);
    }
    m_state.position = points.last();
}

void MetafileCanvas::polyline(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    fillAndStroke(path, false, true);
}

void MetafileCanvas::polygon(const QPolygonF &points)
{
    polyPolygon({points});
}

void MetafileCanvas::polyPolygon(const std::vector<QPolygonF> &polygons)
{
    QPainterPath path;
    for (const QPolygonF &p : polygons) {
        if (p.size() < 2)
            continue;
        path.addPolygon(p);
        path.closeSubpath();
    }
    fillAndStroke(path, true, true);
}

void MetafileCanvas::polyPolyline(const std::vector<QPolygonF> &lines)
{
    QPainterPath path;
    for (const QPolygonF &p : lines)
        if (p.size() >= 2)
            path.addPolygon(p);
    fillAndStroke(path, false, true);
}

void MetafileCanvas::polyBezier(const QPolygonF &points)
{
    if (points.size() < 4)
        return;
    m_state.position = points.first();
    if (!m_pathOpen) {
        QPainterPath path(points.first());
        for (qsizetype i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
        fillAndStroke(path, false, true);
        return;
    }
    m_path.moveTo(logicalToPicture().map(points.first()));
    polyBezierTo(points.mid(1));
}

void MetafileCanvas::polyBezierTo(const QPolygonF &points)
{
    if (points.size() < 3)
        return;
    const QTransform t = logicalToPicture();
    QPainterPath path(m_pathOpen ? QPointF() : m_state.position);
    if (m_pathOpen && (m_path.elementCount() == 0 || m_path.currentPosition() != t.map(m_state.position)))
        m_path.moveTo(t.map(m_state.position));
    qsizetype i = 0;
    for (; i + 2 < points.size(); i += 3) {
        if (m_pathOpen)
            m_path.cubicTo(t.map(points[i]), t.map(points[i + 1]), t.map(points[i + 2]));
        else
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
    }
    m_state.position = points[i - 1];
    if (!m_pathOpen)
        fillAndStroke(path, false, true);
}

void MetafileCanvas::rectangle(const QRectF &box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    fillAndStroke(path, true, true);
}

void MetafileCanvas::roundRect(const QRectF &box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    fillAndStroke(path, true, true);
}

void MetafileCanvas::ellipse(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    fillAndStroke(path, true, true);
}

// Arcs run anticlockwise (as seen on the page) from the radial through `start` to the
// radial through `end`, unless the arc direction says clockwise; equal radials make a
// whole ellipse.
QPainterPath MetafileCanvas::arcPath(const QRectF &box, QPointF start, QPointF end, ArcKind kind) const
{
    const QRectF r = box.normalized();
    const double a0 = angleOn(r, start), a1 = angleOn(r, end);
    double sweep = std::fmod(a1 - a0 + 720, 360);
    if (sweep == 0)
        sweep = 360;
    if (m_state.clockwiseArcs)
        sweep -= 360;
    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(r.center());
    else
        path.arcMoveTo(r, a0);
    path.arcTo(r, a0, sweep);
    if (kind != ArcKind::Arc)
        path.closeSubpath();
    return path;
}

void MetafileCanvas::arc(const QRectF &box, QPointF start, QPointF end, ArcKind kind, bool updatePosition)
{
    const QPainterPath path = arcPath(box, start, end, kind);
    fillAndStroke(path, kind != ArcKind::Arc, true);
    if (updatePosition)
        m_state.position = path.currentPosition();
}

void MetafileCanvas::setPixel(QPointF p, QRgb colour)
{
    const QPointF at = logicalToPicture().map(p);
    if (!reasonable(QRectF(at, QSizeF(1, 1))) || !prepare())
        return;
    m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), QColor::fromRgb(colour));
}

void MetafileCanvas::beginPath()
{
    m_path = QPainterPath();
    m_pathOpen = true;
}

void MetafileCanvas::abortPath()
{
    m_path = QPainterPath();
    m_pathOpen = false;
}

void MetafileCanvas::closeFigure()
{
    if (m_pathOpen)
        m_path.closeSubpath();
}

void MetafileCanvas::fillPath()
{
    drawPicturePath(m_path, true, false);
    abortPath();
}

void MetafileCanvas::strokePath()
{
    drawPicturePath(m_path, false, true);
    abortPath();
}

void MetafileCanvas::strokeAndFillPath()
{
    drawPicturePath(m_path, true, true);
    abortPath();
}

} // namespace imaging::readers
