#include "imaging/readers/decode_support.h"

#include "imaging/picture_buffer.h"

#include <QColor>

namespace imaging::readers {

Failure truncatedFile(const char *format)
{
    return Failure{QStringLiteral("Fichier %1 tronqué.").arg(QLatin1StringView(format))};
}

Failure invalidHeader(const char *format)
{
    return Failure{QStringLiteral("En-tête %1 invalide.").arg(QLatin1StringView(format))};
}

Failure corruptData(const char *format)
{
    return Failure{QStringLiteral("Données %1 corrompues.").arg(QLatin1StringView(format))};
}

Failure unsupportedVariant(const char *format, const QString &what)
{
    return Failure{QStringLiteral("Variante %1 non prise en charge : %2.").arg(QLatin1StringView(format), what)};
}

Result<void> checkDimensions(qint64 width, qint64 height, const char *format)
{
    if (width < 1 || height < 1)
        return std::unexpected(invalidHeader(format));
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return fail(QStringLiteral("Image %1 trop grande (%2 × %3 pixels).")
                        .arg(QLatin1StringView(format)).arg(width).arg(height));
    return {};
}

Result<QImage> newPicture(qint64 width, qint64 height, bool alpha, const char *format)
{
    if (auto ok = checkDimensions(width, height, format); !ok)
        return std::unexpected(ok.error());
    QImage picture = imaging::newLargePicture(int(width), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    if (picture.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.").arg(width).arg(height));
    return picture;
}

Palette Palette::grey(int count)
{
    Palette p;
    const int steps = std::clamp(count, 2, 256) - 1;
    for (int i = 0; i <= steps; ++i) {
        const int v = scaleToByte(quint32(i), quint32(steps));
        p.colours[i] = qRgb(v, v, v);
    }
    return p;
}

void expandIndexedRow(const uchar *indices, int bitsPerPixel, int width, const Palette &palette,
                      uchar *row, bool alpha)
{
    const int perByte = 8 / bitsPerPixel;
    const int mask = (1 << bitsPerPixel) - 1;
    for (int x = 0; x < width; ++x) {
        int index;
        if (bitsPerPixel == 8) {
            index = indices[x];
        } else {
            const int shift = 8 - bitsPerPixel * (x % perByte + 1);
            index = (indices[x / perByte] >> shift) & mask;
        }
        if (alpha)
            reinterpret_cast<QRgb *>(row)[x] = palette[index];
        else
            putBgr(row + 3 * x, palette[index]);
    }
}

void fillPicture(QImage &picture, QRgb colour)
{
    picture.fill(QColor::fromRgba(colour));
}

QImage settleAlpha(QImage picture)
{
    if (picture.format() != QImage::Format_ARGB32)
        return picture;
    bool allOpaque = true, allClear = true;
    for (int y = 0; y < picture.height() && (allOpaque || allClear); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int a = qAlpha(line[x]);
            allOpaque = allOpaque && a == 255;
            allClear = allClear && a == 0;
        }
    }
    if (!allOpaque && !allClear)
        return picture;
    // In the picture's own memory where it can be: a second full copy of a huge picture
    // could be what makes memory run out.
    return imaging::narrowToBgr888(std::move(picture), [](const QImage &band, QImage &out) {
        for (int y = 0; y < band.height(); ++y) {
            const QRgb *src = reinterpret_cast<const QRgb *>(band.constScanLine(y));
            uchar *dst = out.scanLine(y);
            for (int x = 0; x < band.width(); ++x)
                putBgr(dst + 3 * x, src[x]);
        }
    });
}

bool isOpaque(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace imaging::readers
