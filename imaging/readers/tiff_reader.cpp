// TIFF (.tif, .tiff) and fax images (.fax: TIFF with CCITT Group 3 or 4 compression),
// read with libtiff from memory: the first page. Plain 8-bit grey and RGB strips, with or
// without alpha, are copied row by row; every other layout (palette, bilevel and fax,
// 16-bit, CMYK, YCbCr and JPEG, tiles, separate planes) goes through libtiff's RGBA
// reader. Headerless Group 3 fax pages are read through a TIFF header made for them.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"

#include <QString>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <tiffio.h>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "TIFF";
// libtiff refuses any single allocation (strip, tile, table) above a limit that follows
// from the picture's size: 16 bytes a pixel, at least 64 MB, at most what the largest
// picture we accept takes. A forged sample count or strip size cannot take more.
constexpr tmsize_t kSmallestAllocationLimit = tmsize_t(64) << 20;
constexpr tmsize_t kLargestAllocationLimit = tmsize_t(kMaxPixels) * 4;
constexpr int kMostSamples = 16;

struct MemoryFile {
    explicit MemoryFile(QByteArrayView bytes) : data(reinterpret_cast<const uchar *>(bytes.data())), size(toff_t(bytes.size())) {}
    const uchar *data;
    toff_t size;
    toff_t position = 0;
    QString firstError;
};

tmsize_t readProc(thandle_t handle, void *buffer, tmsize_t count)
{
    auto *f = static_cast<MemoryFile *>(handle);
    if (count <= 0 || f->position >= f->size)
        return 0;
    const tmsize_t n = tmsize_t(std::min<toff_t>(toff_t(count), f->size - f->position));
    std::memcpy(buffer, f->data + f->position, size_t(n));
    f->position += toff_t(n);
    return n;
}

tmsize_t writeProc(thandle_t, void *, tmsize_t)
{
    return 0;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto *f = static_cast<MemoryFile *>(handle);
    const toff_t base = whence == SEEK_CUR ? f->position : whence == SEEK_END ? f->size : 0;
    if (offset > std::numeric_limits<toff_t>::max() - base)
        return toff_t(-1);
    f->position = base + offset;
    return f->position;
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return static_cast<MemoryFile *>(handle)->size;
}

int mapProc(thandle_t handle, void **base, toff_t *size)
{
    auto *f = static_cast<MemoryFile *>(handle);
    *base = const_cast<uchar *>(f->data);
    *size = f->size;
    return 1;
}

void unmapProc(thandle_t, void *, toff_t)
{
}

int errorProc(TIFF *, void *user, const char *module, const char *format, va_list args)
{
    auto *f = static_cast<MemoryFile *>(user);
    if (f->firstError.isEmpty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, args);
        f->firstError = QString::fromLocal8Bit(text);
    }
    return 1;
}

int warningProc(TIFF *, void *, const char *, const char *, va_list)
{
    return 1; // warnings are not failures; nobody reads them
}

struct TiffCloser {
    void operator()(TIFF *tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle openMemory(MemoryFile &file, tmsize_t allocationLimit = kSmallestAllocationLimit)
{
    file.position = 0;
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, allocationLimit);
    TIFFOpenOptionsSetErrorHandlerExtR(options, errorProc, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, warningProc, &file);
    TIFF *tif = TIFFClientOpenExt("memory", "rm", &file, readProc, writeProc, seekProc, closeProc, sizeProc,
                                  mapProc, unmapProc, options);
    TIFFOpenOptionsFree(options);
    return TiffHandle(tif);
}

Failure libtiffFailure(const MemoryFile &file)
{
    if (file.firstError.isEmpty())
        return corruptData(kFormat);
    return Failure{QStringLiteral("Fichier TIFF illisible : %1").arg(file.firstError)};
}

struct Layout {
    quint32 width = 0;
    quint32 height = 0;
    quint16 samples = 1;
    quint16 bits = 1;
    quint16 photometric = 0;
    quint16 planar = PLANARCONFIG_CONTIG;
    quint16 alphaKind = EXTRASAMPLE_UNSPECIFIED; // of the first extra sample, if any
    quint16 extraSamples = 0;
};

Layout readLayout(TIFF *tif)
{
    Layout l;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = PHOTOMETRIC_MINISWHITE;
    quint16 *kinds = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &l.extraSamples, &kinds) && l.extraSamples > 0 && kinds)
        l.alphaKind = kinds[0];
    return l;
}

