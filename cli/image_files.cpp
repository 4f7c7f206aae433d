#include "cli/image_files.h"

#include "base/atomic_file.h"
#include "imaging/jpeg_codec.h"
#include "imaging/picture_buffer.h"
#include "imaging/readers/picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

namespace cli {
namespace {

enum class FileKind { Png, Ppm, Jpeg, Unknown };

FileKind kindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return FileKind::Png;
    if (suffix == QLatin1String("ppm"))
        return FileKind::Ppm;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return FileKind::Jpeg;
    return FileKind::Unknown;
}

Failure unsupported(const QString &path)
{
    return Failure{QStringLiteral("format non pris en charge (png, ppm, jpg) : %1").arg(path)};
}

// Header of a binary PPM: "P6", width, height, maxval, separated by white space and
// comments, then one white-space byte before the samples.
struct PpmHeader {
    int width = 0, height = 0, maxValue = 0;
    qsizetype dataOffset = 0;
};

std::optional<PpmHeader> parsePpmHeader(QByteArrayView bytes)
{
    if (!bytes.startsWith("P6"))
        return std::nullopt;
    qsizetype at = 2;
    int numbers[3] = {};
    for (int &number : numbers) {
        while (at < bytes.size() && (std::isspace(uchar(bytes[at])) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else
                ++at;
        }
        qint64 value = 0;
        const qsizetype digits = at;
        while (at < bytes.size() && std::isdigit(uchar(bytes[at])) && value < 1000000)
            value = value * 10 + (bytes[at++] - '0');
        if (at == digits || value <= 0 || value >= 1000000)
            return std::nullopt;
        number = int(value);
    }
    if (at >= bytes.size() || !std::isspace(uchar(bytes[at])))
        return std::nullopt;
    return PpmHeader{numbers[0], numbers[1], numbers[2], at + 1};
}

// P6 samples are R, G, B: swapped in place into the picture's B, G, R.
void swapRedAndBlue(QImage &picture)
{
    const int width = picture.width(), height = picture.height();
    for (int y = 0; y < height; ++y) {
        uchar *p = picture.scanLine(y);
        for (int x = 0; x < width; ++x, p += 3)
            std::swap(p[0], p[2]);
    }
}

Result<QImage> loadPpmWithQt(const QString &path)
{
    QImageReader reader(path, "ppm");
    QImage picture = reader.read();
    if (picture.isNull())
        return fail(QStringLiteral("%1 : %2").arg(path, reader.errorString()));
    return picture.convertToFormat(QImage::Format_BGR888);
}

// 8-bit P6 files are read here directly into the picture (the common case, and fast for
// big pictures); other maxvals and the ASCII form go through Qt's reader.
Result<QImage> loadPpm(const QString &path, QFile &file)
{
    const QByteArray start = file.peek(4096);
    const std::optional<PpmHeader> header = parsePpmHeader(start);
    if (!header || header->maxValue != 255)
        return loadPpmWithQt(path);
    const qsizetype rowBytes = qsizetype(header->width) * 3;
    if (file.size() - header->dataOffset < rowBytes * header->height)
        return fail(QStringLiteral("%1 : fichier PPM tronqué").arg(path));
    QImage picture = imaging::newLargePicture(header->width, header->height, QImage::Format_BGR888);
    if (picture.isNull())
        return fail(QStringLiteral("%1 : image trop grande").arg(path));
    file.seek(header->dataOffset);
    const bool packed = picture.bytesPerLine() == rowBytes;
    for (int y = 0; y < header->height; y += packed ? header->height : 1) {
        const qint64 want = packed ? rowBytes * header->height : rowBytes;
        if (file.read(reinterpret_cast<char *>(picture.scanLine(y)), want) != want)
            return fail(QStringLiteral("%1 : %2").arg(path, file.errorString()));
    }
    swapRedAndBlue(picture);
    return picture;
}

Result<void> savePpm(const QImage &picture, const QString &path)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    return writeFileAtomically(path, [&](QIODevice &out) -> Result<void> {
        out.write(QStringLiteral("P6\n%1 %2\n255\n").arg(rgb.width()).arg(rgb.height()).toLatin1());
        for (int y = 0; y < rgb.height(); ++y)
            out.write(reinterpret_cast<const char *>(rgb.constScanLine(y)), qint64(rgb.width()) * 3);
        return {};
    });
}

// Encoded in memory first: the PNG encoder never meets a failing write, and the file's
// failure is the atomic writer's to report.
Result<void> savePng(const QImage &picture, const QString &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        return fail(QStringLiteral("%1 : %2").arg(path, writer.errorString()));
    return writeFileAtomically(path, png);
}

} // namespace

Result<QImage> loadPictureForCli(const QString &path, imaging::Orienting orienting)
{
    if (kindOf(path) == FileKind::Ppm) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("impossible d'ouvrir %1 : %2").arg(path, file.errorString()));
        return loadPpm(path, file);
    }
    // Every other format the program reads (JPEG, PNG, BMP, TIFF, GIF, metafiles...),
    // photos turned upright by their orientation tag unless asked otherwise.
    imaging::PictureRequest request;
    request.orienting = orienting;
    auto loaded = imaging::LoadPicture(path, request);
    if (!loaded && !loaded.error().message.contains(path))
        return fail(QStringLiteral("%1 : %2").arg(path, loaded.error().message));
    if (!loaded)
        return std::unexpected(loaded.error());
    return std::move(loaded->image);
}

Result<void> savePictureForCli(const QImage &picture, const QString &path, int jpegQuality)
{
    switch (kindOf(path)) {
    case FileKind::Png: return savePng(picture, path);
    case FileKind::Ppm: return savePpm(picture, path);
    case FileKind::Jpeg: return imaging::saveJpegFile(picture, path, jpegQuality);
    case FileKind::Unknown: break;
    }
    return std::unexpected(unsupported(path));
}

} // namespace cli
