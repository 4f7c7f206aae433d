// JPEG (.jpg, .jpeg) through our libjpeg-turbo codec.
#include "imaging/readers/format_decoders.h"

#include "imaging/jpeg_codec.h"
#include "imaging/readers/decode_support.h"

namespace imaging::readers {

bool looksLikeJpeg(QByteArrayView data)
{
    return ByteView(data).startsWith(0, "\xFF\xD8\xFF");
}

std::optional<QSize> jpegSize(QByteArrayView data)
{
    auto info = readJpegInfo(data);
    if (!info || info->width < 1 || info->height < 1)
        return std::nullopt;
    return QSize(info->width, info->height);
}

Result<QImage> decodeJpegPicture(QByteArrayView data, QSize atLeast, Orientation turn)
{
    auto info = readJpegInfo(data);
    if (!info)
        return std::unexpected(info.error());
    if (auto ok = checkDimensions(info->width, info->height, "JPEG"); !ok)
        return std::unexpected(ok.error());
    return decodeJpeg(data, atLeast, JpegDct::Accurate, turn);
}

} // namespace imaging::readers
