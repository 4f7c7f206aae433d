// Enhanced metafile records: a 32-bit type, a 32-bit size (a multiple of 4, header
// included), then the fields; coordinates are 32-bit (16-bit in the "16" variants).
#include "imaging/readers/metafile_players.h"

#include "base/cp1252.h"
#include "imaging/readers/decode_support.h"

#include <QString>
#include <cmath>
#include <cstring>

namespace imaging::readers {
namespace {

enum Type : quint32 {
    kPolyBezier = 2, kPolygon = 3, kPolyline = 4, kPolyBezierTo = 5, kPolylineTo = 6, kPolyPolyline = 7,
    kPolyPolygon = 8, kSetWindowExtEx = 9, kSetWindowOrgEx = 10, kSetViewportExtEx = 11, kSetViewportOrgEx = 12,
    kEof = 14, kSetPixelV = 15, kSetMapMode = 17, kSetBkMode = 18, kSetPolyFillMode = 19, kSetRop2 = 20,
    kSetStretchBltMode = 21, kSetTextAlign = 22, kSetTextColor = 24, kSetBkColor = 25, kMoveToEx = 27,
    kExcludeClipRect = 29, kIntersectClipRect = 30, kScaleViewportExtEx = 31, kScaleWindowExtEx = 32, kSaveDc = 33,
    kRestoreDc = 34, kSetWorldTransform = 35, kModifyWorldTransform = 36, kSelectObject = 37, kCreatePen = 38,
    kCreateBrushIndirect = 39, kDeleteObject = 40, kAngleArc = 41, kEllipse = 42, kRectangle = 43, kRoundRect = 44,
    kArc = 45, kChord = 46, kPie = 47, kCreatePalette = 49, kLineTo = 54, kArcTo = 55, kSetArcDirection = 57,
    kBeginPath = 59, kEndPath = 60, kCloseFigure = 61, kFillPath = 62, kStrokeAndFillPath = 63, kStrokePath = 64,
    kSelectClipPath = 67, kAbortPath = 68, kExtSelectClipRgn = 75, kBitBlt = 76, kStretchBlt = 77,
    kSetDiBitsToDevice = 80, kStretchDiBits = 81, kExtCreateFontIndirectW = 82, kExtTextOutA = 83,
    kExtTextOutW = 84, kPolyBezier16 = 85, kPolygon16 = 86, kPolyline16 = 87, kPolyBezierTo16 = 88,
    kPolylineTo16 = 89, kPolyPolyline16 = 90, kPolyPolygon16 = 91, kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94, kExtCreatePen = 95, kAlphaBlend = 114,
};

class EmfRecord {
public:
    EmfRecord(const ByteView &v, qsizetype at, qsizetype size) : m_v(v), m_at(at), m_size(size) {}
    qsizetype size() const { return m_size; }
    bool has(qsizetype offset, qsizetype count) const { return offset >= 0 && count >= 0 && offset <= m_size && count <= m_size - offset; }
    qint32 i32(qsizetype o) const { return has(o, 4) ? m_v.le32s(m_at + o) : 0; }
    quint32 u32(qsizetype o) const { return has(o, 4) ? m_v.le32(m_at + o) : 0; }
    qint16 i16(qsizetype o) const { return has(o, 2) ? m_v.le16s(m_at + o) : 0; }
    float f32(qsizetype o) const
    {
        const quint32 bits = u32(o);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    QPointF point(qsizetype o) const { return QPointF(i32(o), i32(o + 4)); }
    QSizeF extent(qsizetype o) const { return QSizeF(i32(o), i32(o + 4)); }
    // RECTL: left, top, right, bottom.
    QRectF box(qsizetype o) const { return QRectF(point(o), point(o + 8)); }
    QByteArrayView bytes(qsizetype offset, qsizetype count) const
    {
        return has(offset, count) ? m_v.slice(m_at + offset, count) : QByteArrayView();
    }
    QTransform transform(qsizetype o) const
    {
        return QTransform(f32(o), f32(o + 4), f32(o + 8), f32(o + 12), f32(o + 16), f32(o + 20));
    }

private:
    const ByteView &m_v;
    qsizetype m_at;
    qsizetype m_size;
};

// Points after a bounds rectangle and a count: 32-bit pairs, or 16-bit in the short forms.
QPolygonF pointsAt(const EmfRecord &r, qsizetype first, qsizetype count, bool shortForm)
{
    const int size = shortForm ? 4 : 8;
    QPolygonF points;
    if (count < 0 || !r.has(first, count * size))
        return points;
    points.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype o = first + i * size;
        points << (shortForm ? QPointF(r.i16(o), r.i16(o + 2)) : r.point(o));
    }
    return points;
}

QPolygonF polyPoints(const EmfRecord &r, bool shortForm)
{
    return pointsAt(r, 28, r.u32(24), shortForm);
}

std::vector<QPolygonF> polyPolyPoints(const EmfRecord &r, bool shortForm)
{
    const qint64 polygons = r.u32(24), total = r.u32(28);
    std::vector<QPolygonF> result;
    if (!r.has(32, polygons * 4))
        return result;
    qsizetype next = 32 + polygons * 4;
    qint64 used = 0;
    for (qint64 i = 0; i < polygons; ++i) {
        const qint64 n = r.u32(32 + 4 * i);
        if (n > total - used)
            break;
        result.push_back(pointsAt(r, next, n, shortForm));
        next += n * (shortForm ? 4 : 8), used += n;
    }
    return result;
}

GdiPen penOf(const EmfRecord &r)
{
    GdiPen pen;
    const quint32 style = r.u32(12);
    pen.style = std::min<int>(style & 0x0F, 6);
    pen.width = std::abs(double(r.i32(16)));
    pen.colour = colourFromRef(r.u32(24));
    return pen;
}

// EXTCREATEPEN: offsets and sizes of a bitmap, then the pen's style, width, brush style,
// colour and hatch.
GdiPen extPenOf(const EmfRecord &r)
{
    GdiPen pen;
    const quint32 style = r.u32(28);
    pen.style = r.u32(36) == 1 ? int(GdiPen::Null) : std::min<int>(style & 0x0F, 6);
    pen.endCap = (style >> 8) & 3;
    pen.join = (style >> 12) & 3;
    pen.width = (style & 0x10000) ? double(r.u32(32)) : 0; // geometric pens have a width
    pen.colour = colourFromRef(r.u32(40));
    return pen;
}

GdiBrush brushOf(const EmfRecord &r)
{
    GdiBrush brush;
    const quint32 style = r.u32(12);
    brush.style = style == 1 ? GdiBrush::Null : style == 2 ? GdiBrush::Hatched : GdiBrush::Solid;
    brush.colour = colourFromRef(r.u32(16));
    brush.hatch = int(r.u32(20));
    return brush;
}

GdiBrush patternBrushOf(const EmfRecord &r)
{
    GdiBrush brush;
    brush.style = GdiBrush::Pattern;
    brush.colour = qRgb(128, 128, 128);
    brush.pattern = metafileBitmap(r.bytes(r.u32(16), r.u32(20)), r.bytes(r.u32(24), r.u32(28)));
    return brush;
}

// LOGFONTW: height, width, escapement, orientation, weight, italic, underline, strike-out,
// four bytes of precision, then a 32-character face name.
GdiFont fontOf(const EmfRecord &r)
{
    GdiFont font;
    font.height = r.i32(12);
    font.escapement = r.i32(20);
    font.weight = r.i32(28);
    const QByteArrayView flags = r.bytes(32, 3);
    if (flags.size() == 3)
        font.italic = flags[0] != 0, font.underline = flags[1] != 0, font.strikeOut = flags[2] != 0;
    const QByteArrayView face = r.bytes(40, 64);
    QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(face.data()), face.size() / 2);
    font.face = name.left(name.indexOf(QChar(0)) < 0 ? name.size() : name.indexOf(QChar(0)));
    return font;
}

// EMRTEXT at 36: reference point, character count, string offset, options, rectangle,
// offset of the advances.
void playText(const EmfRecord &r, MetafileCanvas &canvas, bool wide)
{
    TextRun run;
    run.reference = r.point(36);
    const qint64 count = r.u32(44), offset = r.u32(48);
    const quint32 options = r.u32(52);
    const QRectF rect = r.box(56);
    if ((options & 2) && rect.isValid())
        run.opaqueRect = rect;
    if ((options & 4) && rect.isValid())
        run.clipRect = rect;
    const QByteArrayView bytes = r.bytes(offset, count * (wide ? 2 : 1));
    run.text = wide ? QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.data()), bytes.size() / 2)
                    : decodeCp1252(bytes);
    canvas.text(run);
}

