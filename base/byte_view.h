#pragma once
// The one bounds-checked view of a file's bytes that every reader of outside data uses.
#include <QByteArrayView>
#include <QtEndian>
#include <cstdint>
#include <cstring>

// Random access to the bytes of a file. Reads outside the data return 0, so a decoder that
// forgot a check can read wrong values but never outside the buffer; decoders check with
// has() before they read and report a truncated file.
class ByteView {
public:
    ByteView() = default;
    explicit ByteView(QByteArrayView data)
        : m_data(reinterpret_cast<const uchar *>(data.data())), m_size(data.size()) {}

    qsizetype size() const { return m_size; }
    const uchar *data() const { return m_data; }
    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= m_size && count <= m_size - offset;
    }
    // The bytes [offset, offset + count), empty when they are not all there.
    QByteArrayView slice(qint64 offset, qint64 count) const
    {
        if (!has(offset, count))
            return {};
        return QByteArrayView(reinterpret_cast<const char *>(m_data + offset), qsizetype(count));
    }
    // From offset to the end (empty when offset lies outside).
    QByteArrayView from(qint64 offset) const { return has(offset, 0) ? slice(offset, m_size - offset) : QByteArrayView(); }

    quint8 u8(qint64 o) const { return has(o, 1) ? m_data[o] : 0; }
    quint16 le16(qint64 o) const { return has(o, 2) ? qFromLittleEndian<quint16>(m_data + o) : 0; }
    quint32 le32(qint64 o) const { return has(o, 4) ? qFromLittleEndian<quint32>(m_data + o) : 0; }
    quint16 be16(qint64 o) const { return has(o, 2) ? qFromBigEndian<quint16>(m_data + o) : 0; }
    quint32 be32(qint64 o) const { return has(o, 4) ? qFromBigEndian<quint32>(m_data + o) : 0; }
    qint16 le16s(qint64 o) const { return qint16(le16(o)); }
    qint32 le32s(qint64 o) const { return qint32(le32(o)); }
    qint16 be16s(qint64 o) const { return qint16(be16(o)); }
    qint32 be32s(qint64 o) const { return qint32(be32(o)); }
    bool startsWith(qint64 offset, QByteArrayView magic) const
    {
        return has(offset, magic.size()) && std::memcmp(m_data + offset, magic.data(), size_t(magic.size())) == 0;
    }

private:
    const uchar *m_data = nullptr;
    qsizetype m_size = 0;
};
