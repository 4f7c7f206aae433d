#pragma once
// JPEG segments written byte by byte for the tests: EXIF blocks in either byte order with
// the tags the rotation rewrites, and other head segments.
#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <optional>
#include <vector>

namespace segments_test {

// FF, marker, big-endian length (contents + 2), contents.
inline QByteArray segment(uchar marker, const QByteArray &contents)
{
    QByteArray out("\xFF", 1);
    out.append(char(marker));
    const quint16 length = quint16(contents.size() + 2);
    out.append(char(length >> 8));
    out.append(char(length & 0xFF));
    return out + contents;
}

struct ExifTags {
    bool bigEndian = false;
    std::optional<std::uint16_t> orientation;
    std::optional<std::uint32_t> pixelX;
    std::optional<std::uint32_t> pixelY;
    bool widthAsLong = false; // SHORT otherwise
    bool heightAsLong = false;
};

class TiffWriter {
public:
    explicit TiffWriter(bool bigEndian) : m_big(bigEndian) {}
    void u16(QByteArray &out, std::uint16_t v) const
    {
        char b[2];
        m_big ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        out.append(b, 2);
    }
    void u32(QByteArray &out, std::uint32_t v) const
    {
        char b[4];
        m_big ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        out.append(b, 4);
    }
    // One 12-byte entry whose value sits in its field (SHORT values left-aligned).
    void entry(QByteArray &out, std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) const
    {
        u16(out, tag);
        u16(out, type);
        u32(out, count);
        if (type == 3) {
            u16(out, std::uint16_t(value));
            u16(out, 0);
        } else {
            u32(out, value);
        }
    }

private:
    bool m_big;
};

// An APP1 EXIF segment: IFD0 with Make ("Test", out of line), the orientation tag when
// given and the EXIF pointer; the EXIF directory with ExposureTime (a rational, out of
// line) and the pixel dimensions when given.
inline QByteArray exifSegment(const ExifTags &tags)
{
    const TiffWriter w(tags.bigEndian);
    QByteArray tiff(tags.bigEndian ? "MM" : "II");
    w.u16(tiff, 42);
    w.u32(tiff, 8);
    const int ifd0Count = 2 + (tags.orientation ? 1 : 0);
    const std::uint32_t makeAt = 8 + 2 + 12 * ifd0Count + 4;
    const std::uint32_t exifAt = makeAt + 6;
    w.u16(tiff, std::uint16_t(ifd0Count));
    w.entry(tiff, 0x010F, 2, 5, makeAt);
    if (tags.orientation)
        w.entry(tiff, 0x0112, 3, 1, *tags.orientation);
    w.entry(tiff, 0x8769, 4, 1, exifAt);
    w.u32(tiff, 0); // no next directory
    tiff.append("Test\0\0", 6);
    const int exifCount = 1 + (tags.pixelX ? 1 : 0) + (tags.pixelY ? 1 : 0);
    const std::uint32_t rationalAt = exifAt + 2 + 12 * exifCount + 4;
    w.u16(tiff, std::uint16_t(exifCount));
    w.entry(tiff, 0x829A, 5, 1, rationalAt);
    if (tags.pixelX)
        w.entry(tiff, 0xA002, tags.widthAsLong ? 4 : 3, 1, *tags.pixelX);
    if (tags.pixelY)
        w.entry(tiff, 0xA003, tags.heightAsLong ? 4 : 3, 1, *tags.pixelY);
    w.u32(tiff, 0);
    w.u32(tiff, 1);
    w.u32(tiff, 60);
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

inline QByteArray app0Jfif() { return segment(0xE0, QByteArray("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14)); }
inline QByteArray comment(const QByteArray &text) { return segment(0xFE, text); }
inline QByteArray iptc() { return segment(0xED, QByteArray("Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0\0\0", 26)); }

} // namespace segments_test