// Source rectangles of bottom-up bitmaps count rows from the bottom.
QRectF sourceRect(const QImage &bitmap, QByteArrayView info, double x, double y, double w, double h)
{
    const ByteView v(info);
    const bool bottomUp = v.le32(0) == 12 || v.le32s(8) > 0;
    return QRectF(x, bottomUp ? bitmap.height() - y - h : y, w, h);
}

// STRETCHDIBITS: destination x, y, source x, y, width, height, bitmap offsets and sizes,
// usage, raster operation, destination width and height.
void playStretchDiBits(const EmfRecord &r, MetafileCanvas &canvas)
{
    const QByteArrayView info = r.bytes(r.u32(48), r.u32(52));
    const QImage bitmap = metafileBitmap(info, r.bytes(r.u32(56), r.u32(60)));
    const QRectF destination(r.i32(24), r.i32(28), r.i32(72), r.i32(76));
    canvas.drawBitmap(destination, bitmap, sourceRect(bitmap, info, r.i32(32), r.i32(36), r.i32(40), r.i32(44)), r.u32(68));
}

void playSetDiBitsToDevice(const EmfRecord &r, MetafileCanvas &canvas)
{
    const QByteArrayView info = r.bytes(r.u32(48), r.u32(52));
    const QImage bitmap = metafileBitmap(info, r.bytes(r.u32(56), r.u32(60)));
    const double w = r.i32(40), h = r.i32(44);
    canvas.drawBitmap(QRectF(r.i32(24), r.i32(28), w, h), bitmap, sourceRect(bitmap, info, r.i32(32), r.i32(36), w, h), 0x00CC0020);
}

