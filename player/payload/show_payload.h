#pragma once
// Reading and writing the show payload appended to the player program.
//
// The format has nothing to check against, so the reader checks what it can: the
// trailer must leave room for the header before it, the header's music name must fit
// its field, and every slide block must end at or before the trailer with a
// non-negative image size. Reading stops at the first bad block; the slides read before
// it are kept, and the result says why reading stopped.
//
// Only the slides with a picture are kept, whatever the file holds: a file of gigabytes of
// zeros reads as millions of empty records, which are counted, not kept. The records are
// read in blocks, in file order.
#include "base/result.h"
#include "player/payload/show_payload_records.h"

#include <QByteArrayView>
#include <QIODevice>
#include <functional>
#include <vector>

namespace player {

// One playable slide: its record and where its JPEG data starts in the file.
struct TSlideItem {
    qint64 jpegOffset = 0;
    TSlideRecord record; // record.imageSize is the JPEG data's length, always > 0
};

enum class PayloadStop {
    Complete,          // blocks ran exactly up to the trailer
    TruncatedRecord,   // fewer than 112 bytes were left before the trailer
    NegativeImageSize, // a record gave an image size below 0
    BlockPastTrailer,  // a record's JPEG data runs past the trailer
    ReadError,         // the file could not be read
};

struct ShowPayload {
    qint64 headerOffset = 0;
    TShowHeader header;
    std::vector<TSlideItem> slides; // records with image size 0 are not listed
    qint64 emptyRecords = 0;        // records with image size 0 that were skipped
    PayloadStop stop = PayloadStop::Complete;
    qint64 stopOffset = 0;          // where the bad block starts, when stop is not Complete
};

// The reason in French, for messages and diagnostics ("" for Complete).
QString describeStop(PayloadStop stop);

// Told of every good record, playable or not, as it is read: where it starts and its 112
// bytes (for diagnostics; nothing of it is kept).
using PayloadRecordVisitor = std::function<void(qint64 offset, QByteArrayView record)>;

// Fails when the file carries no payload at all (too small, trailer out of range,
// header that cannot be one).
Result<ShowPayload> readShowPayload(QIODevice &file, const PayloadRecordVisitor &visit = {});
// The trailer and the header only (no slides), with the same checks.
Result<ShowPayload> readShowPayloadHeader(QIODevice &file);

// The music name of a header as the player may use it: the bare file name, whatever folder
// part ("/", "\\") or ".." the stored name carries, so the player only ever looks beside
// itself. Empty when no file name is left ("..", "dossier/").
QString bareMusicName(const QString &stored);

// Appends a payload to a device that holds the player program (opened read-write).
// Use: writeHeader, then writeSlide / writeEmptySlide per slide in show order, then finish.
class PayloadWriter {
public:
    explicit PayloadWriter(QIODevice &file);

    Result<void> writeHeader(const TShowHeader &header);
    // Writes the record with its image size set to the JPEG data's length, then the data.
    Result<void> writeSlide(TSlideRecord record, QByteArrayView jpeg);
    // A slide whose picture could not be prepared: a record with image size 0.
    Result<void> writeEmptySlide(TSlideRecord record);
    // Writes the trailer: the header's offset.
    Result<void> finish();

    qint64 headerOffset() const { return m_headerOffset; }

private:
    Result<void> write(QByteArrayView bytes);

    QIODevice &m_file;
    qint64 m_headerOffset = 0;
};

} // namespace player
