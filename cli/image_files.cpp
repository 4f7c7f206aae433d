#include "cli/image_files.h"

#include "base/atomic_file.h"
#include "imaging/jpeg_codec.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <cctype>
#include <cstring>
#include <optional>

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

// 8-bit P6 files are read here directly (the common case, and fast for big pictures);
// other maxvals and the ASCII form go through Qt's reader.
Result<QImage> loadPpm(const QString &path, QByteArrayView bytes)
{
    const std::optional<PpmHeader> header = parsePpmHeader(bytes);
    if (!header || header->maxValue != 255) {
        QImageReader reader(path, "ppm");
        QImage picture = reader.read();
        if (picture.isNull())
            return fail(QStringLiteral("%1 : %2").arg(path, reader.errorString()));
        return picture.convertToFormat(QImage::Format_BGR888);
    }
    const qsizetype rowBytes = qsizetype(header->width) * 3;
    if (bytes.size() - header->dataOffset < rowBytes * header->height)
        return fail(QStringLiteral("%1 : fichier PPM tronqué").arg(path));
    QImage picture(header->width, header->height, QImage::Format_RGB888); // same byte order as P6
    if (picture.isNull())
        return fail(QStringLiteral("%1 : image trop grande").arg(path));
    for (int y = 0; y < header->height; ++y)
        std::memcpy(picture.scanLine(y), bytes.data() + header->dataOffset + y * rowBytes, std::size_t(rowBytes));
    picture.convertTo(QImage::Format_BGR888);
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

Result<void> savePng(const QImage &picture, const QString &path)
{
    return writeFileAtomically(path, [&](QIODevice &out) -> Result<void> {
        QImageWriter writer(&out, "png");
        if (!writer.write(picture))
            return fail(QStringLiteral("%1 : %2").arg(path, writer.errorString()));
        return {};
    });
}

} // namespace

Result<QImage> loadPictureForCli(const QString &path)
{
    const FileKind kind = kindOf(path);
    if (kind == FileKind::Unknown)
        return std::unexpected(unsupported(path));
    if (kind == FileKind::Jpeg) {
        Result<QImage> picture = imaging::loadJpegFile(path);
        if (!picture && !picture.error().message.contains(path))
            return fail(QStringLiteral("%1 : %2").arg(path, picture.error().message));
        return picture;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("impossible d'ouvrir %1 : %2").arg(path, file.errorString()));
    if (kind == FileKind::Ppm) {
        const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
        const QByteArray copy = mapped ? QByteArray() : file.readAll();
        return loadPpm(path, mapped ? QByteArrayView(mapped, file.size()) : QByteArrayView(copy));
    }
    QImageReader reader(&file, "png");
    QImage picture = reader.read();
    if (picture.isNull())
        return fail(QStringLiteral("%1 : %2").arg(path, reader.errorString()));
    return picture;
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
