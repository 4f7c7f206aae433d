#include "imaging/exif/jpeg_segments.h"

#include <QtEndian>

namespace exif {

namespace {

constexpr int kMaxCountedSegments = 20;
constexpr int kExifBlockPositions = 2; // the EXIF block is the first or second segment
constexpr qsizetype kExifHeaderSize = 6; // "Exif\0\0"

enum Marker : unsigned char {
    kApp0 = 0xE0, kApp1 = 0xE1, kApp13 = 0xED, kComment = 0xFE,
    kStartOfScan = 0xDA, kEndOfImage = 0xD9,
};

// Markers that stand alone, without a length: TEM and the restart markers.
bool isStandalone(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The start-of-frame markers C0..CF, less DHT (C4), JPG (C8) and DAC (CC).
bool isStartOfFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isExifBlock(QByteArrayView payload)
{
    if (payload.size() < kExifHeaderSize + 2 || !payload.startsWith("Exif"))
        return false;
    const QByteArrayView order = payload.sliced(kExifHeaderSize, 2);
    return order == "II" || order == "MM";
}

void keepFirst(QByteArray &slot, unsigned char marker, QByteArrayView lengthAndContents)
{
    if (slot.isEmpty())
        slot = QByteArray("\xFF", 1) + char(marker) + lengthAndContents.toByteArray();
}

class HeadWalker {
public:
    explicit HeadWalker(QByteArrayView bytes) : m_bytes(bytes) {}
    JpegHead walk();

private:
    // The next marker after fill bytes, or nothing when the data breaks off.
    std::optional<unsigned char> nextMarker();
    void takeSegment(unsigned char marker, QByteArrayView lengthAndContents);

    QByteArrayView m_bytes;
    qsizetype m_pos = 2;
    JpegHead m_head;
};

std::optional<unsigned char> HeadWalker::nextMarker()
{
    if (m_pos >= m_bytes.size() || uchar(m_bytes[m_pos]) != 0xFF)
        return std::nullopt;
    while (m_pos < m_bytes.size() && uchar(m_bytes[m_pos]) == 0xFF)
        ++m_pos;
    if (m_pos >= m_bytes.size() || m_bytes[m_pos] == 0)
        return std::nullopt; // FF 00 is no marker
    return uchar(m_bytes[m_pos++]);
}

JpegHead HeadWalker::walk()
{
    for (int counted = 0; counted < kMaxCountedSegments;) {
        const auto marker = nextMarker();
        if (!marker) {
            m_head.dataRanOut = m_pos >= m_bytes.size();
            break;
        }
        if (*marker == kStartOfScan || *marker == kEndOfImage)
            break;
        if (isStandalone(*marker)) {
            ++counted;
            continue;
        }
        if (m_bytes.size() - m_pos < 2) {
            m_head.dataRanOut = true;
            break;
        }
        const qsizetype length = qFromBigEndian<quint16>(m_bytes.data() + m_pos);
        if (length < 2)
            break;
        if (length > m_bytes.size() - m_pos) {
            m_head.dataRanOut = true;
            break;
        }
        const QByteArrayView segment = m_bytes.sliced(m_pos, length);
        m_pos += length;
        if (*marker == kApp1 && counted >= kExifBlockPositions)
            continue; // too late to be the EXIF block, and not counted
        takeSegment(*marker, segment);
        ++counted;
    }
    return m_head;
}

void HeadWalker::takeSegment(unsigned char marker, QByteArrayView lengthAndContents)
{
    const QByteArrayView payload = lengthAndContents.sliced(2);
    switch (marker) {
    case kApp0: keepFirst(m_head.kept.app0, marker, lengthAndContents); break;
    case kApp1:
        if (!m_head.exifFound && isExifBlock(payload)) {
            m_head.exifFound = true;
            m_head.exifTiff = payload.sliced(kExifHeaderSize);
            keepFirst(m_head.kept.exif, marker, lengthAndContents);
        }
        break;
    case kApp13:
        m_head.iptcFound = true;
        keepFirst(m_head.kept.iptc, marker, lengthAndContents);
        break;
    case kComment:
        m_head.commentFound = true;
        keepFirst(m_head.kept.comment, marker, lengthAndContents);
        break;
    default:
        if (isStartOfFrame(marker) && payload.size() >= 5 && !m_head.frameWidth)
            m_head.frameWidth = qFromBigEndian<quint16>(payload.data() + 3);
    }
}

} // namespace

std::optional<JpegHead> walkJpegHead(QByteArrayView bytes)
{
    if (bytes.size() < 2 || uchar(bytes[0]) != 0xFF || uchar(bytes[1]) != 0xD8)
        return std::nullopt;
    return HeadWalker(bytes).walk();
}

} // namespace exif
