// Encoding pictures as baseline JFIF files.
#include "base/atomic_file.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_guard.h"

#include <jerror.h>
#include <new>

namespace imaging {
namespace {

using detail::JpegErrorManager;

// libjpeg's destination: a QByteArray that doubles when full.
struct ByteArrayDestination {
    jpeg_destination_mgr base{};
    QByteArray bytes;
};

constexpr qsizetype kFirstBlock = 64 * 1024;

bool growTo(ByteArrayDestination &dest, qsizetype size)
{
    // An exception must not cross libjpeg's C frames: catch it here, report it below.
    try {
        dest.bytes.resize(size);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void initDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    if (!growTo(*dest, kFirstBlock))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    dest->base.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes.data());
    dest->base.free_in_buffer = std::size_t(dest->bytes.size());
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    const qsizetype used = dest->bytes.size(); // libjpeg only calls this when the block is full
    if (!growTo(*dest, used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->base.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes.data()) + used;
    dest->base.free_in_buffer = std::size_t(dest->bytes.size() - used);
    return TRUE;
}

void terminateDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    dest->bytes.truncate(dest->bytes.size() - qsizetype(dest->base.free_in_buffer));
}

struct JpegEncoder {
    jpeg_compress_struct cinfo{};
    JpegErrorManager err;
    ByteArrayDestination dest;
    bool created = false;

    JpegEncoder()
    {
        cinfo.err = detail::installErrorManager(err);
        dest.base.init_destination = initDestination;
        dest.base.empty_output_buffer = emptyOutputBuffer;
        dest.base.term_destination = terminateDestination;
    }
    ~JpegEncoder()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
    }
    JpegEncoder(const JpegEncoder &) = delete;
    JpegEncoder &operator=(const JpegEncoder &) = delete;
};

void encodeUnderGuard(JpegEncoder &e, const QImage &bgr, int quality)
{
    jpeg_create_compress(&e.cinfo);
    e.created = true;
    jpeg_compress_struct &cinfo = e.cinfo;
    cinfo.dest = &e.dest.base;
    cinfo.image_width = JDIMENSION(bgr.width());
    cinfo.image_height = JDIMENSION(bgr.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo); // YCbCr with a JFIF header, Huffman, sequential
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(bgr.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
}

} // namespace

Result<QByteArray> encodeJpeg(const QImage &picture, int quality)
{
    if (picture.isNull())
        return fail(QStringLiteral("Aucune image à encoder en JPEG"));
    if (quality < 1 || quality > 100)
        return fail(QStringLiteral("Qualité JPEG hors limites (1 à 100) : %1").arg(quality));
    const QImage bgr = picture.format() == QImage::Format_BGR888
                           ? picture
                           : picture.convertToFormat(QImage::Format_BGR888);
    if (bgr.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour encoder l'image"));
    JpegEncoder e;
    if (auto ok = detail::runGuarded(e.err, [&] { encodeUnderGuard(e, bgr, quality); }); !ok)
        return std::unexpected(ok.error());
    return std::move(e.dest.bytes);
}

Result<void> saveJpegFile(const QImage &picture, const QString &path, int quality)
{
    Result<QByteArray> bytes = encodeJpeg(picture, quality);
    if (!bytes)
        return std::unexpected(bytes.error());
    return writeFileAtomically(path, *bytes);
}

} // namespace imaging
