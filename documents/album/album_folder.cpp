#include "documents/album/album_folder.h"

#include "base/path_identity.h"
#include "base/byte_view.h"
#include "documents/album/ccl_format.h"
#include "imaging/jpeg_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace album {

namespace {

constexpr Qt::CaseSensitivity kFileNameCase =
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

// A thumbnail is at most 100 x 100 pixels; its JPEG cannot sensibly be larger than this.
constexpr qint64 kLargestThumbnailJpeg = 4 * 1024 * 1024;

} // namespace

QStringList albumFilesIn(const QString &folder)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | (kFileNameCase == Qt::CaseSensitive ? QDir::CaseSensitive : QDir::Filters()));
    dir.setNameFilters({QStringLiteral("*.ccl")});
    QStringList names = dir.entryList();
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (QString &name : names)
        name = dir.filePath(name);
    return names;
}

std::optional<AlbumSummary> summaryFromHead(const QString &name, QByteArrayView head)
{
    const auto count = acceptedEntryCount(head);
    const ByteView bytes(head);
    if (!count || !bytes.has(kCclHeaderSize, kCclRecordSize))
        return std::nullopt;
    const CclRecord first = decodeCclRecord(bytes.slice(kCclHeaderSize, kCclRecordSize));
    const qint64 jpegAt = kCclHeaderSize + kCclRecordSize;
    if (first.jpegSize <= 0 || !bytes.has(jpegAt, first.jpegSize))
        return std::nullopt;
    const QByteArrayView jpeg = bytes.slice(jpegAt, first.jpegSize);
    const auto info = imaging::readJpegInfo(jpeg);
    if (!info || info->width > kPreviewSide || info->height > kPreviewSide)
        return std::nullopt;
    const auto thumbnail = imaging::decodeJpeg(jpeg, {}, imaging::JpegDct::Fast);
    if (!thumbnail)
        return std::nullopt;
    return AlbumSummary{name, *count, makeAlbumPreview(*thumbnail)};
}

std::optional<AlbumSummary> readAlbumSummary(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray head = file.read(kCclHeaderSize + kCclRecordSize);
    if (head.size() < kCclHeaderSize + kCclRecordSize)
        return std::nullopt;
    const qint64 jpegSize = ByteView(head).le32s(kCclHeaderSize + ccl::kJpegSize);
    if (jpegSize <= 0 || jpegSize > kLargestThumbnailJpeg)
        return std::nullopt;
    head += file.read(jpegSize);
    return summaryFromHead(QFileInfo(path).completeBaseName(), head);
}

QImage makeAlbumPreview(const QImage &thumbnail)
{
    QImage preview(kPreviewSide, kPreviewSide, QImage::Format_BGR888);
    preview.fill(Qt::white);
    const QImage source = thumbnail.convertToFormat(QImage::Format_BGR888);
    const int width = std::min(source.width(), kPreviewSide);
    const int height = std::min(source.height(), kPreviewSide);
    const int left = (kPreviewSide - width) / 2;
    const int top = (kPreviewSide - height) / 2;
    for (int y = 0; y < height; ++y)
        std::memcpy(preview.scanLine(top + y) + 3 * left, source.constScanLine(y), std::size_t(width) * 3);
    for (int i = 0; i < kPreviewSide; ++i) {
        preview.setPixel(i, 0, kPreviewFrameColour);
        preview.setPixel(i, kPreviewSide - 1, kPreviewFrameColour);
        preview.setPixel(0, i, kPreviewFrameColour);
        preview.setPixel(kPreviewSide - 1, i, kPreviewFrameColour);
    }
    return preview;
}

QImage withSilverTransparent(const QImage &preview)
{
    QImage drawn = preview.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(drawn.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x)
            if ((line[x] | 0xFF000000) == kPreviewTransparentColour)
                line[x] = 0;
    }
    return drawn;
}

QString albumPathInFolder(const QString &folder, const QString &name)
{
    return withTrailingSeparator(folder) + name + QStringLiteral(".ccl");
}

} // namespace album
