#include "imaging/scan/picture_loading.h"

#include "base/file_bytes.h"
#include "imaging/picture_buffer.h"
#include "imaging/thumbnail.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

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

// Read with readdir: the kind of most entries comes with the name, so a folder of
// thousands of pictures is listed without asking the disk about each file; links and
// entries of unknown kind are looked up. Names are sorted on their case-folded form,
// folded once each.
QStringList listImageNames(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return {};
    const QByteArray prefix = QFile::encodeName(pathInFolder(folder, QString()));
    struct Named {
        QString folded;
        QString name;
    };
    std::vector<Named> found;
    while (const dirent *item = ::readdir(dir)) {
        if (item->d_name[0] == '.')
            continue; // hidden, and the folder's own entries
        bool regular = item->d_type == DT_REG;
        if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
            struct stat status {};
            regular = ::stat((prefix + item->d_name).constData(), &status) == 0 && S_ISREG(status.st_mode);
        }
        if (!regular)
            continue;
        QString name = QFile::decodeName(item->d_name);
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot < 0 || !imaging::IsKnownImageExtension(name.mid(dot + 1)))
            continue;
        found.push_back({name.toCaseFolded(), std::move(name)});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const Named &a, const Named &b) {
        const int order = a.folded.compare(b.folded);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (Named &n : found)
        names << std::move(n.name);
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
