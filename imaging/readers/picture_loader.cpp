#include "imaging/readers/picture_loader.h"

#include "base/file_bytes.h"
#include "imaging/readers/reader_registry.h"

#include <QFileInfo>

namespace imaging {
namespace {

using readers::ReaderFamily;

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
    const auto data = readFileBytes(path);
    if (!data)
        return std::unexpected(data.error());
    return DecodePicture(*data, QFileInfo(path).suffix(), path, atLeast);
}

Result<QSize> ReadPictureSize(const QString &path)
{
    const auto data = readFileBytes(path);
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
