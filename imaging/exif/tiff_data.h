#pragma once
// The bytes of a TIFF structure (a TIFF file, or the block after "Exif\0\0" in a JPEG)
// with its byte order. Offsets inside the structure count from its first byte, the "II"
// or "MM" of the header. Every read says whether the bytes were there.
#include <QByteArrayView>
#include <cstdint>
#include <functional>
#include <optional>

namespace exif {

// Value types of directory entries and the size of one value of each.
enum TiffType : std::uint16_t {
    kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kSignedByte = 6,
    kUndefined = 7, kSignedShort = 8, kSignedLong = 9, kSignedRational = 10,
    kFloat = 11, kDouble = 12, kIfd = 13,
};
int tiffTypeSize(std::uint16_t type); // 0 for a type this reader does not know

// One directory entry: 12 bytes, tag, type, count and the value or its offset.
struct TiffEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    qint64 fieldOffset = 0; // of the 4-byte field that holds the value or its offset
};

class TiffData {
public:
    // Makes the range [offset, offset + count) of the bytes hold the data before it is
    // read; false when it cannot (a file read piece by piece, cut short meanwhile).
    using RangeLoader = std::function<bool(qint64 offset, qint64 count)>;

    // Nothing unless the bytes start with "II" (little-endian) or "MM" (big-endian).
    static std::optional<TiffData> open(QByteArrayView bytes, RangeLoader load = {});

    bool bigEndian() const { return m_bigEndian; }
    qint64 size() const { return m_bytes.size(); }

    std::optional<std::uint16_t> u16(qint64 offset) const;
    std::optional<std::uint32_t> u32(qint64 offset) const;
    std::optional<QByteArrayView> bytes(qint64 offset, qint64 count) const;

    // Offset of the first directory, from the 8-byte header.
    std::optional<std::uint32_t> firstDirectoryOffset() const { return u32(4); }
    // Number of entries of the directory at `offset` (its first two bytes).
    std::optional<std::uint16_t> entryCount(qint64 directoryOffset) const { return u16(directoryOffset); }
    // Entry `index` of the directory, or nothing when it lies outside the data.
    std::optional<TiffEntry> entry(qint64 directoryOffset, int index) const;
    // The count values of an entry: in its field when they fit in 4 bytes, otherwise at
    // the offset the field holds. Nothing when they lie outside the data or the type is
    // unknown.
    std::optional<QByteArrayView> value(const TiffEntry &entry) const;
    // Offset of the next directory, stored after the last entry.
    std::optional<std::uint32_t> nextDirectoryOffset(qint64 directoryOffset) const;

    // The first value of an entry of a numeric type, as a real. Nothing when the value
    // is missing or outside the data, for text types, and for values that are no
    // number (a rational with a zero denominator, a NaN or infinite float).
    std::optional<double> real(const TiffEntry &entry) const;

private:
    TiffData(QByteArrayView bytes, bool bigEndian, RangeLoader load)
        : m_bytes(bytes), m_bigEndian(bigEndian), m_load(std::move(load)) {}
    std::uint16_t get16(const char *p) const;
    std::uint32_t get32(const char *p) const;

    QByteArrayView m_bytes;
    bool m_bigEndian = false;
    RangeLoader m_load;
};

} // namespace exif
