#include "base/le_record.h"

bool ByteReader::seek(qsizetype pos)
{
    if (pos < 0 || pos > m_data.size())
        return false;
    m_pos = pos;
    return true;
}

bool ByteReader::skip(qsizetype count)
{
    if (count < 0 || count > remaining())
        return false;
    m_pos += count;
    return true;
}

std::optional<QByteArrayView> ByteReader::take(qsizetype count)
{
    if (count < 0 || count > remaining())
        return std::nullopt;
    const QByteArrayView part = m_data.sliced(m_pos, count);
    m_pos += count;
    return part;
}

std::optional<std::uint8_t> ByteReader::u8()
{
    if (auto b = take(1))
        return le::getU8(b->data(), 0);
    return std::nullopt;
}

std::optional<std::uint16_t> ByteReader::u16()
{
    if (auto b = take(2))
        return le::getU16(b->data(), 0);
    return std::nullopt;
}

std::optional<std::uint32_t> ByteReader::u32()
{
    if (auto b = take(4))
        return le::getU32(b->data(), 0);
    return std::nullopt;
}

std::optional<std::int32_t> ByteReader::i32()
{
    if (auto b = take(4))
        return le::getI32(b->data(), 0);
    return std::nullopt;
}
