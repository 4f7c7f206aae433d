#include "imaging/scan/picture_loading.h"

#include "base/file_bytes.h"
#include "imaging/picture_buffer.h"
#include "imaging/thumbnail.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <limits>

namespace editor {

namespace {

// A reduced JPEG decode keeps at least twice the thumbnail box on the long side, so the
// final scaling still averages several source pixels per thumbnail pixel.
constexpr int kThumbnailDecodeSide = 2 * imaging::kThumbnailBox;

std::int32_t clampedFileSize(qint64 size)
{
    return std::int32_t(std::clamp<qint64>(size, 0, std::numeric_limits<std::int32_t>::max()));
}

QSize longSideAtLeast(QSize full, int side)
{
    return full.width() >= full.height() ? QSize(side, 1) : QSize(1, side);
}

} // namespace

QStringList listImageNames(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList names;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Unsorted);
    for (const QFileInfo &file : files)
        if (imaging::IsKnownImageExtension(file.suffix()))
            names << file.fileName();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString pathInFolder(const QString &folder, const QString &name)
{
    return folder.endsWith(QDir::separator()) || folder.endsWith(u'/') ? folder + name
                                                                       : folder + QDir::separator() + name;
}

QImage toPlainBitmap(QImage picture)
{
    if (picture.format() == QImage::Format_BGR888 || picture.isNull())
        return picture;
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_BGR888);
    if (picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    // Drawn over white band by band, in the picture's own memory where it can be.
    return imaging::narrowToBgr888(std::move(picture), [](const QImage &band, QImage &out) {
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, band);
    });
}

// The readers choose the decoder as for any file. For a JPEG file the header gives the full
// size first, so the decoder may stop at a reduced DCT scale.
Result<DecodedPicture> loadPicture(const QString &path, const std::function<QSize(QSize)> &atLeast,
                                   imaging::Orienting orienting)
{
    Result<QByteArray> data = readFileBytes(path);
    if (!data)
        return std::unexpected(data.error());
    imaging::PictureRequest request;
    request.atLeastFor = atLeast;
    request.orienting = orienting;
    request.callerTurns = true;
    auto loaded = imaging::DecodePicture(*data, QFileInfo(path).suffix(), path, request);
    *data = QByteArray(); // the file's bytes go before the picture is converted
    if (!loaded)
        return std::unexpected(loaded.error());
    QImage picture = loaded->plainBitmap ? std::move(loaded->image) : toPlainBitmap(std::move(loaded->image));
    if (picture.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour l'image « %1 ».").arg(QFileInfo(path).fileName()));
    return DecodedPicture{std::move(picture), loaded->fullSize, loaded->turn};
}

QImage scaledUpright(const DecodedPicture &loaded, QSize upright, bool filterOk)
{
    const QImage scaled = imaging::scaleByRule(loaded.picture, imaging::uprightSize(upright, loaded.turn), filterOk);
    return imaging::turnUpright(scaled, loaded.turn);
}

std::optional<TEnrData> loadThumbnailEntry(const QString &path, bool filterOk, imaging::Orienting orienting)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return std::nullopt;
    auto loaded = loadPicture(
        path, [](QSize full) { return longSideAtLeast(full, kThumbnailDecodeSide); }, orienting);
    if (!loaded)
        return std::nullopt;
    TEnrData entry;
    entry.thumbnail = scaledUpright(*loaded, imaging::thumbnailSize(loaded->fullSize), filterOk);
    if (entry.thumbnail.isNull())
        return std::nullopt;
    entry.width = loaded->fullSize.width();
    entry.height = loaded->fullSize.height();
    entry.fileSize = clampedFileSize(file.size());
    return entry;
}

QImage loadFittedPicture(const QString &path, QSize limits, bool filterOk)
{
    auto loaded = loadPicture(path, [limits](QSize full) {
        return imaging::fitToBoxSize(full, limits.width(), limits.height());
    });
    if (!loaded)
        return {};
    return scaledUpright(*loaded, imaging::fitToBoxSize(loaded->fullSize, limits.width(), limits.height()), filterOk);
}

} // namespace editor