// BITBLT, STRETCHBLT and ALPHABLEND: destination rectangle, raster operation (blend
// function), source position, source transform, background colour, usage, bitmap offsets
// and sizes, and for the stretching ones the source size. Without a bitmap, a pattern
// operation.
void playBlit(const EmfRecord &r, MetafileCanvas &canvas, quint32 type)
{
    const QRectF destination(r.i32(24), r.i32(28), r.i32(32), r.i32(36));
    const quint32 rop = type == kAlphaBlend ? 0x00CC0020 : r.u32(40);
    if (r.u32(88) == 0) {
        canvas.patternBlit(destination, rop);
        return;
    }
    const QByteArrayView info = r.bytes(r.u32(84), r.u32(88));
    const QImage bitmap = metafileBitmap(info, r.bytes(r.u32(92), r.u32(96)), type == kAlphaBlend);
    const bool stretch = type != kBitBlt;
    const double w = stretch ? r.i32(100) : destination.width(), h = stretch ? r.i32(104) : destination.height();
    canvas.drawBitmap(destination, bitmap, sourceRect(bitmap, info, r.i32(44), r.i32(48), w, h), rop);
}

// EXTSELECTCLIPRGN: region data size, mode, then a 32-byte region header (size, type,
// rectangle count, ...) and the rectangles in device units.
void playClipRegion(const EmfRecord &r, MetafileCanvas &canvas)
{
    const qint64 dataSize = r.u32(8);
    const int mode = int(r.u32(12));
    // Regions of thousands of rectangles (the union costs grow with their number) are
    // taken as their bounding box.
    constexpr qint64 kMostRectangles = 4096;
    std::vector<QRectF> rects;
    if (dataSize >= 32) {
        const qint64 count = r.u32(16 + 8);
        if (count > kMostRectangles)
            rects.push_back(r.box(32));
        for (qint64 i = 0; i < count && count <= kMostRectangles && r.has(48 + 16 * i, 16); ++i)
            rects.push_back(r.box(48 + 16 * i));
    }
    canvas.setClipDeviceRects(rects, mode);
}

