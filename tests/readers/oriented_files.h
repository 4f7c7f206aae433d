#pragma once
// Photos stored turned, built by hand: a picture is stored so that its orientation tag
// (1 to 8) turns it back into the picture meant, and written as a JPEG file with an EXIF
// block in front of the encoded stream, or as an uncompressed TIFF file carrying tag 274.
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"

#include <QByteArray>
#include <QImage>
#include <QtEndian>

namespace oriented_test {

// The picture to store so that orientation `o` shows `upright`.
inline QImage storedFor(const QImage &upright, imaging::Orientation o)
{
    const QImage source = upright.convertToFormat(QImage::Format_BGR888);
    const QSize stored = imaging::uprightSize(source.size(), o);
    QImage out(stored, QImage::Format_BGR888);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x) {
            const QPoint at = imaging::uprightPosition({x, y}, stored, o);
            std::memcpy(out.scanLine(y) + 3 * x, source.constScanLine(at.y()) + 3 * at.x(), 3);
        }
    return out;
}

// Six blocks of `block` pixels in three columns and two rows, each of its own colour: no
// turn or mirror of it looks like another.
inline QImage blocks(int block = 16)
{
    static const QRgb colours[] = {0xFF0000, 0x00C000, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    QImage picture(3 * block, 2 * block, QImage::Format_BGR888);
    for (int i = 0; i < 6; ++i)
        for (int y = 0; y < block; ++y)
            for (int x = 0; x < block; ++x)
                picture.setPixel((i % 3) * block + x, (i / 3) * block + y, colours[i]);
    return picture;
}

// The largest difference of one channel between the centres of the blocks of `expected`
// and the same places of `actual` (255 when the sizes differ).
inline int blockCentreDifference(const QImage &actual, const QImage &expected, int block)
{
    if (actual.size() != expected.size())
        return 255;
    int worst = 0;
    for (int y = block / 2; y < expected.height(); y += block)
        for (int x = block / 2; x < expected.width(); x += block) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                              std::abs(qBlue(a) - qBlue(e))});
        }
    return worst;
}

// An APP1 segment "Exif\0\0" whose first directory holds only the orientation tag.
inline QByteArray exifOrientationSegment(int orientation, bool bigEndian = false)
{
    QByteArray tiff(bigEndian ? "MM" : "II");
    auto u16 = [&](int v) {
        char b[2];
        bigEndian ? qToBigEndian(quint16(v), b) : qToLittleEndian(quint16(v), b);
        tiff.append(b, 2);
    };
    auto u32 = [&](quint32 v) {
        char b[4];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        tiff.append(b, 4);
    };
    u16(42), u32(8), u16(1);
    u16(0x0112), u16(3), u32(1), u16(orientation), u16(0);
    u32(0);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
    return segment + body;
}

// `stored` encoded as JPEG, with an EXIF block carrying `orientation` after the JFIF segment.
inline QByteArray jpegWithOrientation(const QImage &stored, int orientation, int quality = 95)
{
    const QByteArray encoded = *imaging::encodeJpeg(stored, quality);
    const qsizetype afterApp0 = 4 + qFromBigEndian<quint16>(encoded.data() + 4);
    return encoded.first(afterApp0) + exifOrientationSegment(orientation) + encoded.sliced(afterApp0);
}

// An uncompressed RGB TIFF of `stored` (8 or 16 bits a sample, one strip) with tag 274.
inline QByteArray tiffWithOrientation(const QImage &stored, int orientation, int bits = 8)
{
    const QImage rgb = stored.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width(), h = rgb.height(), bytesPerSample = bits / 8;
    QByteArray pixels;
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w * 3; ++i) {
            const uchar v = rgb.constScanLine(y)[i];
            for (int b = 0; b < bytesPerSample; ++b)
                pixels.append(char(v)); // 16 bits: v * 257, little-endian
        }
    struct Entry { quint16 tag, type; quint32 count, value; };
    constexpr quint16 kShort = 3, kLong = 4;
    const quint32 entries = 12;
    const quint32 bitsAt = 8 + 2 + 12 * entries + 4, pixelsAt = bitsAt + 6;
    const Entry table[entries] = {
        {256, kLong, 1, quint32(w)}, {257, kLong, 1, quint32(h)}, {258, kShort, 3, bitsAt},
        {259, kShort, 1, 1}, {262, kShort, 1, 2}, {273, kLong, 1, pixelsAt},
        {274, kShort, 1, quint32(orientation)}, {277, kShort, 1, 3}, {278, kLong, 1, quint32(h)},
        {279, kLong, 1, quint32(pixels.size())}, {284, kShort, 1, 1}, {339, kShort, 1, 1},
    };
    QByteArray file("II*\0", 4);
    auto put16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); file.append(b, 2); };
    auto put32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); file.append(b, 4); };
    put32(8), put16(quint16(entries));
    for (const Entry &e : table) {
        put16(e.tag), put16(e.type), put32(e.count);
        if (e.type == kShort && e.count == 1)
            put16(quint16(e.value)), put16(0);
        else
            put32(e.value);
    }
    put32(0);
    put16(quint16(bits)), put16(quint16(bits)), put16(quint16(bits));
    return file + pixels;
}

} // namespace oriented_test
