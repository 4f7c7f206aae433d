#include "player/payload/show_payload.h"

#include "base/le_record.h"

#include <QFileDevice>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <unistd.h>

namespace player {

QString describeStop(PayloadStop stop)
{
    switch (stop) {
    case PayloadStop::Complete: return {};
    case PayloadStop::TruncatedRecord: return QStringLiteral("fiche de diapositive incomplète");
    case PayloadStop::NegativeImageSize: return QStringLiteral("taille d'image négative");
    case PayloadStop::BlockPastTrailer: return QStringLiteral("image qui dépasse la fin du lumivelle");
    case PayloadStop::ReadError: return QStringLiteral("erreur de lecture du fichier");
    }
    return {};
}

namespace {

const QString kNoPayload = QStringLiteral("Ce fichier ne contient pas de lumivelle.");

bool readAt(QIODevice &file, qint64 offset, char *into, qint64 count)
{
    return file.seek(offset) && file.read(into, count) == count;
}

// Reads the file in blocks, so records that follow each other cost one read per block,
// not one seek and read each. Holes of a sparse file (ranges the file system stores no
// data for, which read as zeros) are not read at all: gigabytes of them cost nothing.
class BlockReader {
public:
    explicit BlockReader(QIODevice &file)
        : m_file(file), m_block(kBlockSize, Qt::Uninitialized), m_zeros(kSlideRecordSize, '\0')
    {
        if (auto *device = qobject_cast<QFileDevice *>(&file))
            m_fd = device->handle();
    }

    // The `count` bytes at `offset` (count <= kSlideRecordSize), empty when they cannot be
    // read.
    QByteArrayView at(qint64 offset, qint64 count)
    {
        if (offset >= m_holeStart && offset + count <= m_holeEnd)
            return QByteArrayView(m_zeros.constData(), count);
        if (offset < m_start || offset + count > m_start + m_length) {
            if (inHole(offset, count))
                return QByteArrayView(m_zeros.constData(), count);
            if (!m_file.seek(offset))
                return {};
            m_start = offset;
            m_length = std::max<qint64>(0, m_file.read(m_block.data(), kBlockSize));
            if (count > m_length)
                return {};
        }
        return QByteArrayView(m_block.constData() + (offset - m_start), count);
    }

private:
    static constexpr qint64 kBlockSize = 64 * 1024;

