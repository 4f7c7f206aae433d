#include "imaging/exif/orientation_tag.h"

#include "base/byte_view.h"
#include "imaging/exif/tiff_data.h"

namespace exif {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr qint64 kMostDirectoryEntries = 1000;
// Segments looked at before giving up: EXIF blocks come first or right after JFIF's.
constexpr int kMostSegments = 64;

bool standalone(uchar marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

int tiffOrientationTag(QByteArrayView bytes)
{
    const auto tiff = TiffData::open(bytes);
    if (!tiff)
        return 0;
    const auto directory = tiff->firstDirectoryOffset();
    const auto count = directory ? tiff->entryCount(*directory) : std::nullopt;
    if (!count || *count > kMostDirectoryEntries)
        return 0;
    for (int i = 0; i < *count; ++i) {
        const auto entry = tiff->entry(*directory, i);
        if (!entry)
            return 0;
        if (entry->tag != kOrientationTag)
            continue;
        if (entry->type != kShort || entry->count < 1)
            return 0;
        const auto value = tiff->u16(entry->fieldOffset);
        return value ? int(*value) : 0;
    }
    return 0;
}

int jpegOrientationTag(QByteArrayView bytes)
{
    const ByteView v(bytes);
    if (v.u8(0) != 0xFF || v.u8(1) != 0xD8)
        return 0;
    qint64 at = 2;
    for (int segment = 0; segment < kMostSegments; ++segment) {
        if (v.u8(at) != 0xFF)
            return 0;
        while (v.u8(at) == 0xFF && v.has(at, 1))
            ++at;
        const uchar marker = v.u8(at++);
        if (marker == 0xD9 || marker == 0xDA || !v.has(at, 0))
            return 0;
        if (standalone(marker))
            continue;
        const int length = v.be16(at);
        if (length < 2 || !v.has(at, length))
            return 0;
        const QByteArrayView payload = v.slice(at + 2, length - 2);
        if (marker == 0xE1 && payload.startsWith(QByteArrayView("Exif\0\0", 6)))
            return tiffOrientationTag(payload.sliced(6));
        at += length;
    }
    return 0;
}

} // namespace exif