bool playObjectRecord(quint32 type, const EmfRecord &r, MetafileCanvas &canvas)
{
    switch (type) {
    case kCreatePen: canvas.createObjectAt(r.u32(8), penOf(r)); return true;
    case kExtCreatePen: canvas.createObjectAt(r.u32(8), extPenOf(r)); return true;
    case kCreateBrushIndirect: canvas.createObjectAt(r.u32(8), brushOf(r)); return true;
    case kCreateMonoBrush: case kCreateDibPatternBrushPt: canvas.createObjectAt(r.u32(8), patternBrushOf(r)); return true;
    case kExtCreateFontIndirectW: canvas.createObjectAt(r.u32(8), fontOf(r)); return true;
    case kCreatePalette: canvas.createObjectAt(r.u32(8), GdiOther{}); return true;
    case kSelectObject: canvas.selectObject(r.u32(8)); return true;
    case kDeleteObject: canvas.deleteObject(r.u32(8)); return true;
    case kSaveDc: canvas.save(); return true;
    case kRestoreDc: canvas.restore(r.i32(8)); return true;
    default: return false;
    }
}

bool playStateRecord(quint32 type, const EmfRecord &r, MetafileCanvas &canvas)
{
    switch (type) {
    case kSetWindowExtEx: canvas.setWindowExt(r.extent(8)); return true;
    case kSetWindowOrgEx: canvas.setWindowOrg(r.point(8)); return true;
    case kSetViewportExtEx: canvas.setViewportExt(r.extent(8)); return true;
    case kSetViewportOrgEx: canvas.setViewportOrg(r.point(8)); return true;
    case kScaleViewportExtEx: canvas.scaleViewportExt(r.i32(8), r.i32(12), r.i32(16), r.i32(20)); return true;
    case kScaleWindowExtEx: canvas.scaleWindowExt(r.i32(8), r.i32(12), r.i32(16), r.i32(20)); return true;
    case kSetWorldTransform: canvas.setWorldTransform(r.transform(8)); return true;
    case kModifyWorldTransform: canvas.modifyWorldTransform(r.transform(8), int(r.u32(32))); return true;
    case kSetMapMode: canvas.setMapMode(int(r.u32(8))); return true;
    case kSetBkMode: canvas.setBackgroundMode(int(r.u32(8))); return true;
    case kSetPolyFillMode: canvas.setPolyFillMode(int(r.u32(8))); return true;
    case kSetRop2: canvas.setRop2(int(r.u32(8))); return true;
    case kSetStretchBltMode: canvas.setStretchMode(int(r.u32(8))); return true;
    case kSetTextAlign: canvas.setTextAlign(int(r.u32(8))); return true;
    case kSetTextColor: canvas.setTextColour(colourFromRef(r.u32(8))); return true;
    case kSetBkColor: canvas.setBackgroundColour(colourFromRef(r.u32(8))); return true;
    case kSetArcDirection: canvas.setArcDirection(r.u32(8) == 2); return true;
    case kExcludeClipRect: canvas.excludeClipRect(r.box(8)); return true;
    case kIntersectClipRect: canvas.intersectClipRect(r.box(8)); return true;
    case kExtSelectClipRgn: playClipRegion(r, canvas); return true;
    default: return false;
    }
}

bool playPathRecord(quint32 type, const EmfRecord &r, MetafileCanvas &canvas)
{
    switch (type) {
    case kBeginPath: canvas.beginPath(); return true;
    case kEndPath: canvas.endPath(); return true;
    case kCloseFigure: canvas.closeFigure(); return true;
    case kFillPath: canvas.fillPath(); return true;
    case kStrokeAndFillPath: canvas.strokeAndFillPath(); return true;
    case kStrokePath: canvas.strokePath(); return true;
    case kAbortPath: canvas.abortPath(); return true;
    case kSelectClipPath: canvas.selectClipPath(int(r.u32(8))); return true;
    default: return false;
    }
}

