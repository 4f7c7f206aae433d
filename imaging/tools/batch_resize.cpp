#include "imaging/tools/batch_resize.h"

#include "base/rounding.h"
#include "imaging/jpeg_codec.h"
#include "imaging/resampler.h"
#include "imaging/tools/rotate_and_save.h"

#include <QDir>
#include <QFileInfo>

namespace imagetools {
namespace {

constexpr int kReplacedTail = 4; // ".jpg", ".bmp", or "jpeg" of ".jpeg"

QStringList targetsOf(const QStringList &sources, const ResizeOptions &options)
{
    QStringList targets;
    for (const QString &source : sources)
        targets << resizeTargetPath(source, options);
    return targets;
}

} // namespace

QStringList filterListTexts()
{
    return {QStringLiteral("Rapide (sans interpolation)"), QStringLiteral("Filtre Box"),
            QStringLiteral("Filtre Triangle"),             QStringLiteral("Filtre Hermite"),
            QStringLiteral("Filtre Bell"),                 QStringLiteral("Filtre B-Spline"),
            QStringLiteral("Filtre Lanczos3"),             QStringLiteral("Filtre Mitchel")};
}

bool isResizableFile(const QString &path)
{
    return fileKindOf(path) != FileKind::Other;
}

std::optional<QSize> resizedSize(QSize picture, QSize box, bool largerOnly)
{
    const int w = picture.width(), h = picture.height();
    if (largerOnly && w <= box.width() && h <= box.height())
        return std::nullopt;
    if (w > h)
        return QSize(box.width(), int(roundHalfEven(double(h) * box.width() / w)));
    return QSize(int(roundHalfEven(double(w) * box.height() / h)), box.height());
}

QString resizeTargetPath(const QString &source, const ResizeOptions &options)
{
    switch (options.copyStyle) {
    case CopyStyle::SameFolder:
        return source.chopped(std::min<qsizetype>(kReplacedTail, source.size()))
               + (fileKindOf(source) == FileKind::Bitmap ? QStringLiteral("(1).bmp") : QStringLiteral("(1).jpg"));
    case CopyStyle::OtherFolder:
        return QDir(options.folder).filePath(QFileInfo(source).fileName());
    case CopyStyle::InPlace:
        break;
    }
    return source;
}

ResizeBatch::ResizeBatch(QStringList sources, ResizeOptions options, bool readAhead)
    : m_sources(std::move(sources)), m_targets(targetsOf(m_sources, options)), m_options(std::move(options)),
      m_reader(m_sources, m_targets, readAhead)
{
}

ResizeResult ResizeBatch::run(int index)
{
    ResizeResult result;
    result.target = m_targets[index];
    Result<ToolPicture> picture = m_reader.take(index);
    if (!picture) {
        result.failure = picture.error().message;
        return result;
    }
    const std::optional<QSize> size = resizedSize(picture->bitmap.size(), m_options.box, m_options.largerOnly);
    if (!size) {
        result.status = ResizeStatus::Skipped;
        return result;
    }
    result.size = *size;
    QImage resized;
    if (size->isEmpty()) { // a box or a side rounded down to nothing
        result.status = ResizeStatus::ResizeFailed;
        return result;
    }
    if (auto done = imaging::ResizeBitmap(picture->bitmap, resized, size->width(), size->height(),
                                          m_options.filterIndex);
        !done || resized.isNull()) {
        result.status = ResizeStatus::ResizeFailed;
        result.failure = done ? QString() : done.error().message;
        return result;
    }
    picture->bitmap = QImage();
    Result<QByteArray> encoded = fileKindOf(m_sources[index]) == FileKind::Bitmap
                                     ? encodeBmp24(resized)
                                     : imaging::encodeJpeg(resized, kResizedJpegQuality);
    if (!encoded) {
        result.status = ResizeStatus::WriteFailed;
        result.failure = encoded.error().message;
        return result;
    }
    if (auto written = writePictureFile(result.target, *encoded); !written) {
        result.status = ResizeStatus::WriteFailed;
        result.failure = written.error().message;
        return result;
    }
    result.status = ResizeStatus::Written;
    return result;
}

} // namespace imagetools
