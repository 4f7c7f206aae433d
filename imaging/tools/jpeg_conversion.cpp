#include "imaging/tools/jpeg_conversion.h"

#include "imaging/jpeg_codec.h"

#include <QDir>
#include <QFileInfo>

namespace imagetools {
namespace {

QStringList targetsOf(const QStringList &sources, const QString &folder)
{
    QStringList targets;
    for (const QString &source : sources)
        targets << convertTargetPath(source, folder);
    return targets;
}

} // namespace

QString convertTargetPath(const QString &source, const QString &folder)
{
    const QFileInfo info(source);
    const QString name = info.fileName();
    const QString suffix = info.suffix();
    QString target;
    if (suffix.compare(u"jpg", Qt::CaseInsensitive) == 0)
        target = name;
    else
        target = (suffix.isEmpty() ? name : name.chopped(suffix.size() + 1)) + QStringLiteral(".jpg");
    return QDir(folder).filePath(target);
}

ConvertBatch::ConvertBatch(QStringList sources, const QString &folder, int quality, bool readAhead)
    : m_sources(std::move(sources)), m_targets(targetsOf(m_sources, folder)), m_quality(quality),
      m_reader(m_sources, m_targets, readAhead)
{
}

ConvertResult ConvertBatch::run(int index)
{
    ConvertResult result;
    result.target = m_targets[index];
    Result<ToolPicture> picture = m_reader.take(index);
    if (!picture) {
        result.failure = picture.error().message;
        return result;
    }
    Result<QByteArray> encoded = imaging::encodeJpeg(picture->bitmap, m_quality);
    picture->bitmap = QImage();
    if (encoded) {
        if (auto written = writePictureFile(result.target, *encoded); !written)
            encoded = std::unexpected(written.error());
    }
    if (!encoded) {
        result.status = ConvertStatus::WriteFailed;
        result.failure = encoded.error().message;
        return result;
    }
    result.status = ConvertStatus::Written;
    return result;
}

} // namespace imagetools
