#pragma once
// The device context that Windows metafiles draw on, played over a QPainter: the mapping
// from logical to picture coordinates, the object table of pens, brushes and fonts, the
// saved states, the path bracket and clipping. The WMF and EMF players turn records into
// calls of this class; every coordinate they pass is logical.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <QTransform>
#include <optional>
#include <variant>
#include <vector>

namespace imaging::readers {

// Colours in metafiles are COLORREFs: red in the low byte.
inline QRgb colourFromRef(quint32 ref)
{
    return qRgb(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

struct GdiPen {
    enum Style { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };
    int style = Solid;       // low bits of the pen style
    int endCap = 0;          // 0 round, 1 square, 2 flat
    int join = 0;            // 0 round, 1 bevel, 2 mitre
    double width = 0;        // logical units; 0 is one device pixel
    QRgb colour = qRgb(0, 0, 0);
};

struct GdiBrush {
    enum Style { Solid = 0, Null = 1, Hatched = 2, Pattern = 3 };
    int style = Solid;
    QRgb colour = qRgb(255, 255, 255);
    int hatch = 0;
    QImage pattern;
};

struct GdiFont {
    double height = 0;       // logical; negative: character height, positive: cell height
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;      // tenths of a degree, anticlockwise
    QString face;
};

// Palettes, regions and anything else a slot can hold that does not draw.
struct GdiOther {};

using GdiObject = std::variant<GdiOther, GdiPen, GdiBrush, GdiFont>;

enum class ArcKind { Arc, Chord, Pie };

struct TextRun {
    QPointF reference;        // logical
    QString text;
    bool useCurrentPosition = false;
    std::optional<QRectF> opaqueRect; // logical, filled with the background colour
    std::optional<QRectF> clipRect;   // logical
};

class MetafileCanvas {
public:
    explicit MetafileCanvas(QPainter &painter);

    // WMF: the window maps onto the whole picture; viewport records are ignored.
    void useWindowMapping(const QRectF &defaultWindow, const QSizeF &picture);
    // EMF: logical -> device through the mapping mode, window, viewport and world
    // transform; then device -> picture.
    void useDeviceMapping(const QTransform &deviceToPicture, double devicePixelsPerMm);

    // Mapping records.
    void setMapMode(int mode);
    void setWindowOrg(QPointF p);
    void setWindowExt(QSizeF s);
    void setViewportOrg(QPointF p);
    void setViewportExt(QSizeF s);
    void offsetWindowOrg(QPointF d);
    void offsetViewportOrg(QPointF d);
    void scaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void scaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void setWorldTransform(const QTransform &t);
    void modifyWorldTransform(const QTransform &t, int mode);
    bool hasWindowExt() const { return m_state.windowExtSet; }

    // Attributes.
    void setBackgroundMode(int mode) { m_state.opaqueBackground = mode == 2; }
    void setBackgroundColour(QRgb c) { m_state.backgroundColour = c; }
    void setTextColour(QRgb c) { m_state.textColour = c; }
    void setTextAlign(int align) { m_state.textAlign = align; }
    void setPolyFillMode(int mode) { m_state.winding = mode == 2; }
    void setRop2(int rop) { m_state.rop2 = rop; }
    void setStretchMode(int mode) { m_state.smoothStretch = mode == 4; }

    // Object table. WMF puts a new object in the lowest free slot; EMF names the slot.
    void createObject(GdiObject object);
    void createObjectAt(quint32 index, GdiObject object);
    void selectObject(quint32 index);
    void selectStockObject(quint32 id);
    void deleteObject(quint32 index);

    void save();
    void restore(int which); // negative: relative to the current state; positive: absolute

    // Drawing, in logical coordinates.
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void polyline(const QPolygonF &points);
    void polylineTo(const QPolygonF &points);
    void polygon(const QPolygonF &points);
    void polyPolygon(const std::vector<QPolygonF> &polygons);
    void polyPolyline(const std::vector<QPolygonF> &lines);
    void polyBezier(const QPolygonF &points);
    void polyBezierTo(const QPolygonF &points);
    void rectangle(const QRectF &box);
    void roundRect(const QRectF &box, QSizeF corner);
    void ellipse(const QRectF &box);
    void arc(const QRectF &box, QPointF start, QPointF end, ArcKind kind, bool updatePosition = false);
    void setArcDirection(bool clockwise) { m_state.clockwiseArcs = clockwise; }
    void setPixel(QPointF p, QRgb colour);
    void text(const TextRun &run);
    // A bitmap drawn into a logical rectangle with a raster operation (SRCCOPY...).
    void drawBitmap(const QRectF &destination, const QImage &bitmap, const QRectF &source, quint32 rop);
    // A rectangle painted with the brush or a constant (PATCOPY, BLACKNESS...).
    void patternBlit(const QRectF &destination, quint32 rop);

    // Path bracket.
    void beginPath();
    void endPath() { m_pathOpen = false; }
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(int mode);

    // Clipping; device-unit rectangles come from EMF region records.
    void intersectClipRect(const QRectF &logical);
    void excludeClipRect(const QRectF &logical);
    void setClipDeviceRects(const std::vector<QRectF> &deviceRects, int mode);
    void resetClip();

private:
    struct State {
        // mapping
        int mapMode = 1;
        QPointF windowOrg, viewportOrg;
        QSizeF windowExt{1, 1}, viewportExt{1, 1};
        bool windowExtSet = false;
        QTransform world;
        // drawing attributes
        GdiPen pen;
        GdiBrush brush;
        GdiFont font;
        QRgb textColour = qRgb(0, 0, 0);
        QRgb backgroundColour = qRgb(255, 255, 255);
        bool opaqueBackground = true;
        int textAlign = 0;
        bool winding = false;
        int rop2 = 13;
        bool smoothStretch = false;
        bool clockwiseArcs = false;
        QPointF position;
        std::optional<QRegion> clip; // picture pixels
    };

    QTransform logicalToPicture() const;
    QTransform pageTransform() const;
    double pictureScale() const;
    QPen qtPen() const;
    QBrush qtBrush() const;
    bool prepare();                    // false when nothing may be drawn (R2_NOP)
    void applyClip();
    void fillAndStroke(const QPainterPath &logical, bool fill, bool stroke);
    void addToPath(const QPainterPath &logical);
    void drawPicturePath(const QPainterPath &picture, bool fill, bool stroke);
    QPainterPath arcPath(const QRectF &box, QPointF start, QPointF end, ArcKind kind) const;
    QFont qtFont(double pixelSize) const;
    void setClip(std::optional<QRegion> clip);
    void combineClip(int mode, const QRegion &region);

    QPainter &m_painter;
    bool m_wmf = true;
    QRectF m_defaultWindow;
    QSizeF m_picture;
    QTransform m_deviceToPicture;
    double m_devicePixelsPerMm = 96 / 25.4;
    State m_state;
    std::vector<State> m_saved;
    std::vector<std::optional<GdiObject>> m_objects;
    QPainterPath m_path;   // picture coordinates
    bool m_pathOpen = false;
    bool m_canDrawText = false;
};

} // namespace imaging::readers
