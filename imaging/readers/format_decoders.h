#pragma once
// The decoders of the format families, one file each. Every decoder takes the whole file
// in memory and returns a picture in QImage::Format_BGR888 or, when the format carries
// alpha, QImage::Format_ARGB32 (not premultiplied), or a short French failure. Each family
// also has a signature test (true only for content that can be nothing else) and, where
// the header gives it cheaply, the picture's size without decoding.
#include "base/result.h"
#include "imaging/orientation.h"

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <optional>

namespace imaging::readers {

bool looksLikeBmp(QByteArrayView data);
std::optional<QSize> bmpSize(QByteArrayView data);
Result<QImage> decodeBmp(QByteArrayView data);

bool looksLikeIco(QByteArrayView data);
std::optional<QSize> icoSize(QByteArrayView data);
Result<QImage> decodeIco(QByteArrayView data);

bool looksLikeMetafile(QByteArrayView data);
std::optional<QSize> metafileSize(QByteArrayView data);
Result<QImage> decodeMetafile(QByteArrayView data);

bool looksLikeJpeg(QByteArrayView data);
std::optional<QSize> jpegSize(QByteArrayView data);
// `atLeast`: the picture may come back smaller than the file (by a DCT scale of 1/2, 1/4
// or 1/8) but never smaller than this; empty = full size. `turn`: the rows are put at
// their upright places as they are decoded; atLeast is then asked of the upright picture.
Result<QImage> decodeJpegPicture(QByteArrayView data, QSize atLeast = {}, Orientation turn = Orientation::Normal);

bool looksLikeTga(QByteArrayView data);
std::optional<QSize> tgaSize(QByteArrayView data);
Result<QImage> decodeTga(QByteArrayView data);

bool looksLikeTiff(QByteArrayView data);
std::optional<QSize> tiffSize(QByteArrayView data);
// The picture as stored, whatever its orientation tag says: the loader turns it.
Result<QImage> decodeTiff(QByteArrayView data);

bool looksLikePcx(QByteArrayView data);
std::optional<QSize> pcxSize(QByteArrayView data);
Result<QImage> decodePcx(QByteArrayView data);

bool looksLikeRla(QByteArrayView data);
std::optional<QSize> rlaSize(QByteArrayView data);
Result<QImage> decodeRla(QByteArrayView data);

bool looksLikeSgi(QByteArrayView data);
std::optional<QSize> sgiSize(QByteArrayView data);
Result<QImage> decodeSgi(QByteArrayView data);

bool looksLikePsd(QByteArrayView data);
std::optional<QSize> psdSize(QByteArrayView data);
Result<QImage> decodePsd(QByteArrayView data);

bool looksLikePnm(QByteArrayView data);
std::optional<QSize> pnmSize(QByteArrayView data);
Result<QImage> decodePnm(QByteArrayView data);

bool looksLikeAutodeskCel(QByteArrayView data);
std::optional<QSize> autodeskCelSize(QByteArrayView data);
Result<QImage> decodeAutodeskCel(QByteArrayView data);

bool looksLikePhotoCd(QByteArrayView data);
std::optional<QSize> photoCdSize(QByteArrayView data);
Result<QImage> decodePhotoCd(QByteArrayView data);

bool looksLikeGif(QByteArrayView data);
std::optional<QSize> gifSize(QByteArrayView data);
Result<QImage> decodeGif(QByteArrayView data);

// Dr. Halo pictures carry only colour indices; their palette is a separate .pal file
// (`palette`, empty when there is none: the indices are then grey levels).
std::optional<QSize> cutSize(QByteArrayView data);
Result<QImage> decodeCut(QByteArrayView data, QByteArrayView palette = {});

bool looksLikePsp(QByteArrayView data);
std::optional<QSize> pspSize(QByteArrayView data);
Result<QImage> decodePsp(QByteArrayView data);

bool looksLikePng(QByteArrayView data);
std::optional<QSize> pngSize(QByteArrayView data);
Result<QImage> decodePng(QByteArrayView data);

} // namespace imaging::readers
