#include "imaging/tools/turned_encoding.h"

#include "imaging/jpeg_guard.h"
#include "imaging/tools/picture_files.h"
#include "imaging/tools/rotate_bitmap.h"

#include <jerror.h>
#include <new>
#include <vector>

namespace imagetools {
namespace {

using imaging::detail::JpegErrorManager;

// Bands of 16 rows: a multiple of 4 (the turn's blocks) and of the encoder's MCU height.
constexpr int kBandRows = 16;
constexpr qsizetype kFirstBlock = 64 * 1024;

// libjpeg's destination: one buffer sized for the whole stream at once (the pages the
// stream does not reach are never touched), doubled in the rare case it is not enough,
// with the caller's room kept in front of the stream.
struct RoomyDestination {
    jpeg_destination_mgr base{};
    QByteArray bytes;
    qsizetype streamStart = 0;
};

bool growTo(QByteArray &bytes, qsizetype size)
{
    // An exception must not cross libjpeg's C frames: caught here, reported below.
    try {
        bytes.resize(size);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void initDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<RoomyDestination *>(cinfo->dest);
    dest->base.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes.data()) + dest->streamStart;
    dest->base.free_in_buffer = std::size_t(dest->bytes.size() - dest->streamStart);
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<RoomyDestination *>(cinfo->dest);
    const qsizetype used = dest->bytes.size(); // libjpeg only calls this when the buffer is full
    if (!growTo(dest->bytes, used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->base.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes.data()) + used;
    dest->base.free_in_buffer = std::size_t(dest->bytes.size() - used);
    return TRUE;
}

void terminateDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<RoomyDestination *>(cinfo->dest);
    dest->bytes.truncate(dest->bytes.size() - qsizetype(dest->base.free_in_buffer));
}

// Everything that owns memory lives here, outside the guarded code (see jpeg_guard.h).
struct TurnedEncoder {
    jpeg_compress_struct cinfo{};
    JpegErrorManager err;
    bool created = false;
    RoomyDestination dest;
    std::vector<uchar> band;
    std::vector<JSAMPROW> rows;

    TurnedEncoder()
    {
        cinfo.err = imaging::detail::installErrorManager(err);
        dest.base.init_destination = initDestination;
        dest.base.empty_output_buffer = emptyOutputBuffer;
        dest.base.term_destination = terminateDestination;
    }
    ~TurnedEncoder()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
    }
    TurnedEncoder(const TurnedEncoder &) = delete;
    TurnedEncoder &operator=(const TurnedEncoder &) = delete;
};

// The settings of imaging::encodeJpeg, so that the bytes are the same.
void encodeUnderGuard(TurnedEncoder &e, const TurnedRows &turned, int quality)
{
    const QSize size = turned.size();
    jpeg_create_compress(&e.cinfo);
    e.created = true;
    jpeg_compress_struct &cinfo = e.cinfo;
    cinfo.dest = &e.dest.base;
    cinfo.image_width = JDIMENSION(size.width());
    cinfo.image_height = JDIMENSION(size.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const qsizetype stride = qsizetype(size.width()) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = int(cinfo.next_scanline);
        const int count = std::min(kBandRows, size.height() - first);
        turned.write(first, first + count, e.band.data(), stride);
        jpeg_write_scanlines(&cinfo, e.rows.data(), JDIMENSION(count));
    }
    jpeg_finish_compress(&cinfo);
}

} // namespace

Result<RoomyJpeg> encodeTurnedJpeg(const QImage &bitmap, int angle, int quality, qsizetype room)
{
    if (quality < 1 || quality > 100)
        return fail(QStringLiteral("Qualité JPEG hors limites (1 à 100) : %1").arg(quality));
    Result<TurnedRows> turned = TurnedRows::make(angle, bitmap);
    if (!turned)
        return std::unexpected(turned.error());
    const QSize size = turned->size();
    const qsizetype stride = qsizetype(size.width()) * 3;
    TurnedEncoder e;
    e.band.resize(std::size_t(stride) * kBandRows);
    for (int i = 0; i < kBandRows; ++i)
        e.rows.push_back(e.band.data() + i * stride);
    // One byte a pixel holds the photos of any camera at quality 100 with room to spare.
    e.dest.streamStart = room;
    if (!growTo(e.dest.bytes, room + qsizetype(size.width()) * size.height() + kFirstBlock))
        return fail(QStringLiteral("Mémoire insuffisante pour encoder l'image"));
    if (auto ok = imaging::detail::runGuarded(e.err, [&] { encodeUnderGuard(e, *turned, quality); }); !ok)
        return std::unexpected(ok.error());
    return RoomyJpeg{std::move(e.dest.bytes), room};
}

Result<QByteArray> encodeTurnedBmp24(const QImage &bitmap, int angle)
{
    Result<TurnedRows> turned = TurnedRows::make(angle, bitmap);
    if (!turned)
        return std::unexpected(turned.error());
    return encodeBmp24Rows(turned->size(), [&](uchar *topRow, qsizetype stride) {
        turned->write(0, turned->size().height(), topRow, stride);
    });
}

} // namespace imagetools