    // Whether [offset, offset + count) lies in a hole; if so the hole is remembered.
    bool inHole(qint64 offset, qint64 count)
    {
        if (m_fd < 0)
            return false;
        const off_t position = ::lseek(m_fd, 0, SEEK_CUR); // the device's own, put back after
        off_t data = ::lseek(m_fd, off_t(offset), SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            data = off_t(m_file.size()); // no data after `offset`: a hole up to the end
        if (position >= 0)
            ::lseek(m_fd, position, SEEK_SET);
        if (data < 0 || data < offset + count)
            return false;
        m_holeStart = offset, m_holeEnd = data;
        return true;
    }

    QIODevice &m_file;
    int m_fd = -1;
    QByteArray m_block;
    QByteArray m_zeros;
    qint64 m_start = 0, m_length = 0;
    qint64 m_holeStart = 0, m_holeEnd = 0;
};

// Reads slide blocks from `pos` up to `end` (the trailer's offset).
void readSlides(QIODevice &file, qint64 pos, qint64 end, ShowPayload &payload, const PayloadRecordVisitor &visit)
{
    BlockReader reader(file);
    while (pos < end) {
        payload.stopOffset = pos;
        if (end - pos < kSlideRecordSize) {
            payload.stop = PayloadStop::TruncatedRecord;
            return;
        }
        const QByteArrayView record = reader.at(pos, kSlideRecordSize);
        if (record.isEmpty()) {
            payload.stop = PayloadStop::ReadError;
            return;
        }
        const qint32 imageSize = le::getI32(record.data(), record_offsets::kImageSize);
        const qint64 dataStart = pos + kSlideRecordSize;
        if (imageSize < 0) {
            payload.stop = PayloadStop::NegativeImageSize;
            return;
        }
        if (imageSize > end - dataStart) {
            payload.stop = PayloadStop::BlockPastTrailer;
            return;
        }
        if (visit)
            visit(pos, record);
        if (imageSize == 0)
            ++payload.emptyRecords;
        else
            payload.slides.push_back(TSlideItem{dataStart, decodeSlideRecord(record.data())});
        pos = dataStart + imageSize;
    }
    payload.stop = PayloadStop::Complete;
    payload.stopOffset = 0;
}

} // namespace

Result<ShowPayload> readShowPayloadHeader(QIODevice &file)
{
    const qint64 size = file.size();
    if (size < kShowHeaderSize + kTrailerSize)
        return fail(kNoPayload);
    const qint64 trailerOffset = size - kTrailerSize;
    char trailer[kTrailerSize];
    if (!readAt(file, trailerOffset, trailer, kTrailerSize))
        return fail(kNoPayload);
    const qint64 headerOffset = le::getU32(trailer, 0);
    if (headerOffset > trailerOffset - kShowHeaderSize)
        return fail(kNoPayload);

    char header[kShowHeaderSize];
    if (!readAt(file, headerOffset, header, kShowHeaderSize))
        return fail(kNoPayload);
    if (static_cast<unsigned char>(header[header_offsets::kMusicName]) > kPayloadTextCapacity)
        return fail(kNoPayload);

    ShowPayload payload;
    payload.headerOffset = headerOffset;
    payload.header = decodeShowHeader(header);
    return payload;
}

Result<ShowPayload> readShowPayload(QIODevice &file, const PayloadRecordVisitor &visit)
{
    auto payload = readShowPayloadHeader(file);
    if (payload)
        readSlides(file, payload->headerOffset + kShowHeaderSize, file.size() - kTrailerSize, *payload, visit);
    return payload;
}

QString bareMusicName(const QString &stored)
{
    const qsizetype cut = std::max(stored.lastIndexOf(u'/'), stored.lastIndexOf(u'\\'));
    const QString name = stored.mid(cut + 1);
    return name == u"." || name == u".." ? QString() : name;
}

PayloadWriter::PayloadWriter(QIODevice &file) : m_file(file) {}

Result<void> PayloadWriter::write(QByteArrayView bytes)
{
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size())
        return fail(QStringLiteral("Erreur d'écriture du lumivelle : %1").arg(m_file.errorString()));
    return {};
}

Result<void> PayloadWriter::writeHeader(const TShowHeader &header)
{
    m_headerOffset = m_file.size();
    if (m_headerOffset > std::numeric_limits<std::uint32_t>::max())
        return fail(QStringLiteral("Le lecteur est trop grand pour recevoir un lumivelle."));
    if (!m_file.seek(m_headerOffset))
        return fail(QStringLiteral("Erreur d'écriture du lumivelle : %1").arg(m_file.errorString()));
    return write(encodeShowHeader(header));
}

Result<void> PayloadWriter::writeSlide(TSlideRecord record, QByteArrayView jpeg)
{
    if (jpeg.size() > std::numeric_limits<std::int32_t>::max())
        return fail(QStringLiteral("Image trop grande pour le lumivelle."));
    record.imageSize = std::int32_t(jpeg.size());
    if (auto written = write(encodeSlideRecord(record)); !written)
        return written;
    return write(jpeg);
}

Result<void> PayloadWriter::writeEmptySlide(TSlideRecord record)
{
    record.imageSize = 0;
    return write(encodeSlideRecord(record));
}

Result<void> PayloadWriter::finish()
{
    char trailer[kTrailerSize];
    le::putU32(trailer, 0, std::uint32_t(m_headerOffset));
    return write(QByteArrayView(trailer, kTrailerSize));
}

} // namespace player
