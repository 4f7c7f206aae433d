#include "player/builder/show_builder_core.h"

#include "imaging/jpeg_codec.h"
#include "imaging/readers/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace player {
namespace {

QString cannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible d'écrire le lumivelle %1 : %2").arg(path, reason);
}

} // namespace

QImage flattenForShow(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_BGR888);
    QImage flat(picture.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat.convertToFormat(QImage::Format_BGR888);
}

Result<QImage> decodeShowPicture(const QString &path)
{
    auto loaded = imaging::LoadPicture(path);
    if (!loaded)
        return fail(loaded.error().message);
    QImage picture = flattenForShow(loaded->image);
    if (picture.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour %1").arg(path));
    return picture;
}

Result<QByteArray> encodeShowPicture(const QImage &picture)
{
    return imaging::encodeJpeg(picture, kShowJpegQuality);
}

Result<QByteArray> encodeShowPicture(const QString &path)
{
    const Result<QImage> picture = decodeShowPicture(path);
    if (!picture)
        return std::unexpected(picture.error());
    return encodeShowPicture(*picture);
}

QString showMusicName(const QString &musicPath)
{
    return musicPath.isEmpty() ? QString() : QFileInfo(musicPath).fileName();
}

Result<QString> copyMusicBeside(const QString &musicPath, const QString &folder)
{
    const QString target = QDir(folder).filePath(showMusicName(musicPath));
    if (!QFileInfo::exists(musicPath))
        return fail(QStringLiteral("Fichier de musique introuvable : %1").arg(musicPath));
    if (QFileInfo(musicPath).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return target;
    // Replaced only by a whole copy: a failed copy keeps the music that was there.
    QFile in(musicPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossible de lire la musique %1 : %2").arg(musicPath, in.errorString()));
    const auto copied = writeFileAtomically(target, [&in](QIODevice &out) -> Result<void> {
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(1 << 20);
            if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
                return fail(in.errorString());
            out.write(chunk);
        }
        return {};
    });
    if (!copied)
        return fail(QStringLiteral("Impossible de copier la musique vers %1 : %2").arg(target, copied.error().message));
    return target;
}

ShowExecutableWriter::ShowExecutableWriter(const QString &targetPath) : m_file(targetPath), m_writer(m_file.device()) {}

Result<std::unique_ptr<ShowExecutableWriter>> ShowExecutableWriter::begin(const QString &playerPath,
                                                                          const QString &targetPath,
                                                                          const TShowHeader &header)
{
    std::unique_ptr<ShowExecutableWriter> writer(new ShowExecutableWriter(targetPath));
    if (auto opened = writer->m_file.open(); !opened)
        return std::unexpected(opened.error());
    if (auto copied = writer->copyPlayer(playerPath); !copied)
        return std::unexpected(copied.error());
    if (auto written = writer->m_writer.writeHeader(header); !written)
        return std::unexpected(written.error());
    return writer;
}

Result<void> ShowExecutableWriter::copyPlayer(const QString &playerPath)
{
    QFile player(playerPath);
    if (!player.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossible de lire le lecteur %1 : %2").arg(playerPath, player.errorString()));
    constexpr qint64 kChunk = 1 << 20;
    while (!player.atEnd()) {
        const QByteArray chunk = player.read(kChunk);
        if (chunk.isEmpty() && player.error() != QFileDevice::NoError)
            return fail(QStringLiteral("Impossible de lire le lecteur %1 : %2").arg(playerPath, player.errorString()));
        if (m_file.device().write(chunk) != chunk.size())
            return fail(cannotWrite(m_file.path(), m_file.device().errorString()));
    }
    return {};
}

Result<SlideWritten> ShowExecutableWriter::addSlide(const QString &picturePath, const TSlideRecord &record)
{
    if (!QFileInfo(picturePath).isFile())
        return SlideWritten::Missing;
    return addPreparedSlide(record, encodeShowPicture(picturePath));
}

Result<SlideWritten> ShowExecutableWriter::addPreparedSlide(const TSlideRecord &record, const Result<QByteArray> &jpeg)
{
    if (!jpeg) {
        if (auto written = m_writer.writeEmptySlide(record); !written)
            return std::unexpected(written.error());
        return SlideWritten::Empty;
    }
    if (auto written = m_writer.writeSlide(record, *jpeg); !written)
        return std::unexpected(written.error());
    return SlideWritten::Picture;
}

Result<void> ShowExecutableWriter::finish()
{
    if (auto written = m_writer.finish(); !written)
        return written;
    if (auto committed = m_file.commit(); !committed)
        return committed;
    QFile done(m_file.path());
    const auto executable = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!done.setPermissions(done.permissions() | executable))
        return fail(cannotWrite(done.fileName(), done.errorString()));
    return {};
}

} // namespace player
