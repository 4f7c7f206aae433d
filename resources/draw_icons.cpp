// Draws the toolbar icons and the About picture into resources/icons/. Run by hand when
// an icon changes: build the target lumivelle_draw_icons and run it with the folder.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>

namespace {

const QColor kInk(40, 40, 60);
const QColor kFolder(232, 190, 80);
const QColor kPaper(250, 250, 250);
const QColor kBlue(40, 100, 200);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 50, 40);
const QColor kPhoto(90, 160, 220);

void arrow(QPainter &p, QPointF from, QPointF to, QColor colour, double width = 2.2)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head({to + d * 1.5, to - d * 3.5 + n * 3.5, to - d * 3.5 - n * 3.5});
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void folder(QPainter &p, QRectF r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder.darker(115));
    p.drawRect(QRectF(r.left(), r.top(), r.width() * 0.45, 3));
    p.setBrush(kFolder);
    p.drawRect(QRectF(r.left(), r.top() + 2, r.width(), r.height() - 2));
}

void page(QPainter &p, QRectF r, QColor fill = kPaper)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(r);
}

void photo(QPainter &p, QRectF r)
{
    page(p, r, kPhoto);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({r.bottomLeft(), r.bottomLeft() + QPointF(r.width() * 0.45, -r.height() * 0.6),
                             r.bottomRight()}));
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QPointF(r.right() - 3, r.top() + 3), 1.6, 1.6);
}

void star(QPainter &p, QPointF c, double radius, QColor colour)
{
    QPolygonF shape;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? radius * 0.45 : radius;
        shape << c + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    p.setPen(QPen(colour.darker(140), 0.8));
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void floppy(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 2.5, 7, 4));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(5.5, 9.5, 5, 4));
}

void book(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(150, 60, 40));
    p.drawRect(QRectF(3.5, 2.5, 10, 12));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 4.5, 6, 3));
}

void filmstrip(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(1.5, 3.5, 13, 10));
    p.setBrush(kPhoto);
    p.drawRect(QRectF(3.5, 5.5, 4, 6));
    p.drawRect(QRectF(8.5, 5.5, 4, 6));
}

void rotation(QPainter &p, bool right)
{
    photo(p, QRectF(4.5, 6.5, 8, 7));
    p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(2, 1, 12, 10);
    p.drawArc(arc, right ? 160 * 16 : 20 * 16, right ? -140 * 16 : 140 * 16);
    const QPointF tip = right ? QPointF(13.5, 5) : QPointF(2.5, 5);
    arrow(p, tip + QPointF(0, -2.5), tip + QPointF(0, 0.5), kRed, 1.6);
}

using Painter = std::function<void(QPainter &)>;

std::map<QString, Painter> icons()
{
    return {
        {"back", [](QPainter &p) { arrow(p, {14, 8}, {4, 8}, kGreen); }},
        {"forward", [](QPainter &p) { arrow(p, {2, 8}, {12, 8}, kGreen); }},
        {"parent", [](QPainter &p) { folder(p, {1.5, 6.5, 13, 8}); arrow(p, {8, 13}, {8, 3}, kGreen); }},
        {"refresh", [](QPainter &p) {
             p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
             p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
             arrow(p, {9, 3}, {12, 3}, kBlue, 1.5); }},
        {"cut", [](QPainter &p) {
             p.setPen(QPen(kInk, 1.4));
             p.drawLine(QPointF(5, 2), QPointF(10, 10));
             p.drawLine(QPointF(11, 2), QPointF(6, 10));
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kRed, 1.4));
             p.drawEllipse(QPointF(5, 12), 2.3, 2.3);
             p.drawEllipse(QPointF(11, 12), 2.3, 2.3); }},
        {"copy", [](QPainter &p) { page(p, {1.5, 1.5, 8, 10}); page(p, {6.5, 4.5, 8, 10}); }},
        {"paste", [](QPainter &p) {
             page(p, {2.5, 2.5, 10, 12}, QColor(190, 140, 80));
             page(p, {6.5, 6.5, 8, 8}); }},
        {"delete", [](QPainter &p) {
             p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(4, 4), QPointF(12, 12));
             p.drawLine(QPointF(12, 4), QPointF(4, 12)); }},
        {"new_show", [](QPainter &p) { filmstrip(p); star(p, {12, 4}, 3.8, QColor(255, 210, 40)); }},
        {"open_show", [](QPainter &p) { folder(p, {1.5, 4.5, 13, 10}); filmstrip(p); }},
        {"save_show", [](QPainter &p) { floppy(p); }},
        {"show_options", [](QPainter &p) {
             filmstrip(p);
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(200, 200, 210));
             p.drawEllipse(QPointF(11.5, 11.5), 3.5, 3.5);
             p.setBrush(kInk);
             p.drawEllipse(QPointF(11.5, 11.5), 1.2, 1.2); }},
        {"build_show", [](QPainter &p) {
             filmstrip(p);
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawPolygon(QPolygonF({{9, 8}, {15, 11.5}, {9, 15}})); }},
        {"new_album", [](QPainter &p) { book(p); star(p, {12.5, 3.5}, 3.5, QColor(255, 210, 40)); }},
        {"open_album", [](QPainter &p) { folder(p, {1.5, 5.5, 13, 9}); book(p); }},
        {"album_explorer", [](QPainter &p) {
             book(p);
             p.setPen(QPen(kInk, 1.6));
             p.setBrush(QColor(220, 240, 255));
             p.drawEllipse(QPointF(10, 10), 3, 3);
             p.drawLine(QPointF(12.2, 12.2), QPointF(15, 15)); }},
        {"save_album", [](QPainter &p) { book(p); floppy(p); }},
        {"rotate_right", [](QPainter &p) { rotation(p, true); }},
        {"rotate_left", [](QPainter &p) { rotation(p, false); }},
        {"full_screen", [](QPainter &p) {
             photo(p, {3.5, 4.5, 9, 7});
             p.setPen(QPen(kInk, 1.3));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(1, 1, 14, 14)); }},
        {"instant_show", [](QPainter &p) {
             photo(p, {1.5, 3.5, 9, 8});
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 200, 0));
             p.drawPolygon(QPolygonF({{12, 4}, {9, 10}, {12, 10}, {10, 15}, {15, 8}, {12, 8}, {14, 4}})); }},
    };
}

QImage drawAbout()
{
    QImage image(96, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(6, 6);
    p.translate(0, 2);
    filmstrip(p);
    star(p, {12, 4}, 3.5, QColor(255, 210, 40));
    return image;
}

// The program's icon for the desktop's menus and file managers: a photograph over a
// film strip with the star of a new show, drawn at each size the desktop asks for.
QImage drawApplicationIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.translate(0, 1);
    filmstrip(p);
    photo(p, QRectF(4.5, 1.5, 9, 7));
    star(p, {12.5, 11.5}, 3.2, QColor(255, 210, 40));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (const auto &[name, draw] : icons()) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    drawAbout().save(folder + QStringLiteral("/about.png"));
    for (int size : {48, 128})
        drawApplicationIcon(size).save(folder + QStringLiteral("/lumivelle_%1.png").arg(size));
    return 0;
}
