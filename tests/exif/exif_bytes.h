#pragma once
// Builds TIFF structures and JPEG heads byte by byte for the tests: a header, the first
// directory, an EXIF sub-directory when it has entries, then the values that do not fit
// in their entries. Entries are written in the order they are added.
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <vector>

namespace exif_test {

class TiffBytes {
public:
    explicit TiffBytes(bool bigEndian) : m_bigEndian(bigEndian) {}

    QByteArray u16(std::uint16_t v) const { return put(v); }
    QByteArray u32(std::uint32_t v) const { return put(v); }
    QByteArray rational(std::uint32_t n, std::uint32_t d) const { return put(n) + put(d); }
    QByteArray srational(std::int32_t n, std::int32_t d) const { return put(std::uint32_t(n)) + put(std::uint32_t(d)); }

    // type 2 with the bytes as given (add "\0" for a terminated text)
    TiffBytes &mainAscii(std::uint16_t tag, const QByteArray &text) { return main(tag, 2, text.size(), text); }
    TiffBytes &exifAscii(std::uint16_t tag, const QByteArray &text) { return exif(tag, 2, text.size(), text); }
    TiffBytes &exifShort(std::uint16_t tag, std::uint16_t v) { return exif(tag, 3, 1, u16(v)); }
    TiffBytes &exifLong(std::uint16_t tag, std::uint32_t v) { return exif(tag, 4, 1, u32(v)); }
    TiffBytes &exifRational(std::uint16_t tag, std::uint32_t n, std::uint32_t d) { return exif(tag, 5, 1, rational(n, d)); }
    TiffBytes &exifSRational(std::uint16_t tag, std::int32_t n, std::int32_t d) { return exif(tag, 10, 1, srational(n, d)); }
    TiffBytes &exifUndefined(std::uint16_t tag, const QByteArray &v) { return exif(tag, 7, v.size(), v); }

    TiffBytes &main(std::uint16_t tag, std::uint16_t type, std::uint32_t count, const QByteArray &value)
    {
        m_main.push_back({tag, type, count, value});
        return *this;
    }
    TiffBytes &exif(std::uint16_t tag, std::uint16_t type, std::uint32_t count, const QByteArray &value)
    {
        m_exif.push_back({tag, type, count, value});
        return *this;
    }

    QByteArray build() const
    {
        const bool hasExif = !m_exif.empty();
        const std::uint32_t mainSize = directorySize(m_main.size() + (hasExif ? 1 : 0));
        const std::uint32_t exifOffset = 8 + mainSize;
        std::uint32_t dataOffset = exifOffset + (hasExif ? directorySize(m_exif.size()) : 0);
        QByteArray data;
        QByteArray out = QByteArray(m_bigEndian ? "MM" : "II") + u16(42) + u32(8);
        std::vector<Entry> main = m_main;
        if (hasExif)
            main.push_back({0x8769, 4, 1, u32(exifOffset)});
        out += directory(main, dataOffset, data);
        if (hasExif)
            out += directory(m_exif, dataOffset, data);
        return out + data;
    }

private:
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count;
        QByteArray value;
    };
    static std::uint32_t directorySize(std::size_t n) { return std::uint32_t(2 + 12 * n + 4); }

    template <class T>
    QByteArray put(T v) const
    {
        QByteArray b(sizeof v, '\0');
        m_bigEndian ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        return b;
    }

    QByteArray directory(const std::vector<Entry> &entries, std::uint32_t &dataOffset, QByteArray &data) const
    {
        QByteArray out = u16(std::uint16_t(entries.size()));
        for (const Entry &e : entries) {
            out += u16(e.tag) + u16(e.type) + u32(e.count);
            if (e.value.size() <= 4) {
                out += e.value + QByteArray(4 - e.value.size(), '\0');
            } else {
                out += u32(dataOffset);
                data += e.value;
                dataOffset += e.value.size();
            }
        }
        return out + u32(0);
    }

    bool m_bigEndian;
    std::vector<Entry> m_main, m_exif;
};

// One JPEG segment: FF, the marker, the big-endian length (payload + 2), the payload.
inline QByteArray segment(unsigned char marker, const QByteArray &payload)
{
    QByteArray out("\xFF", 1);
    out += char(marker);
    out += char((payload.size() + 2) >> 8);
    out += char((payload.size() + 2) & 0xFF);
    return out + payload;
}

inline QByteArray exifSegment(const QByteArray &tiff)
{
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

// FF D8, the segments, then the start of scan and a few bytes of scan data.
inline QByteArray jpegWith(const QByteArray &segments)
{
    return QByteArray("\xFF\xD8", 2) + segments + segment(0xDA, QByteArray(10, '\0')) + QByteArray("\x12\x34\xFF\xD9", 4);
}

} // namespace exif_test
