// Windows metafile records: a 32-bit size in 16-bit words, a 16-bit function, then 16-bit
// parameters, coordinates given y before x and the last corner first.
#include "imaging/readers/metafile_players.h"

#include "base/cp1252.h"
#include "imaging/readers/decode_support.h"
#include "imaging/readers/dib_decoder.h"

namespace imaging::readers {
namespace {

enum Function : quint16 {
    kEof = 0x0000, kSaveDc = 0x001E, kCreatePalette = 0x00F7, kSetBkMode = 0x0102, kSetMapMode = 0x0103,
    kSetRop2 = 0x0104, kSetPolyFillMode = 0x0106, kSetStretchBltMode = 0x0107, kRestoreDc = 0x0127,
    kSelectObject = 0x012D, kSetTextAlign = 0x012E, kDibCreatePatternBrush = 0x0142, kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9, kSetBkColor = 0x0201, kSetTextColor = 0x0209, kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C, kSetViewportOrg = 0x020D, kSetViewportExt = 0x020E, kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211, kLineTo = 0x0213, kMoveTo = 0x0214, kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB, kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324, kPolyline = 0x0325,
    kScaleWindowExt = 0x0410, kScaleViewportExt = 0x0412, kExcludeClipRect = 0x0415, kIntersectClipRect = 0x0416,
    kEllipse = 0x0418, kRectangle = 0x041B, kSetPixel = 0x041F, kTextOut = 0x0521, kPolyPolygon = 0x0538,
    kRoundRect = 0x061C, kPatBlt = 0x061D, kCreateRegion = 0x06FF, kArc = 0x0817, kPie = 0x081A,
    kChord = 0x0830, kDibBitBlt = 0x0940, kExtTextOut = 0x0A32, kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33, kStretchDib = 0x0F43,
};

class WmfRecord {
public:
    WmfRecord(const ByteView &v, qsizetype at, qsizetype words) : m_v(v), m_params(at + 6), m_count(words - 3) {}
    qsizetype count() const { return m_count; }
    bool has(qsizetype words) const { return words <= m_count; }
    qint16 s(qsizetype i) const { return i < m_count ? m_v.le16s(m_params + 2 * i) : 0; }
    quint16 u(qsizetype i) const { return i < m_count ? m_v.le16(m_params + 2 * i) : 0; }
    quint32 u32(qsizetype i) const { return quint32(u(i)) | quint32(u(i + 1)) << 16; }
    QPointF point(qsizetype i) const { return QPointF(s(i + 1), s(i)); } // y, x
    // Four words: bottom, right, top, left.
    QRectF box(qsizetype i) const { return QRectF(QPointF(s(i + 3), s(i + 2)), QPointF(s(i + 1), s(i))); }
    QByteArrayView bytesFrom(qsizetype i) const { return m_v.slice(m_params + 2 * i, 2 * (m_count - i)); }

private:
    const ByteView &m_v;
    qsizetype m_params;
    qsizetype m_count;
};

QPolygonF pointsAt(const WmfRecord &r, qsizetype first, qsizetype count)
{
    QPolygonF points;
    if (count < 0 || !r.has(first + 2 * count))
        return points;
    points.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        points << QPointF(r.s(first + 2 * i), r.s(first + 2 * i + 1)); // x, y in point lists
    return points;
}

std::vector<QPolygonF> polyPolygonOf(const WmfRecord &r)
{
    const qsizetype polygons = r.u(0);
    std::vector<QPolygonF> result;
    qsizetype next = 1 + polygons;
    for (qsizetype i = 0; i < polygons && r.has(next); ++i) {
        const qsizetype n = r.u(1 + i);
        result.push_back(pointsAt(r, next, n));
        next += 2 * n;
    }
    return result;
}

GdiPen penOf(const WmfRecord &r)
{
    GdiPen pen;
    const int style = r.u(0);
    pen.style = std::min(style & 0x0F, 6);
    pen.endCap = (style >> 8) & 3;
    pen.join = (style >> 12) & 3;
    pen.width = std::abs(r.s(1));
    pen.colour = colourFromRef(r.u32(3));
    return pen;
}

GdiBrush brushOf(const WmfRecord &r)
{
    GdiBrush brush;
    const int style = r.u(0);
    brush.style = style == 1 ? GdiBrush::Null : style == 2 ? GdiBrush::Hatched : GdiBrush::Solid;
    brush.colour = colourFromRef(r.u32(1));
    brush.hatch = r.u(3);
    return brush;
}

GdiFont fontOf(const WmfRecord &r)
{
    GdiFont font;
    font.height = r.s(0);
    font.escapement = r.s(2);
    font.weight = r.s(4);
    const QByteArrayView bytes = r.bytesFrom(5);
    const ByteView b(bytes);
    font.italic = b.u8(0), font.underline = b.u8(1), font.strikeOut = b.u8(2);
    QByteArrayView face = b.slice(8, std::min<qsizetype>(32, bytes.size() - 8));
    if (const qsizetype end = face.indexOf('\0'); end >= 0)
        face = face.first(end);
    font.face = decodeCp1252(face);
    return font;
}

GdiBrush patternBrushOf(const WmfRecord &r)
{
    GdiBrush brush;
    brush.style = GdiBrush::Pattern;
    brush.colour = qRgb(128, 128, 128);
    brush.pattern = metafileBitmap(r.bytesFrom(2), {});
    return brush;
}

QString textAt(const WmfRecord &r, qsizetype firstWord, qsizetype length)
{
    const QByteArrayView bytes = r.bytesFrom(firstWord);
    return decodeCp1252(bytes.first(std::clamp<qsizetype>(length, 0, bytes.size())));
}

void playTextOut(const WmfRecord &r, MetafileCanvas &canvas)
{
    const qsizetype length = r.u(0), words = (length + 1) / 2;
    TextRun run;
    run.text = textAt(r, 1, length);
    run.reference = r.point(1 + words);
    canvas.text(run);
}

void playExtTextOut(const WmfRecord &r, MetafileCanvas &canvas)
{
    TextRun run;
    run.reference = r.point(0);
    const qsizetype length = r.s(2);
    const int options = r.u(3);
    qsizetype next = 4;
    if (options & 6) { // ETO_OPAQUE, ETO_CLIPPED: a rectangle left, top, right, bottom
        const QRectF rect(QPointF(r.s(4), r.s(5)), QPointF(r.s(6), r.s(7)));
        if (options & 2)
            run.opaqueRect = rect;
        if (options & 4)
            run.clipRect = rect;
        next += 4;
    }
    run.text = textAt(r, next, length);
    canvas.text(run);
}

// Source rectangles of bottom-up bitmaps count rows from the bottom.
QRectF sourceRect(const QImage &bitmap, QByteArrayView info, double x, double y, double w, double h)
{
    const bool bottomUp = ByteView(info).le32(0) == 12 ? true : ByteView(info).le32s(8) > 0;
    return QRectF(x, bottomUp ? bitmap.height() - y - h : y, w, h);
}

void playStretchDib(const WmfRecord &r, MetafileCanvas &canvas, int dibWord, bool colourUsageWord)
{
    const int skip = colourUsageWord ? 1 : 0;
    const quint32 rop = r.u32(0);
    const QByteArrayView dib = r.bytesFrom(dibWord);
    const QImage bitmap = metafileBitmap(dib, {});
    const QRectF source = sourceRect(bitmap, dib, r.s(5 + skip), r.s(4 + skip), r.s(3 + skip), r.s(2 + skip));
    const QRectF destination(r.s(9 + skip), r.s(8 + skip), r.s(7 + skip), r.s(6 + skip));
    canvas.drawBitmap(destination, bitmap, source, rop);
}

void playDibBitBlt(const WmfRecord &r, MetafileCanvas &canvas)
{
    const quint32 rop = r.u32(0);
    const QRectF destination(r.s(7), r.s(6), r.s(5), r.s(4));
    if (r.count() <= 9) { // no bitmap: a pattern operation
        canvas.patternBlit(QRectF(r.s(8), r.s(7), r.s(6), r.s(5)), rop);
        return;
    }
    const QByteArrayView dib = r.bytesFrom(8);
    const QImage bitmap = metafileBitmap(dib, {});
    canvas.drawBitmap(destination, bitmap, sourceRect(bitmap, dib, r.s(3), r.s(2), r.s(5), r.s(4)), rop);
}

void playSetDibToDev(const WmfRecord &r, MetafileCanvas &canvas)
{
    const QByteArrayView dib = r.bytesFrom(9);
    const QImage bitmap = metafileBitmap(dib, {});
    const QRectF destination(r.s(8), r.s(7), r.s(6), r.s(5));
    canvas.drawBitmap(destination, bitmap, sourceRect(bitmap, dib, r.s(4), r.s(3), r.s(6), r.s(5)), 0x00CC0020);
}

void playArc(const WmfRecord &r, MetafileCanvas &canvas, ArcKind kind)
{
    canvas.arc(r.box(4), r.point(2), r.point(0), kind);
}

bool playObjectRecord(quint16 function, const WmfRecord &r, MetafileCanvas &canvas)
{
    switch (function) {
    case kCreatePenIndirect: canvas.createObject(penOf(r)); return true;
    case kCreateBrushIndirect: canvas.createObject(brushOf(r)); return true;
    case kCreateFontIndirect: canvas.createObject(fontOf(r)); return true;
    case kDibCreatePatternBrush: canvas.createObject(patternBrushOf(r)); return true;
    case kCreatePalette: case kCreateRegion: case kCreatePatternBrush: canvas.createObject(GdiOther{}); return true;
    case kSelectObject: canvas.selectObject(r.u(0)); return true;
    case kDeleteObject: canvas.deleteObject(r.u(0)); return true;
    case kSaveDc: canvas.save(); return true;
    case kRestoreDc: canvas.restore(r.s(0)); return true;
    default: return false;
    }
}

bool playStateRecord(quint16 function, const WmfRecord &r, MetafileCanvas &canvas)
{
    switch (function) {
    case kSetBkMode: canvas.setBackgroundMode(r.u(0)); return true;
    case kSetMapMode: canvas.setMapMode(r.u(0)); return true;
    case kSetRop2: canvas.setRop2(r.u(0)); return true;
    case kSetPolyFillMode: canvas.setPolyFillMode(r.u(0)); return true;
    case kSetStretchBltMode: canvas.setStretchMode(r.u(0)); return true;
    case kSetTextAlign: canvas.setTextAlign(r.u(0)); return true;
    case kSetBkColor: canvas.setBackgroundColour(colourFromRef(r.u32(0))); return true;
    case kSetTextColor: canvas.setTextColour(colourFromRef(r.u32(0))); return true;
    case kSetWindowOrg: canvas.setWindowOrg(r.point(0)); return true;
    case kSetWindowExt: canvas.setWindowExt(QSizeF(r.s(1), r.s(0))); return true;
    case kSetViewportOrg: case kSetViewportExt: case kOffsetViewportOrg: case kScaleViewportExt:
        return true; // the viewport is the picture
    case kOffsetWindowOrg: canvas.offsetWindowOrg(r.point(0)); return true;
    case kScaleWindowExt: canvas.scaleWindowExt(r.s(3), r.s(2), r.s(1), r.s(0)); return true;
    case kIntersectClipRect: canvas.intersectClipRect(r.box(0)); return true;
    case kExcludeClipRect: canvas.excludeClipRect(r.box(0)); return true;
    default: return false;
    }
}

void playDrawingRecord(quint16 function, const WmfRecord &r, MetafileCanvas &canvas)
{
    switch (function) {
    case kMoveTo: canvas.moveTo(r.point(0)); break;
    case kLineTo: canvas.lineTo(r.point(0)); break;
    case kPolygon: canvas.polygon(pointsAt(r, 1, r.u(0))); break;
    case kPolyline: canvas.polyline(pointsAt(r, 1, r.u(0))); break;
    case kPolyPolygon: canvas.polyPolygon(polyPolygonOf(r)); break;
    case kRectangle: canvas.rectangle(r.box(0)); break;
    case kRoundRect: canvas.roundRect(r.box(2), QSizeF(r.s(1), r.s(0))); break;
    case kEllipse: canvas.ellipse(r.box(0)); break;
    case kArc: playArc(r, canvas, ArcKind::Arc); break;
    case kPie: playArc(r, canvas, ArcKind::Pie); break;
    case kChord: playArc(r, canvas, ArcKind::Chord); break;
    case kSetPixel: canvas.setPixel(r.point(2), colourFromRef(r.u32(0))); break;
    case kTextOut: playTextOut(r, canvas); break;
    case kExtTextOut: playExtTextOut(r, canvas); break;
    case kPatBlt: canvas.patternBlit(QRectF(r.s(5), r.s(4), r.s(3), r.s(2)), r.u32(0)); break;
    case kStretchDib: playStretchDib(r, canvas, 11, true); break;
    case kDibStretchBlt:
        if (r.count() <= 11)
            canvas.patternBlit(QRectF(r.s(10), r.s(9), r.s(8), r.s(7)), r.u32(0));
        else
            playStretchDib(r, canvas, 10, false);
        break;
    case kDibBitBlt: playDibBitBlt(r, canvas); break;
    case kSetDibToDev: playSetDibToDev(r, canvas); break;
    default: break; // escapes, palettes, regions and the rest draw nothing we show
    }
}

} // namespace

bool playWmfRecords(QByteArrayView data, qsizetype firstRecord, MetafileCanvas &canvas)
{
    const ByteView v(data);
    for (qsizetype p = firstRecord; v.has(p, 6);) {
        const qint64 words = v.le32(p);
        const quint16 function = v.le16(p + 4);
        if (function == kEof)
            return true;
        if (words < 3 || !v.has(p, 2 * words))
            return false;
        const WmfRecord r(v, p, words);
        if (!playObjectRecord(function, r, canvas) && !playStateRecord(function, r, canvas))
            playDrawingRecord(function, r, canvas);
        p += 2 * words;
    }
    return false;
}

QImage metafileBitmap(QByteArrayView info, QByteArrayView bits, bool alpha)
{
    DibOptions options;
    options.alphaFromRgb32 = alpha;
    auto picture = bits.isEmpty() ? decodePackedDib(info, options) : decodeDib(info, bits, options);
    return picture ? *picture : QImage();
}

} // namespace imaging::readers