// 8-bit grey or RGB, interleaved, in strips, with at most one extra sample.
bool simpleStrips(TIFF *tif, const Layout &l)
{
    const bool rgb = l.photometric == PHOTOMETRIC_RGB && (l.samples == 3 || l.samples == 4);
    const bool grey = l.photometric == PHOTOMETRIC_MINISBLACK && (l.samples == 1 || l.samples == 2);
    return !TIFFIsTiled(tif) && l.bits == 8 && (rgb || grey) && (l.planar == PLANARCONFIG_CONTIG || l.samples == 1)
        && l.extraSamples == l.samples - (rgb ? 3 : 1);
}

void convertRow(const uchar *src, const Layout &l, bool alpha, bool associated, uchar *dst)
{
    const int n = l.samples;
    const bool rgb = l.photometric == PHOTOMETRIC_RGB;
    for (quint32 x = 0; x < l.width; ++x) {
        const uchar *p = src + size_t(x) * n;
        const int r = p[0], g = rgb ? p[1] : r, b = rgb ? p[2] : r;
        if (!alpha) {
            dst[3 * x] = uchar(b), dst[3 * x + 1] = uchar(g), dst[3 * x + 2] = uchar(r);
            continue;
        }
        const int a = p[n - 1];
        QRgb c = qRgba(r, g, b, a);
        if (associated)
            c = qUnpremultiply(qRgba(std::min(r, a), std::min(g, a), std::min(b, a), a));
        reinterpret_cast<QRgb *>(dst)[x] = c;
    }
}

Result<QImage> readSimpleStrips(TIFF *tif, const Layout &l, MemoryFile &file)
{
    const bool alpha = l.extraSamples == 1 && (l.alphaKind == EXTRASAMPLE_UNASSALPHA || l.alphaKind == EXTRASAMPLE_ASSOCALPHA);
    auto out = newPicture(l.width, l.height, alpha, kFormat);
    if (!out)
        return out;
    quint32 rowsPerStrip = l.height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<quint32>(rowsPerStrip, 1, l.height);
    const tmsize_t rowBytes = tmsize_t(l.width) * l.samples;
    std::vector<uchar> strip(size_t(rowBytes) * rowsPerStrip);
    for (quint32 y0 = 0; y0 < l.height; y0 += rowsPerStrip) {
        const quint32 rows = std::min(rowsPerStrip, l.height - y0);
        const tmsize_t got = TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, y0, 0), strip.data(), rowBytes * rows);
        if (got < rowBytes * tmsize_t(rows))
            return std::unexpected(libtiffFailure(file));
        for (quint32 r = 0; r < rows; ++r)
            convertRow(strip.data() + size_t(r) * rowBytes, l, alpha, l.alphaKind == EXTRASAMPLE_ASSOCALPHA, out->scanLine(int(y0 + r)));
    }
    return alpha ? settleAlpha(std::move(*out)) : *out;
}

// libtiff's RGBA reader writes R, G, B, A bytes (alpha premultiplied), top row first,
// straight into the picture's memory. Asked for the orientation the file declares, it
// leaves the rows and columns as stored (left alone, it would mirror some orientations
// and not turn the others), like the strip reader: the loader turns every TIFF alike.
Result<QImage> readThroughRgba(TIFF *tif, const Layout &l, MemoryFile &file)
{
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tif, message))
        return std::unexpected(unsupportedVariant(kFormat, QString::fromLocal8Bit(message)));
    if (auto ok = checkDimensions(l.width, l.height, kFormat); !ok)
        return std::unexpected(ok.error());
    QImage raster(int(l.width), int(l.height), QImage::Format_RGBA8888_Premultiplied);
    if (raster.isNull() || raster.bytesPerLine() != qsizetype(l.width) * 4)
        return fail(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.").arg(l.width).arg(l.height));
    quint16 stored = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &stored);
    if (stored < ORIENTATION_TOPLEFT || stored > ORIENTATION_LEFTBOT)
        stored = ORIENTATION_TOPLEFT;
    if (!TIFFReadRGBAImageOriented(tif, l.width, l.height, reinterpret_cast<uint32_t *>(raster.bits()), stored, 1))
        return std::unexpected(libtiffFailure(file));
    const bool alpha = l.extraSamples > 0 && l.alphaKind != EXTRASAMPLE_UNSPECIFIED;
    QImage picture = raster.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    if (picture.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.").arg(l.width).arg(l.height));
    return alpha ? settleAlpha(std::move(picture)) : picture;
}