void playAngleArc(const EmfRecord &r, MetafileCanvas &canvas)
{
    const QPointF centre = r.point(8);
    const double radius = r.u32(16), start = r.f32(20), sweep = r.f32(24);
    if (!std::isfinite(start) || !std::isfinite(sweep))
        return;
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    const auto at = [&](double degrees) {
        return centre + QPointF(radius * std::cos(degrees * M_PI / 180), -radius * std::sin(degrees * M_PI / 180));
    };
    canvas.lineTo(at(start));
    canvas.arc(box, at(start), at(start + sweep), ArcKind::Arc, true);
}

void playDrawingRecord(quint32 type, const EmfRecord &r, MetafileCanvas &canvas)
{
    const bool shortForm = type >= kPolyBezier16 && type <= kPolyPolygon16;
    switch (type) {
    case kPolyBezier: case kPolyBezier16: canvas.polyBezier(polyPoints(r, shortForm)); break;
    case kPolygon: case kPolygon16: canvas.polygon(polyPoints(r, shortForm)); break;
    case kPolyline: case kPolyline16: canvas.polyline(polyPoints(r, shortForm)); break;
    case kPolyBezierTo: case kPolyBezierTo16: canvas.polyBezierTo(polyPoints(r, shortForm)); break;
    case kPolylineTo: case kPolylineTo16: canvas.polylineTo(polyPoints(r, shortForm)); break;
    case kPolyPolyline: case kPolyPolyline16: canvas.polyPolyline(polyPolyPoints(r, shortForm)); break;
    case kPolyPolygon: case kPolyPolygon16: canvas.polyPolygon(polyPolyPoints(r, shortForm)); break;
    case kSetPixelV: canvas.setPixel(r.point(8), colourFromRef(r.u32(16))); break;
    case kMoveToEx: canvas.moveTo(r.point(8)); break;
    case kLineTo: canvas.lineTo(r.point(8)); break;
    case kEllipse: canvas.ellipse(r.box(8)); break;
    case kRectangle: canvas.rectangle(r.box(8)); break;
    case kRoundRect: canvas.roundRect(r.box(8), r.extent(24)); break;
    case kArc: canvas.arc(r.box(8), r.point(24), r.point(32), ArcKind::Arc); break;
    case kArcTo:
        canvas.arc(r.box(8), r.point(24), r.point(32), ArcKind::Arc, true);
        break;
    case kChord: canvas.arc(r.box(8), r.point(24), r.point(32), ArcKind::Chord); break;
    case kPie: canvas.arc(r.box(8), r.point(24), r.point(32), ArcKind::Pie); break;
    case kAngleArc: playAngleArc(r, canvas); break;
    case kExtTextOutA: playText(r, canvas, false); break;
    case kExtTextOutW: playText(r, canvas, true); break;
    case kBitBlt: case kStretchBlt: case kAlphaBlend: playBlit(r, canvas, type); break;
    case kStretchDiBits: playStretchDiBits(r, canvas); break;
    case kSetDiBitsToDevice: playSetDiBitsToDevice(r, canvas); break;
    default: break; // comments (EMF+), palettes, colour management and the rest
    }
}

} // namespace

bool playEmfRecords(QByteArrayView data, MetafileCanvas &canvas)
{
    const ByteView v(data);
    for (qsizetype p = 0; v.has(p, 8);) {
        const quint32 type = v.le32(p);
        const qint64 size = v.le32(p + 4);
        if (type == kEof)
            return true;
        if (size < 8 || !v.has(p, size))
            return false;
        const EmfRecord r(v, p, size);
        if (!playObjectRecord(type, r, canvas) && !playStateRecord(type, r, canvas) && !playPathRecord(type, r, canvas))
            playDrawingRecord(type, r, canvas);
        p += size;
    }
    return false;
}

} // namespace imaging::readers
