#pragma once
// Writing test files by hand, field by field, as the format descriptions list them.
#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>
#include <initializer_list>

namespace readers_test {

class Bytes {
public:
    Bytes &u8(int v) { m_data.append(char(v)); return *this; }
    Bytes &u8s(std::initializer_list<int> values)
    {
        for (int v : values)
            u8(v);
        return *this;
    }
    Bytes &le16(int v) { return put<quint16>(quint16(v), false); }
    Bytes &le32(qint64 v) { return put<quint32>(quint32(v), false); }
    Bytes &be16(int v) { return put<quint16>(quint16(v), true); }
    Bytes &be32(qint64 v) { return put<quint32>(quint32(v), true); }
    Bytes &text(const char *s) { m_data.append(s); return *this; }
    Bytes &raw(const QByteArray &bytes) { m_data.append(bytes); return *this; }
    Bytes &zeros(qsizetype n) { m_data.append(QByteArray(n, '\0')); return *this; }
    Bytes &padTo(qsizetype size) { return zeros(std::max<qsizetype>(0, size - m_data.size())); }
    // Overwrites a 32-bit little-endian field already written.
    Bytes &patchLe32(qsizetype at, qint64 v)
    {
        qToLittleEndian(quint32(v), m_data.data() + at);
        return *this;
    }
    qsizetype size() const { return m_data.size(); }
    const QByteArray &data() const { return m_data; }
    operator QByteArray() const { return m_data; }
    operator QByteArrayView() const { return m_data; }

private:
    template <class T>
    Bytes &put(T v, bool bigEndian)
    {
        char b[sizeof(T)];
        if (bigEndian)
            qToBigEndian(v, b);
        else
            qToLittleEndian(v, b);
        m_data.append(b, sizeof(T));
        return *this;
    }
    QByteArray m_data;
};

} // namespace readers_test
