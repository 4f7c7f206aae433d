#include "player/payload/show_payload.h"

#include "base/le_record.h"

#include <limits>

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

// Reads slide blocks from `pos` up to `end` (the trailer's offset).
void readSlides(QIODevice &file, qint64 pos, qint64 end, ShowPayload &payload)
{
    char record[kSlideRecordSize];
    while (pos < end) {
        payload.stopOffset = pos;
        if (end - pos < kSlideRecordSize) {
            payload.stop = PayloadStop::TruncatedRecord;
            return;
        }
        if (!readAt(file, pos, record, kSlideRecordSize)) {
            payload.stop = PayloadStop::ReadError;
            return;
        }
        const TSlideRecord decoded = decodeSlideRecord(record);
        const qint64 dataStart = pos + kSlideRecordSize;
        if (decoded.imageSize < 0) {
            payload.stop = PayloadStop::NegativeImageSize;
            return;
        }
        if (decoded.imageSize > end - dataStart) {
            payload.stop = PayloadStop::BlockPastTrailer;
            return;
        }
        payload.records.push_back(PayloadRecordEntry{pos, decoded});
        if (decoded.imageSize == 0)
            ++payload.emptyRecords;
        else
            payload.slides.push_back(TSlideItem{dataStart, decoded});
        pos = dataStart + decoded.imageSize;
    }
    payload.stop = PayloadStop::Complete;
    payload.stopOffset = 0;
}

} // namespace

Result<ShowPayload> readShowPayload(QIODevice &file)
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
    readSlides(file, headerOffset + kShowHeaderSize, trailerOffset, payload);
    return payload;
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