// Headerless fax pages (.fax files of Group 3, one-dimensional coding): lines start with
// an end-of-line code (eleven or more 0 bits, then a 1) and end the page with six of them.
// The coded lines are counted in each bit order; the order with more is the file's.
struct RawFaxLines {
    int lines = 0;
    int endOfLines = 0;
};

RawFaxLines countRawFaxLines(const ByteView &v, bool leastSignificantFirst)
{
    RawFaxLines count;
    int zeros = 0;
    bool lineData = false; // 1 bits seen since the last end-of-line
    for (qsizetype i = 0; i < v.size(); ++i) {
        const uchar byte = v.u8(i);
        for (int b = 0; b < 8; ++b) {
            const bool one = (leastSignificantFirst ? byte >> b : byte >> (7 - b)) & 1;
            if (!one) {
                ++zeros;
                continue;
            }
            if (zeros >= 11) {
                ++count.endOfLines;
                count.lines += lineData ? 1 : 0;
                lineData = false;
            } else {
                lineData = true;
            }
            zeros = 0;
        }
    }
    count.lines += lineData ? 1 : 0;
    return count;
}

// The page wrapped in a TIFF header that describes it: 1728 pixels wide (the standard
// fax line), one strip of Group 3 one-dimensional data, 0 = white.
std::optional<QByteArray> rawFaxAsTiff(QByteArrayView data)
{
    const ByteView v(data);
    constexpr int kFaxWidth = 1728;
    // The page starts with an end-of-line code: eleven 0 bits in either bit order.
    if (v.size() < 4 || v.size() > 0x7FFFFFF0 || v.u8(0) != 0 || ((v.u8(1) & 0xE0) != 0 && (v.u8(1) & 0x07) != 0))
        return std::nullopt;
    const RawFaxLines msb = countRawFaxLines(v, false), lsb = countRawFaxLines(v, true);
    const bool lsbFirst = lsb.endOfLines > msb.endOfLines;
    const int lines = lsbFirst ? lsb.lines : msb.lines;
    if (std::max(lsb.endOfLines, msb.endOfLines) < 2 || lines < 1)
        return std::nullopt;
    struct Entry { quint16 tag, type; quint32 value; };
    constexpr quint16 kShort = 3, kLong = 4;
    const Entry entries[] = {{256, kLong, kFaxWidth}, {257, kLong, quint32(lines)}, {258, kShort, 1}, {259, kShort, COMPRESSION_CCITTFAX3},
                             {262, kShort, PHOTOMETRIC_MINISWHITE}, {266, kShort, quint32(lsbFirst ? FILLORDER_LSB2MSB : FILLORDER_MSB2LSB)},
                             {273, kLong, 0}, {277, kShort, 1}, {278, kLong, quint32(lines)}, {279, kLong, quint32(data.size())},
                             {292, kLong, 0}};
    constexpr int kCount = int(std::size(entries));
    const quint32 stripOffset = 8 + 2 + 12 * kCount + 4;
    QByteArray tiff("II*\0", 4);
    auto put16 = [&tiff](quint16 x) { tiff.append(char(x & 0xFF)).append(char(x >> 8)); };
    auto put32 = [&](quint32 x) { put16(quint16(x & 0xFFFF)), put16(quint16(x >> 16)); };
    put32(8), put16(kCount);
    for (const Entry &e : entries) {
        put16(e.tag), put16(e.type), put32(1);
        const quint32 value = e.tag == 273 ? stripOffset : e.value;
        if (e.type == kShort)
            put16(quint16(value)), put16(0);
        else
            put32(value);
    }
    put32(0);
    tiff.append(data.data(), data.size());
    return tiff;
}

