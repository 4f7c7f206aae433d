#pragma once
// What every image decoder shares: the size limits, the failures it reports, picture
// allocation. Decoders read the file's bytes through the bounds-checked ByteView of base/.
#include "base/byte_view.h"
#include "base/file_bytes.h"
#include "base/result.h"

#include <QByteArrayView>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace imaging::readers {

using ::ByteView;

// No picture is larger than this, whatever its header says: a larger one is refused
// before anything is allocated.
inline constexpr qint64 kMaxSide = 30000;
inline constexpr qint64 kMaxPixels = kLargestPicturePixels;

// Short French failures naming the format ("BMP", "TIFF"...).
Failure truncatedFile(const char *format);
Failure invalidHeader(const char *format);
Failure corruptData(const char *format);
Failure unsupportedVariant(const char *format, const QString &what);

// Checks width and height against the limits (both at least 1).
Result<void> checkDimensions(qint64 width, qint64 height, const char *format);

// A parsed header whose width and height are within the limits; its failure otherwise.
template <class Header>
Result<Header> withinLimits(Result<Header> header, const char *format)
{
    if (!header)
        return header;
    if (auto ok = checkDimensions(header->width, header->height, format); !ok)
        return std::unexpected(ok.error());
    return header;
}

// The picture size a parsed header gives, or nothing when it did not parse or its size
// is outside the limits.
template <class Header>
std::optional<QSize> headerSize(const Result<Header> &header)
{
    if (!header || !checkDimensions(header->width, header->height, ""))
        return std::nullopt;
    return QSize(int(header->width), int(header->height));
}

// A new picture of the given size: QImage::Format_BGR888 (blue, green, red bytes) or, with
// alpha, QImage::Format_ARGB32. Fails on bad dimensions or when memory runs out.
Result<QImage> newPicture(qint64 width, qint64 height, bool alpha, const char *format);

// A colour table of up to 256 entries; entries never set are opaque black.
struct Palette {
    std::array<QRgb, 256> colours;
    Palette() { colours.fill(qRgb(0, 0, 0)); }
    QRgb operator[](int index) const { return colours[index & 0xFF]; }
    // Grey levels 0..255, or `count` levels from black to white.
    static Palette grey(int count = 256);
};

inline void putBgr(uchar *pixel, QRgb colour)
{
    pixel[0] = uchar(qBlue(colour));
    pixel[1] = uchar(qGreen(colour));
    pixel[2] = uchar(qRed(colour));
}

// Rows of indices (1, 2, 4 or 8 bits per pixel, most significant bits first) to a
// Format_BGR888 or Format_ARGB32 row through the palette.
void expandIndexedRow(const uchar *indices, int bitsPerPixel, int width, const Palette &palette,
                      uchar *row, bool alpha);

// Scales an n-bit channel value to 8 bits, rounding to nearest.
inline int scaleToByte(quint32 value, quint32 maxValue)
{
    return maxValue == 0 ? 0 : int((quint64(value) * 255 + maxValue / 2) / maxValue);
}

// A 5-bit channel to 8 bits (the top bits repeated into the low ones).
inline int expand5(int v) { return (v << 3) | (v >> 2); }

// Fills a Format_BGR888 or Format_ARGB32 picture with one colour.
void fillPicture(QImage &picture, QRgb colour);

// A Format_ARGB32 picture whose alpha says nothing becomes Format_BGR888: all opaque, or
// all 0 (a fourth byte the writer never filled in; it is then taken as opaque).
QImage settleAlpha(QImage picture);

// True when every pixel of a Format_ARGB32 picture is opaque.
bool isOpaque(const QImage &picture);

} // namespace imaging::readers
