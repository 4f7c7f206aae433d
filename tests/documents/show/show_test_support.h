#pragma once
// What the show document tests share: pictures made on the spot and slides of a show.
#include "documents/show/slide_entry.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

namespace show_test {

inline QImage solid(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_BGR888);
    picture.fill(colour);
    return picture;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline showdoc::ShowSlide slide(const QString &path, const QImage &thumbnail = solid(100, 75, Qt::red))
{
    showdoc::ShowSlide s;
    s.path = path;
    s.entry.width = 4000;
    s.entry.height = 3000;
    s.entry.fileSize = 2600000;
    s.entry.thumbnail = thumbnail;
    return s;
}

// The mean colour of a picture, for thumbnails that went through JPEG.
inline QColor meanColour(const QImage &picture)
{
    qint64 r = 0, g = 0, b = 0;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
    const qint64 n = qMax<qint64>(1, qint64(rgb.width()) * rgb.height());
    return QColor(int(r / n), int(g / n), int(b / n));
}

} // namespace show_test
