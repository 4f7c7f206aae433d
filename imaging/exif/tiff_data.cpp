#include "imaging/exif/tiff_data.h"

#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstring>

namespace exif {

namespace {

constexpr qint64 kEntrySize = 12;

std::optional<double> finite(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> ratio(double numerator, double denominator)
{
    if (denominator == 0)
        return std::nullopt;
    return finite(numerator / denominator);
}

} // namespace

int tiffTypeSize(std::uint16_t type)
{
    switch (type) {
    case kByte: case kAscii: case kSignedByte: case kUndefined: return 1;
    case kShort: case kSignedShort: return 2;
    case kLong: case kSignedLong: case kFloat: case kIfd: return 4;
    case kRational: case kSignedRational: case kDouble: return 8;
    default: return 0;
    }
}

std::optional<TiffData> TiffData::open(QByteArrayView bytes, RangeLoader load)
{
    if (bytes.size() < 2 || (load && !load(0, 2)))
        return std::nullopt;
    if (bytes.first(2) == "II")
        return TiffData(bytes, false, std::move(load));
    if (bytes.first(2) == "MM")
        return TiffData(bytes, true, std::move(load));
    return std::nullopt;
}

std::uint16_t TiffData::get16(const char *p) const
{
    return m_bigEndian ? qFromBigEndian<std::uint16_t>(p) : qFromLittleEndian<std::uint16_t>(p);
}

std::uint32_t TiffData::get32(const char *p) const
{
    return m_bigEndian ? qFromBigEndian<std::uint32_t>(p) : qFromLittleEndian<std::uint32_t>(p);
}

std::optional<QByteArrayView> TiffData::bytes(qint64 offset, qint64 count) const
{
    if (offset < 0 || count < 0 || offset > m_bytes.size() || count > m_bytes.size() - offset)
        return std::nullopt;
    if (m_load && !m_load(offset, count))
        return std::nullopt;
    return m_bytes.sliced(offset, count);
}

std::optional<std::uint16_t> TiffData::u16(qint64 offset) const
{
    if (auto b = bytes(offset, 2))
        return get16(b->data());
    return std::nullopt;
}

std::optional<std::uint32_t> TiffData::u32(qint64 offset) const
{
    if (auto b = bytes(offset, 4))
        return get32(b->data());
    return std::nullopt;
}

std::optional<TiffEntry> TiffData::entry(qint64 directoryOffset, int index) const
{
    const qint64 at = directoryOffset + 2 + kEntrySize * index;
    const auto field = bytes(at, kEntrySize);
    if (!field)
        return std::nullopt;
    return TiffEntry{get16(field->data()), get16(field->data() + 2), get32(field->data() + 4), at + 8};
}

std::optional<QByteArrayView> TiffData::value(const TiffEntry &entry) const
{
    const int typeSize = tiffTypeSize(entry.type);
    if (typeSize == 0)
        return std::nullopt;
    const qint64 size = qint64(entry.count) * typeSize; // at most 2^35, no overflow
    if (size <= 4)
        return bytes(entry.fieldOffset, size);
    const auto offset = u32(entry.fieldOffset);
    if (!offset)
        return std::nullopt;
    return bytes(*offset, size);
}

std::optional<double> TiffData::real(const TiffEntry &entry) const
{
    const auto v = value(entry);
    if (!v || v->isEmpty())
        return std::nullopt;
    const char *p = v->data();
    switch (entry.type) {
    case kByte: return double(std::uint8_t(p[0]));
    case kSignedByte: return double(std::int8_t(p[0]));
    case kShort: return double(get16(p));
    case kSignedShort: return double(std::int16_t(get16(p)));
    case kLong: case kIfd: return double(get32(p));
    case kSignedLong: return double(std::int32_t(get32(p)));
    case kRational: return ratio(double(get32(p)), double(get32(p + 4)));
    case kSignedRational: return ratio(double(std::int32_t(get32(p))), double(std::int32_t(get32(p + 4))));
    case kFloat: return finite(double(std::bit_cast<float>(get32(p))));
    case kDouble: {
        const std::uint64_t high = get32(p), low = get32(p + 4);
        const std::uint64_t bits = m_bigEndian ? (high << 32 | low) : (low << 32 | high);
        return finite(std::bit_cast<double>(bits));
    }
    default: return std::nullopt; // text
    }
}

std::optional<std::uint32_t> TiffData::nextDirectoryOffset(qint64 directoryOffset) const
{
    const auto count = entryCount(directoryOffset);
    if (!count)
        return std::nullopt;
    return u32(directoryOffset + 2 + kEntrySize * *count);
}

} // namespace exif
