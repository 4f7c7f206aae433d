#pragma once
// Little-endian fields of fixed-size binary records. A record is built in a zeroed byte
// buffer of its exact size and each field is put at its offset, so the layout of a record
// reads as a list of offsets, as the file format tables give them.
#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>
#include <cstdint>

namespace le {

inline void putU32(char *record, int offset, std::uint32_t v) { qToLittleEndian(v, record + offset); }
inline void putI32(char *record, int offset, std::int32_t v) { qToLittleEndian(v, record + offset); }
inline void putU16(char *record, int offset, std::uint16_t v) { qToLittleEndian(v, record + offset); }
inline void putU8(char *record, int offset, std::uint8_t v) { record[offset] = char(v); }
// Boolean byte: written as 0 or 1.
inline void putBool(char *record, int offset, bool v) { record[offset] = v ? 1 : 0; }

inline std::uint32_t getU32(const char *record, int offset) { return qFromLittleEndian<std::uint32_t>(record + offset); }
inline std::int32_t getI32(const char *record, int offset) { return qFromLittleEndian<std::int32_t>(record + offset); }
inline std::uint16_t getU16(const char *record, int offset) { return qFromLittleEndian<std::uint16_t>(record + offset); }
inline std::uint8_t getU8(const char *record, int offset) { return std::uint8_t(record[offset]); }
// Boolean byte: true when not 0.
inline bool getBool(const char *record, int offset) { return record[offset] != 0; }

} // namespace le
