#include "imaging/tools/picture_files.h"

#include "base/atomic_file.h"
#include "imaging/scan/picture_loading.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace imagetools {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780; // 96 dots per inch

void putU16(uchar *at, quint16 value) { qToLittleEndian(value, at); }
void putU32(uchar *at, quint32 value) { qToLittleEndian(value, at); }

void writeHeaders(uchar *head, int width, int height, quint32 imageBytes)
{
    const quint32 offset = kFileHeaderSize + kInfoHeaderSize;
    head[0] = 'B';
    head[1] = 'M';
    putU32(head + 2, offset + imageBytes);
    putU32(head + 6, 0);
    putU32(head + 10, offset);
    uchar *info = head + kFileHeaderSize;
    putU32(info, kInfoHeaderSize);
    putU32(info + 4, quint32(width));
    putU32(info + 8, quint32(height)); // positive: bottom-up rows
    putU16(info + 12, 1);              // planes
    putU16(info + 14, 24);             // bits per pixel
    putU32(info + 16, 0);              // BI_RGB
    putU32(info + 20, imageBytes);
    putU32(info + 24, kPixelsPerMetre);
    putU32(info + 28, kPixelsPerMetre);
    putU32(info + 32, 0);
    putU32(info + 36, 0);
}

Result<ToolPicture> toToolPicture(Result<imaging::LoadedPicture> loaded)
{
    if (!loaded)
        return std::unexpected(loaded.error());
    QImage bitmap = editor::toPlainBitmap(std::move(loaded->image));
    if (bitmap.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour l'image"));
    return ToolPicture{std::move(bitmap), loaded->plainBitmap};
}

} // namespace

Result<ToolPicture> loadToolPicture(const QString &path)
{
    return toToolPicture(imaging::LoadPicture(path));
}

Result<ToolPicture> decodeToolPicture(QByteArrayView bytes, const QString &path)
{
    return toToolPicture(imaging::DecodePicture(bytes, QFileInfo(path).suffix(), path));
}

Result<QByteArray> encodeBmp24Rows(QSize size, const std::function<void(uchar *topRow, qsizetype stride)> &fill)
{
    if (size.isEmpty())
        return fail(QStringLiteral("Aucune image à enregistrer"));
    const qint64 rowBytes = (qint64(size.width()) * 3 + 3) / 4 * 4;
    const qint64 imageBytes = rowBytes * size.height();
    if (imageBytes > std::numeric_limits<qint32>::max() - kFileHeaderSize - kInfoHeaderSize)
        return fail(QStringLiteral("Image trop grande pour le format BMP"));
    QByteArray bytes(kFileHeaderSize + kInfoHeaderSize + imageBytes, '\0');
    if (bytes.isEmpty())
        return fail(QStringLiteral("Mémoire insuffisante pour l'image"));
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    writeHeaders(out, size.width(), size.height(), quint32(imageBytes));
    uchar *bottomRow = out + kFileHeaderSize + kInfoHeaderSize;
    fill(bottomRow + (size.height() - 1) * rowBytes, -rowBytes);
    return bytes;
}

Result<QByteArray> encodeBmp24(const QImage &picture)
{
    if (picture.isNull())
        return fail(QStringLiteral("Aucune image à enregistrer"));
    const QImage bgr = picture.format() == QImage::Format_BGR888 ? picture
                                                                 : picture.convertToFormat(QImage::Format_BGR888);
    if (bgr.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour l'image"));
    const std::size_t pixelBytes = std::size_t(bgr.width()) * 3;
    return encodeBmp24Rows(bgr.size(), [&](uchar *row, qsizetype stride) {
        for (int y = 0; y < bgr.height(); ++y, row += stride)
            std::memcpy(row, bgr.constScanLine(y), pixelBytes);
    });
}

Result<void> writePictureFile(const QString &path, QByteArrayView bytes)
{
    return writeFileAtomically(path, bytes);
}

} // namespace imagetools