// The Photometric value the first directory stores, read from the file itself: libtiff
// takes a palette picture whose ColorMap is missing (cut off the end of the file) for a
// grey one, which would be a wrong picture.
std::optional<quint16> storedPhotometric(const ByteView &v)
{
    const bool big = v.u8(0) == 'M';
    auto u16 = [&](qint64 at) { return big ? v.be16(at) : v.le16(at); };
    auto u32 = [&](qint64 at) { return big ? v.be32(at) : v.le32(at); };
    auto u64 = [&](qint64 at) { return big ? (quint64(v.be32(at)) << 32) | v.be32(at + 4) : (quint64(v.le32(at + 4)) << 32) | v.le32(at); };
    const bool bigTiff = u16(2) == 43;
    const quint64 directory = bigTiff ? u64(8) : u32(4);
    const quint64 count = bigTiff ? u64(qint64(directory)) : u16(qint64(directory));
    const qint64 first = qint64(directory) + (bigTiff ? 8 : 2), entrySize = bigTiff ? 20 : 12;
    if (directory > quint64(v.size()) || count > quint64(v.size()) / quint64(entrySize) || !v.has(first, qint64(count) * entrySize))
        return std::nullopt;
    for (qint64 i = 0; i < qint64(count); ++i) {
        const qint64 entry = first + i * entrySize;
        if (u16(entry) == TIFFTAG_PHOTOMETRIC)
            return u16(entry + (bigTiff ? 12 : 8));
    }
    return std::nullopt;
}

Result<void> checkColourMap(TIFF *tif, QByteArrayView data)
{
    quint16 *red = nullptr, *green = nullptr, *blue = nullptr;
    if (storedPhotometric(ByteView(data)) == PHOTOMETRIC_PALETTE && !TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue))
        return fail(QStringLiteral("Fichier TIFF illisible : la palette manque."));
    return {};
}

} // namespace

bool looksLikeTiff(QByteArrayView data)
{
    const ByteView v(data);
    return v.startsWith(0, QByteArrayView("II*\0", 4)) || v.startsWith(0, QByteArrayView("MM\0*", 4))
        || v.startsWith(0, QByteArrayView("II+\0", 4)) || v.startsWith(0, QByteArrayView("MM\0+", 4));
}

std::optional<QSize> tiffSize(QByteArrayView data)
{
    if (!looksLikeTiff(data))
        return std::nullopt;
    MemoryFile file(data);
    TiffHandle tif = openMemory(file);
    if (!tif)
        return std::nullopt;
    const Layout l = readLayout(tif.get());
    if (l.width < 1 || l.height < 1 || l.width > kMaxSide || l.height > kMaxSide)
        return std::nullopt;
    return QSize(int(l.width), int(l.height));
}

Result<QImage> decodeTiff(QByteArrayView data)
{
    if (!looksLikeTiff(data)) {
        if (const auto wrapped = rawFaxAsTiff(data))
            return decodeTiff(*wrapped);
        return std::unexpected(invalidHeader(kFormat));
    }
    MemoryFile file(data);
    TiffHandle tif = openMemory(file);
    if (!tif)
        return std::unexpected(libtiffFailure(file));
    const Layout l = readLayout(tif.get());
    if (auto ok = checkDimensions(l.width, l.height, kFormat); !ok)
        return std::unexpected(ok.error());
    if (auto ok = checkColourMap(tif.get(), data); !ok)
        return std::unexpected(ok.error());
    if (l.samples < 1 || l.samples > kMostSamples || l.bits < 1 || l.bits > 64)
        return std::unexpected(unsupportedVariant(kFormat, QStringLiteral("%1 échantillons de %2 bits").arg(l.samples).arg(l.bits)));
    // Open again with the allocation limit this picture's size justifies.
    tif.reset();
    tif = openMemory(file, std::clamp<tmsize_t>(tmsize_t(16) * l.width * l.height, kSmallestAllocationLimit, kLargestAllocationLimit));
    if (!tif)
        return std::unexpected(libtiffFailure(file));
    return simpleStrips(tif.get(), l) ? readSimpleStrips(tif.get(), l, file) : readThroughRgba(tif.get(), l, file);
}

} // namespace imaging::readers
