// Draws the transition chooser's two sample pictures into resources/samples/: 420 x 315
// JPEG pictures of clearly different colours (a warm evening, a cool morning), so that
// every transition style shows where one picture gives way to the other. Run by hand when
// a sample changes: build the target lumivelle_draw_samples and run it with the folder.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 315;

void hills(QPainter &p, QColor colour, double base, double height, double phase)
{
    QPainterPath path;
    path.moveTo(0, kHeight);
    for (int x = 0; x <= kWidth; x += 6)
        path.lineTo(x, base - height * (0.5 + 0.5 * std::sin(x / 60.0 + phase)) * (0.6 + 0.4 * std::cos(x / 37.0)));
    path.lineTo(kWidth, kHeight);
    path.closeSubpath();
    p.fillPath(path, colour);
}

QImage evening()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(120, 20, 70));
    sky.setColorAt(0.55, QColor(240, 110, 30));
    sky.setColorAt(1, QColor(255, 210, 90));
    p.fillRect(picture.rect(), sky);
    QRadialGradient sun(QPointF(280, 170), 60);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(0.6, QColor(255, 200, 60));
    sun.setColorAt(1, QColor(255, 200, 60, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(280, 170), 60, 60);
    hills(p, QColor(90, 30, 40), 230, 60, 0.5);
    hills(p, QColor(40, 10, 25), 270, 45, 2.0);
    return picture;
}

QImage morning()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(30, 90, 200));
    sky.setColorAt(0.6, QColor(150, 210, 250));
    sky.setColorAt(1, QColor(220, 245, 255));
    p.fillRect(picture.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    for (const QPointF &c : {QPointF(90, 70), QPointF(120, 60), QPointF(150, 75), QPointF(300, 110), QPointF(335, 100)})
        p.drawEllipse(c, 34, 20);
    hills(p, QColor(70, 170, 80), 220, 50, 1.2);
    hills(p, QColor(20, 110, 60), 265, 55, 3.1);
    return picture;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const bool ok = evening().save(folder + QStringLiteral("/sample1.jpg"), "JPG", 90)
                    && morning().save(folder + QStringLiteral("/sample2.jpg"), "JPG", 90);
    return ok ? 0 : 1;
}
