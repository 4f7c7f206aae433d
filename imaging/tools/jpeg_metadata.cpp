#include "imaging/tools/jpeg_metadata.h"

#include "imaging/exif/tiff_data.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <optional>

namespace imagetools {
namespace {

constexpr uchar kApp0 = 0xE0, kApp1 = 0xE1, kApp13 = 0xED, kComment = 0xFE;

// The TIFF structure starts after FF E1, the length and "Exif\0\0".
constexpr qsizetype kTiffStart = 10;

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kExifDirectoryTag = 0x8769;
constexpr std::uint16_t kPixelXTag = 0xA002;
constexpr std::uint16_t kPixelYTag = 0xA003;

// The length of the segment at `pos` (FF, marker, length field and contents) when its
// marker is `marker`; nothing when another segment comes next; a failure when it runs
// past the end.
Result<std::optional<qsizetype>> segmentAt(QByteArrayView bytes, qsizetype pos, uchar marker)
{
    if (bytes.size() - pos < 2 || uchar(bytes[pos]) != 0xFF || uchar(bytes[pos + 1]) != marker)
        return std::optional<qsizetype>();
    if (bytes.size() - pos < 4)
        return fail(QStringLiteral("Segment JPEG tronqué"));
    const qsizetype length = qFromBigEndian<quint16>(bytes.data() + pos + 2);
    if (length < 2 || length + 2 > bytes.size() - pos)
        return fail(QStringLiteral("Segment JPEG tronqué"));
    return std::optional<qsizetype>(length + 2);
}

// A directory entry whose value fits its 4-byte field.
struct Field {
    exif::TiffEntry entry;
    std::uint32_t value = 0;
};

std::optional<Field> findField(const exif::TiffData &tiff, qint64 directory, std::uint16_t tag)
{
    const auto count = tiff.entryCount(directory);
    if (!count)
        return std::nullopt;
    for (int i = 0; i < *count; ++i) {
        const auto entry = tiff.entry(directory, i);
        if (!entry)
            return std::nullopt;
        if (entry->tag != tag || entry->count != 1)
            continue;
        if (entry->type == exif::kShort)
            if (const auto value = tiff.u16(entry->fieldOffset))
                return Field{*entry, *value};
        if (entry->type == exif::kLong)
            if (const auto value = tiff.u32(entry->fieldOffset))
                return Field{*entry, *value};
        return std::nullopt;
    }
    return std::nullopt;
}

bool fits(const Field &field, std::uint32_t value)
{
    return field.entry.type == exif::kLong || value <= 0xFFFF;
}

class SegmentWriter {
public:
    SegmentWriter(QByteArray &segment, bool bigEndian) : m_segment(segment), m_bigEndian(bigEndian) {}

    void put(const Field &field, std::uint32_t value)
    {
        uchar *at = reinterpret_cast<uchar *>(m_segment.data()) + kTiffStart + field.entry.fieldOffset;
        if (field.entry.type == exif::kShort)
            m_bigEndian ? qToBigEndian(quint16(value), at) : qToLittleEndian(quint16(value), at);
        else
            m_bigEndian ? qToBigEndian(quint32(value), at) : qToLittleEndian(quint32(value), at);
    }

private:
    QByteArray &m_segment;
    bool m_bigEndian;
};

} // namespace

namespace {

// The offset, in `encoded`, of the first byte that follows its own head segments.
Result<qsizetype> endOfOwnHead(QByteArrayView encoded)
{
    if (encoded.size() < 2 || uchar(encoded[0]) != 0xFF || uchar(encoded[1]) != 0xD8)
        return fail(QStringLiteral("Flux JPEG sans marqueur de début"));
    qsizetype pos = 2;
    for (uchar marker : {kApp0, kApp1, kApp13, kComment}) {
        const auto skip = segmentAt(encoded, pos, marker);
        if (!skip)
            return std::unexpected(skip.error());
        pos += skip->value_or(0);
    }
    return pos;
}

const QByteArray &firstKept(const exif::KeptJpegSegments &kept)
{
    return !kept.exif.isEmpty() ? kept.exif : kept.app0;
}

} // namespace

qsizetype keptHeadSize(const exif::KeptJpegSegments &kept)
{
    return 2 + firstKept(kept).size() + kept.iptc.size() + kept.comment.size();
}

Result<QByteArray> spliceKeptSegments(QByteArrayView encoded, const exif::KeptJpegSegments &kept)
{
    const Result<qsizetype> pos = endOfOwnHead(encoded);
    if (!pos)
        return std::unexpected(pos.error());
    QByteArray out;
    out.reserve(keptHeadSize(kept) + encoded.size() - *pos);
    out.append("\xFF\xD8", 2);
    out.append(firstKept(kept));
    out.append(kept.iptc);
    out.append(kept.comment);
    out.append(encoded.sliced(*pos));
    return out;
}

Result<qsizetype> spliceKeptSegmentsInPlace(QByteArray &bytes, qsizetype streamStart,
                                            const exif::KeptJpegSegments &kept)
{
    const qsizetype headSize = keptHeadSize(kept);
    if (streamStart < headSize || streamStart > bytes.size())
        return fail(QStringLiteral("Place insuffisante devant le flux JPEG"));
    const Result<qsizetype> pos = endOfOwnHead(QByteArrayView(bytes).sliced(streamStart));
    if (!pos)
        return std::unexpected(pos.error());
    const qsizetype start = streamStart + *pos - headSize;
    char *at = bytes.data() + start;
    for (QByteArrayView part : {QByteArrayView("\xFF\xD8", 2), QByteArrayView(firstKept(kept)),
                                QByteArrayView(kept.iptc), QByteArrayView(kept.comment)}) {
        if (part.isEmpty())
            continue; // an absent segment has no bytes, and memcpy takes no null source
        std::memcpy(at, part.data(), std::size_t(part.size()));
        at += part.size();
    }
    return start;
}

ExifPatch patchTurnedExif(QByteArray &exifSegment, QSize written)
{
    ExifPatch patch;
    if (exifSegment.size() < kTiffStart + 8 || !QByteArrayView(exifSegment).sliced(4).startsWith("Exif"))
        return patch;
    // Every field is found before the first write: writing may give the segment its own
    // copy of bytes it shared, which the view would no longer see.
    const auto tiff = exif::TiffData::open(QByteArrayView(exifSegment).sliced(kTiffStart));
    if (!tiff)
        return patch;
    const auto firstDirectory = tiff->firstDirectoryOffset();
    if (!firstDirectory)
        return patch;
    SegmentWriter writer(exifSegment, tiff->bigEndian());
    const auto orientation = findField(*tiff, *firstDirectory, kOrientationTag);
    const auto exifPointer = findField(*tiff, *firstDirectory, kExifDirectoryTag);
    std::optional<Field> pixelX, pixelY;
    if (exifPointer) {
        pixelX = findField(*tiff, exifPointer->value, kPixelXTag);
        pixelY = findField(*tiff, exifPointer->value, kPixelYTag);
    }
    if (orientation) {
        writer.put(*orientation, 1);
        patch.orientation = true;
    }
    const auto width = std::uint32_t(std::max(written.width(), 0)), height = std::uint32_t(std::max(written.height(), 0));
    const bool differ = pixelX && pixelY && (pixelX->value != width || pixelY->value != height);
    if (differ && fits(*pixelX, width) && fits(*pixelY, height)) {
        writer.put(*pixelX, width);
        writer.put(*pixelY, height);
        patch.dimensions = true;
    }
    return patch;
}

} // namespace imagetools
