#include "imaging/readers/picture_loader.h"

#include "imaging/readers/reader_registry.h"

#include <QFile>
#include <QFileInfo>

namespace imaging {
namespace {

using readers::ReaderFamily;

// The file's bytes, mapped when the system allows it (no copy), read otherwise.
class FileBytes {
public:
    Result<QByteArrayView> open(const QString &path)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Impossible d'ouvrir « %1 » : %2").arg(QFileInfo(path).fileName(), m_file.errorString()));
        const qint64 size = m_file.size();
        if (size <= 0)
            return fail(QStringLiteral("Le fichier « %1 » est vide.").arg(QFileInfo(path).fileName()));
        if (const uchar *mapped = m_file.map(0, size))
            return QByteArrayView(mapped, size);
        m_copy = m_file.readAll();
        if (m_copy.size() != size)
            return fail(QStringLiteral("Impossible de lire « %1 » : %2").arg(QFileInfo(path).fileName(), m_file.errorString()));
        return QByteArrayView(m_copy);
    }

private:
    QFile m_file;
    QByteArray m_copy;
};

Result<LoadedPicture> decodeWith(const ReaderFamily &family, const readers::DecodeRequest &request)
{
    auto image = family.decode(request);
    if (!image)
        return std::unexpected(image.error());
    return LoadedPicture{std::move(*image), family.plainBitmap, family.name};
}

} // namespace

Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path, QSize atLeast)
{
    const readers::DecodeRequest request{data, path, atLeast};
    const ReaderFamily *byName = readers::familyForExtension(extension);
    Result<LoadedPicture> first = fail(QStringLiteral("Format d'image non reconnu."));
    if (byName) {
        first = decodeWith(*byName, request);
        if (first)
            return first;
    }
    if (const ReaderFamily *byContent = readers::familyForContent(data, byName)) {
        auto second = decodeWith(*byContent, request);
        if (second || !byName)
            return second;
    }
    return first;
}

Result<LoadedPicture> LoadPicture(const QString &path, QSize atLeast)
{
    FileBytes bytes;
    auto data = bytes.open(path);
    if (!data)
        return std::unexpected(data.error());
    return DecodePicture(*data, QFileInfo(path).suffix(), path, atLeast);
}

Result<QSize> ReadPictureSize(const QString &path)
{
    FileBytes bytes;
    auto data = bytes.open(path);
    if (!data)
        return std::unexpected(data.error());
    const ReaderFamily *family = readers::familyForExtension(QFileInfo(path).suffix());
    if (!family || (family->sniff && !family->sniff(*data)))
        family = readers::familyForContent(*data, nullptr);
    if (family && family->size)
        if (auto size = family->size(*data))
            return *size;
    auto picture = DecodePicture(*data, QFileInfo(path).suffix(), path);
    if (!picture)
        return std::unexpected(picture.error());
    return picture->image.size();
}

} // namespace imaging
