#include "imaging/readers/picture_loader.h"

#include "base/file_bytes.h"
#include "imaging/readers/reader_registry.h"

#include <QFileInfo>
#include <atomic>

namespace imaging {
namespace {

using readers::ReaderFamily;

std::atomic<bool> g_autoOrient{true};

// The turn that makes a picture of `family` upright under `orienting`.
Orientation turnFor(const ReaderFamily &family, QByteArrayView data, Orienting orienting)
{
    const bool honoured = orienting == Orienting::Upright || (orienting == Orienting::Setting && autoOrient());
    if (!honoured || !family.orientationTag)
        return Orientation::Normal;
    return orientationFromTag(family.orientationTag(data));
}

// Decodes with one family. The bound of a reduced decode is asked of the upright picture;
// a decoder that does not turn gets it for the stored one.
Result<LoadedPicture> decodeWith(const ReaderFamily &family, QByteArrayView data, const QString &path,
                                 const PictureRequest &request)
{
    const Orientation turn = turnFor(family, data, request.orienting);
    QSize atLeast = request.atLeast;
    std::optional<QSize> header;
    if (family.reducesWhileDecoding && family.size && (request.atLeastFor || !atLeast.isEmpty())) {
        header = family.size(data);
        if (header && request.atLeastFor)
            atLeast = request.atLeastFor(uprightSize(*header, turn));
    }
    const bool decoderTurns = turn != Orientation::Normal && family.turnsWhileDecoding && !request.callerTurns;
    const readers::DecodeRequest decode{data, path, decoderTurns ? atLeast : uprightSize(atLeast, turn),
                                        decoderTurns ? turn : Orientation::Normal};
    auto image = family.decode(decode);
    if (!image)
        return std::unexpected(image.error());
    const QSize storedFull = header ? *header : decoderTurns ? uprightSize(image->size(), turn) : image->size();
    LoadedPicture loaded{std::move(*image), family.plainBitmap, family.name, uprightSize(storedFull, turn),
                         Orientation::Normal};
    if (turn == Orientation::Normal || decoderTurns)
        return loaded;
    if (request.callerTurns) {
        loaded.turn = turn;
        return loaded;
    }
    loaded.image = turnUpright(loaded.image, turn);
    if (loaded.image.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour redresser l'image."));
    return loaded;
}

PictureRequest fixedBound(QSize atLeast)
{
    PictureRequest request;
    request.atLeast = atLeast;
    return request;
}

} // namespace

void setAutoOrient(bool on)
{
    g_autoOrient.store(on, std::memory_order_relaxed);
}

bool autoOrient()
{
    return g_autoOrient.load(std::memory_order_relaxed);
}

Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path,
                                    const PictureRequest &request)
{
    const ReaderFamily *byName = readers::familyForExtension(extension);
    Result<LoadedPicture> first = fail(QStringLiteral("Format d'image non reconnu."));
    if (byName) {
        first = decodeWith(*byName, data, path, request);
        if (first)
            return first;
    }
    if (const ReaderFamily *byContent = readers::familyForContent(data, byName)) {
        auto second = decodeWith(*byContent, data, path, request);
        if (second || !byName)
            return second;
    }
    return first;
}

Result<LoadedPicture> DecodePicture(QByteArrayView data, QStringView extension, const QString &path, QSize atLeast)
{
    return DecodePicture(data, extension, path, fixedBound(atLeast));
}

Result<LoadedPicture> LoadPicture(const QString &path, const PictureRequest &request)
{
    const auto data = readFileBytes(path);
    if (!data)
        return std::unexpected(data.error());
    return DecodePicture(*data, QFileInfo(path).suffix(), path, request);
}

Result<LoadedPicture> LoadPicture(const QString &path, QSize atLeast)
{
    return LoadPicture(path, fixedBound(atLeast));
}

Result<QSize> ReadPictureSize(const QString &path, Orienting orienting)
{
    const auto data = readFileBytes(path);
    if (!data)
        return std::unexpected(data.error());
    const ReaderFamily *family = readers::familyForExtension(QFileInfo(path).suffix());
    if (!family || (family->sniff && !family->sniff(*data)))
        family = readers::familyForContent(*data, nullptr);
    if (family && family->size)
        if (auto size = family->size(*data))
            return uprightSize(*size, turnFor(*family, *data, orienting));
    PictureRequest request;
    request.orienting = orienting;
    auto picture = DecodePicture(*data, QFileInfo(path).suffix(), path, request);
    if (!picture)
        return std::unexpected(picture.error());
    return picture->fullSize;
}

} // namespace imaging
