// Decoding JPEG files to 24-bit pictures.
#include "imaging/jpeg_codec.h"

#include "base/file_bytes.h"
#include "imaging/jpeg_guard.h"
#include "imaging/orientation.h"
#include "imaging/picture_buffer.h"

#include <cstring>
#include <jerror.h>
#include <vector>

namespace imaging {
namespace detail {

namespace {

[[noreturn]] void onFatalError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// libjpeg only warns when the data ends before the last scan and pads the rest with
// grey; a picture with a missing part is a broken file, so that warning is fatal here.
// Other warnings (extra bytes before a marker, ...) leave a usable picture.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        onFatalError(cinfo);
}

} // namespace

jpeg_error_mgr *installErrorManager(JpegErrorManager &err)
{
    jpeg_error_mgr *base = jpeg_std_error(&err.base);
    base->error_exit = onFatalError;
    base->emit_message = onMessage;
    return base;
}

} // namespace detail

namespace {

using detail::JpegErrorManager;

struct JpegDecoder {
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err;
    bool created = false;
    QImage picture;
    std::vector<JSAMPLE> cmykRow;
    std::vector<JSAMPLE> band; // stored rows waiting for their upright places

    JpegDecoder() { cinfo.err = detail::installErrorManager(err); }
    ~JpegDecoder()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    void start(QByteArrayView data)
    {
        jpeg_create_decompress(&cinfo);
        created = true;
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.data()),
                     static_cast<unsigned long>(data.size()));
        jpeg_read_header(&cinfo, TRUE);
    }
};

bool isFourComponent(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

// Adobe applications write CMYK inverted (0 = full ink); files without the Adobe marker
// hold plain ink values.
void cmykRowToBgr(const JSAMPLE *cmyk, uchar *bgr, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = uchar((y * k + 127) / 255);
        bgr[1] = uchar((m * k + 127) / 255);
        bgr[2] = uchar((c * k + 127) / 255);
    }
}

// Rows of a picture stored as it is shown go straight into the picture; the rows of a
// turned one are decoded a band at a time and put at their upright places.
constexpr int kBandRows = 16;

bool readRow(JpegDecoder &d, uchar *bgr)
{
    jpeg_decompress_struct &cinfo = d.cinfo;
    const bool fourComponent = cinfo.out_color_space == JCS_CMYK;
    JSAMPROW row = fourComponent ? d.cmykRow.data() : bgr;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
        d.err.ownFailure = "Données JPEG incomplètes";
        return false;
    }
    if (fourComponent)
        cmykRowToBgr(row, bgr, int(cinfo.output_width), cinfo.saw_Adobe_marker);
    return true;
}

void readAllRows(JpegDecoder &d, Orientation turn)
{
    jpeg_decompress_struct &cinfo = d.cinfo;
    if (turn == Orientation::Normal) {
        while (cinfo.output_scanline < cinfo.output_height)
            if (!readRow(d, d.picture.scanLine(int(cinfo.output_scanline))))
                return;
        return;
    }
    const QSize stored(int(cinfo.output_width), int(cinfo.output_height));
    const qsizetype rowBytes = qsizetype(stored.width()) * 3;
    d.band.resize(std::size_t(rowBytes) * kBandRows);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int first = int(cinfo.output_scanline);
        const int count = std::min(kBandRows, stored.height() - first);
        for (int i = 0; i < count; ++i)
            if (!readRow(d, d.band.data() + i * rowBytes))
                return;
        placeStoredRows(d.band.data(), rowBytes, first, count, stored, turn, d.picture);
    }
}

void decodeUnderGuard(JpegDecoder &d, QByteArrayView data, QSize atLeast, JpegDct dct, Orientation turn)
{
    d.start(data);
    jpeg_decompress_struct &cinfo = d.cinfo;
    cinfo.out_color_space = isFourComponent(cinfo.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.scale_num = 1;
    // atLeast is asked of the upright picture: the stored one has its sides exchanged.
    cinfo.scale_denom = unsigned(jpegScaleDenominator(
        QSize(int(cinfo.image_width), int(cinfo.image_height)), uprightSize(atLeast, turn)));
    if (dct == JpegDct::Fast)
        cinfo.dct_method = JDCT_IFAST;
    jpeg_start_decompress(&cinfo);
    const QSize size = uprightSize(QSize(int(cinfo.output_width), int(cinfo.output_height)), turn);
    d.picture = newLargePicture(size.width(), size.height(), QImage::Format_BGR888);
    if (d.picture.isNull()) {
        d.err.ownFailure = "Mémoire insuffisante pour l'image JPEG";
        return;
    }
    if (cinfo.out_color_space == JCS_CMYK)
        d.cmykRow.resize(std::size_t(cinfo.output_width) * 4);
    readAllRows(d, turn);
    if (!d.err.ownFailure)
        jpeg_finish_decompress(&cinfo);
}

} // namespace

int jpegScaleDenominator(QSize full, QSize atLeast)
{
    if (atLeast.isEmpty())
        return 1;
    for (int denominator : {8, 4, 2}) {
        const int w = (full.width() + denominator - 1) / denominator;
        const int h = (full.height() + denominator - 1) / denominator;
        if (w >= atLeast.width() && h >= atLeast.height())
            return denominator;
    }
    return 1;
}

Result<JpegInfo> readJpegInfo(QByteArrayView data)
{
    JpegDecoder d;
    if (auto ok = detail::runGuarded(d.err, [&] { d.start(data); }); !ok)
        return std::unexpected(ok.error());
    return JpegInfo{int(d.cinfo.image_width), int(d.cinfo.image_height), d.cinfo.num_components};
}

Result<QImage> decodeJpeg(QByteArrayView data, QSize atLeast, JpegDct dct, Orientation turn)
{
    JpegDecoder d;
    if (auto ok = detail::runGuarded(d.err, [&] { decodeUnderGuard(d, data, atLeast, dct, turn); }); !ok)
        return std::unexpected(ok.error());
    return std::move(d.picture);
}

Result<QImage> loadJpegFile(const QString &path, QSize atLeast)
{
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return std::unexpected(bytes.error());
    return decodeJpeg(*bytes, atLeast);
}

} // namespace imaging
