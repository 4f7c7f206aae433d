// PNG through libpng: every colour type and depth, palettes with transparency, Adam7
// interlacing; 16-bit samples are rounded to 8 bits, and alpha (an alpha channel or a
// tRNS chunk) gives a 32-bit picture.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "PNG";

struct PngSource {
    const uchar *data;
    size_t size;
    size_t position = 0;
    char message[160] = {};
};

void readFromMemory(png_structp png, png_bytep out, size_t count)
{
    auto *source = static_cast<PngSource *>(png_get_io_ptr(png));
    if (count > source->size - source->position)
        png_error(png, "file truncated");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

// libpng reports errors by jumping back to the setjmp of the running stage.
void onError(png_structp png, png_const_charp message)
{
    auto *source = static_cast<PngSource *>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp)
{
}

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    explicit PngReader(PngSource &source)
    {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onError, onWarning);
        if (png)
            info = png_create_info_struct(png);
        if (png && info)
            png_set_read_fn(png, &source, readFromMemory);
    }
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
    PngReader(const PngReader &) = delete;
    PngReader &operator=(const PngReader &) = delete;
};

struct PngLayout {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool alpha = false;
};

// Reads the header and asks libpng for 8-bit blue, green, red (and alpha) samples. Only
// plain data lives in this function: a jump out of it skips no destructor.
bool readHeader(PngReader &r, PngLayout &layout)
{
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_user_limits(r.png, kMaxSide, kMaxSide);
    png_read_info(r.png, r.info);
    const int colourType = png_get_color_type(r.png, r.info);
    layout.width = png_get_image_width(r.png, r.info);
    layout.height = png_get_image_height(r.png, r.info);
    layout.alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(r.png, r.info, PNG_INFO_tRNS);
    png_set_expand(r.png);
    png_set_scale_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_bgr(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    return png_get_channels(r.png, r.info) == (layout.alpha ? 4 : 3);
}

bool readRows(PngReader &r, png_bytep *rows)
{
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_read_image(r.png, rows);
    return true;
}

Failure pngFailure(const PngSource &source)
{
    if (source.message[0] == 0)
        return corruptData(kFormat);
    return Failure{QStringLiteral("Fichier PNG illisible : %1").arg(QString::fromLatin1(source.message))};
}

} // namespace

bool looksLikePng(QByteArrayView data)
{
    return ByteView(data).startsWith(0, QByteArrayView("\x89PNG\r\n\x1a\n", 8));
}

// The IHDR chunk comes first: width and height, big-endian, at 16 and 20.
std::optional<QSize> pngSize(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikePng(data) || !v.startsWith(12, "IHDR"))
        return std::nullopt;
    const quint32 w = v.be32(16), h = v.be32(20);
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        return std::nullopt;
    return QSize(int(w), int(h));
}

Result<QImage> decodePng(QByteArrayView data)
{
    const ByteView v(data);
    if (!looksLikePng(data) || !v.startsWith(12, "IHDR"))
        return std::unexpected(invalidHeader(kFormat));
    if (auto ok = checkDimensions(v.be32(16), v.be32(20), kFormat); !ok)
        return std::unexpected(ok.error());
    PngSource source{v.data(), size_t(v.size())};
    PngReader reader(source);
    if (!reader.info)
        return fail(QStringLiteral("Mémoire insuffisante pour lire le PNG."));
    PngLayout layout;
    if (!readHeader(reader, layout))
        return std::unexpected(pngFailure(source));
    auto out = newPicture(layout.width, layout.height, layout.alpha, kFormat);
    if (!out)
        return out;
    std::vector<png_bytep> rows(layout.height);
    for (png_uint_32 y = 0; y < layout.height; ++y)
        rows[y] = out->scanLine(int(y));
    if (!readRows(reader, rows.data()))
        return std::unexpected(pngFailure(source));
    return layout.alpha ? settleAlpha(std::move(*out)) : *out;
}

} // namespace imaging::readers
