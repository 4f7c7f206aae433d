#include "test_pattern.h"

#include <cmath>

namespace readers_test {
namespace {

int rampValue(int x, int width)
{
    const int left = width / 2;
    const int span = width - 1 - left;
    return span <= 0 ? 0 : int(std::lround(255.0 * (x - left) / span));
}

bool contains(const QString &path, std::initializer_list<const char *> words)
{
    for (const char *w : words)
        if (path.contains(QLatin1String(w)))
            return true;
    return false;
}

QRgb meanOf(const QImage &picture, QRect area)
{
    qint64 r = 0, g = 0, b = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = picture.pixel(x, y);
            r += qRed(c), g += qGreen(c), b += qBlue(c);
        }
    const qint64 n = qint64(area.width()) * area.height();
    return qRgb(int(r / n), int(g / n), int(b / n));
}

int distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Photo-CD colours differ between decoders: full channels must stay high, empty ones low.
bool looselyMatches(QRgb got, QRgb want)
{
    const int g[] = {qRed(got), qGreen(got), qBlue(got)}, w[] = {qRed(want), qGreen(want), qBlue(want)};
    for (int i = 0; i < 3; ++i)
        if ((w[i] == 255 && g[i] <= 150) || (w[i] == 0 && g[i] >= 100))
            return false;
    return true;
}

QString describe(int x, int y, QRgb got, QRgb want)
{
    return QStringLiteral("(%1, %2): (%3, %4, %5, %6) attendu (%7, %8, %9, %10)")
        .arg(x).arg(y).arg(qRed(got)).arg(qGreen(got)).arg(qBlue(got)).arg(qAlpha(got))
        .arg(qRed(want)).arg(qGreen(want)).arg(qBlue(want)).arg(qAlpha(want));
}

// Lossy pictures: the mean of a small square at each quadrant's centre, and a ramp that
// grows from left to right along the bottom-right quadrant's middle row.
std::optional<QString> lossyMismatch(const QImage &picture, const Expectation &e)
{
    const int w = picture.width(), h = picture.height();
    const QPoint centres[] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}};
    for (QPoint c : centres) {
        const int r = std::max(1, std::min(w, h) / 16);
        const QRgb got = meanOf(picture, QRect(c - QPoint(r, r), c + QPoint(r, r)));
        const QRgb want = expectedColour(e.pattern, c.x(), c.y(), w, h);
        if (e.loose ? !looselyMatches(got, want) : distance(got, want) > e.lossyTolerance)
            return describe(c.x(), c.y(), got, want);
    }
    const int y = 3 * h / 4;
    const int left = qGray(picture.pixel(w / 2 + w / 16, y)), right = qGray(picture.pixel(w - 1 - w / 16, y));
    if (right - left < 100)
        return QStringLiteral("la rampe ne monte pas : %1 -> %2").arg(left).arg(right);
    return std::nullopt;
}

} // namespace

QRgb expectedColour(Pattern pattern, int x, int y, int width, int height)
{
    const bool right = x >= width / 2, bottom = y >= height / 2;
    if (pattern == Pattern::Bilevel) {
        const int v = (right != bottom) ? 255 : 0;
        return qRgb(v, v, v);
    }
    if (right && bottom) {
        const int v = rampValue(x, width);
        return qRgb(v, v, v);
    }
    if (pattern == Pattern::Grey) {
        const int v = bottom ? 150 : right ? 100 : 50;
        return qRgb(v, v, v);
    }
    return bottom ? qRgb(0, 0, 255) : right ? qRgb(0, 255, 0) : qRgb(255, 0, 0);
}

int expectedAlpha(Alpha alpha, int x, int y, int width, int height)
{
    const bool bottom = y >= height / 2;
    switch (alpha) {
    case Alpha::None: return 255;
    case Alpha::Ramp: return bottom ? int(std::lround(255.0 * x / (width - 1))) : 255;
    case Alpha::ClearBottomLeft: return bottom && x < width / 2 ? 0 : 255;
    }
    return 255;
}

Expectation expectationFor(const QString &path)
{
    Expectation e;
    if (contains(path, {"1bit", "pbm_", "bilevel", "pal1", "2col", "fax/"}))
        e.pattern = Pattern::Bilevel;
    else if (contains(path, {"grey", "pgm_", ".bw", "nopal"}))
        e.pattern = Pattern::Grey;
    if (contains(path, {"alpha", "rgba", "matte", "tga_pil_32", "ico_im_3sizes", "ico_png"}))
        e.alpha = Alpha::Ramp;
    else if (contains(path, {"gif_transparent", "png_pal8_trns"}))
        e.alpha = Alpha::ClearBottomLeft;
    if (contains(path, {"bmp_16bit", "tga_16", "16bitmap"}))
        e.tolerance = 8;
    else if (contains(path, {"cel/"}))
        e.tolerance = 3;
    else if (contains(path, {"16_", "rgb16", "grey16", "65535", "rgba16"}))
        e.tolerance = 1;
    // Palettes hold the ramp in their entries from 4 on: 12 greys in 16 colours, 252 in 256.
    else if (contains(path, {"4bit", "rle4", "pal4", "16col"}))
        e.tolerance = 12;
    else if (contains(path, {"8bit", "rle8", "pal8", "8_pal", "gif/", "cut_", "indexed"}))
        e.tolerance = 1;
    e.loose = contains(path, {"pcd/"});
    if (contains(path, {"jpeg/", "tif_jpeg", "wmf/", "pcd/"})) {
        e.lossy = true;
        e.lossyTolerance = contains(path, {"cmyk"}) ? 20 : contains(path, {"libreoffice"}) ? 16 : contains(path, {"wmf/"}) ? 12 : 14;
    }
    return e;
}

std::optional<QString> firstMismatch(const QImage &picture, const Expectation &e)
{
    if (e.lossy)
        return lossyMismatch(picture, e);
    const int w = picture.width(), h = picture.height();
    const bool hasAlpha = picture.hasAlphaChannel();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb got = picture.pixel(x, y);
            const int alpha = expectedAlpha(e.alpha, x, y, w, h);
            const QRgb want = (expectedColour(e.pattern, x, y, w, h) & 0x00FFFFFF) | QRgb(alpha) << 24;
            if (std::abs((hasAlpha ? qAlpha(got) : 255) - alpha) > std::max(e.tolerance, 1))
                return describe(x, y, got, want);
            if (alpha > 0 && distance(got, want) > e.tolerance)
                return describe(x, y, got, want);
        }
    }
    return std::nullopt;
}

QImage patternPicture(int width, int height, Pattern pattern)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, expectedColour(pattern, x, y, width, height));
    return picture;
}

} // namespace readers_test
