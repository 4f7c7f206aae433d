#pragma once
// Helpers of the web gallery tests: pictures written on the spot, a gallery page read
// back as lines, and the parts of a page the tests look at.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace gallery_test {

// A picture of `width` x `height`, a diagonal gradient so that JPEG and thumbnails have
// something to work on.
inline QString writePicture(const QString &path, int width, int height, const char *format = nullptr)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    EXPECT_TRUE(image.save(path, format));
    return path;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page's lines; every line must end with CR LF.
inline QStringList pageLines(const QByteArray &bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QString text = QString::fromLatin1(bytes);
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n"))) << "a line ends without CR LF";
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

// The thumbnail cells of a page, row by row: the arguments of afficheVignette as written.
inline QList<QStringList> imageRows(const QStringList &lines)
{
    QList<QStringList> rows;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != QStringLiteral("  <tr>") || !lines[i + 1].contains(QStringLiteral("valigne=")))
            continue;
        QStringList cells;
        for (int j = i + 1; j < lines.size() && lines[j] != QStringLiteral("  </tr>"); ++j) {
            const qsizetype at = lines[j].indexOf(QStringLiteral("afficheVignette(\""));
            if (at >= 0)
                cells << lines[j].mid(at + 17).section(QStringLiteral("\");</SCRIPT>"), 0, 0);
        }
        rows << cells;
    }
    return rows;
}

// The navigation line: the line after the table's "<br>", when it holds a link.
inline QString navigationLine(const QStringList &lines)
{
    const qsizetype br = lines.indexOf(QStringLiteral("<br>"));
    if (br < 0 || br + 1 >= lines.size() || !lines[br + 1].startsWith(QStringLiteral("<A HREF")))
        return {};
    return lines[br + 1];
}

} // namespace gallery_test
