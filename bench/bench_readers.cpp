// Decoding speed of the image readers: a 12-megapixel picture (4000 x 3000) in each common
// family and the simple formats, in megapixels per second, the JPEG reader beside a plain
// libjpeg-turbo decode (what djpeg does), and the whole fixture set.
#include "imaging/jpeg_codec.h"
#include "imaging/readers/format_decoders.h"
#include "imaging/readers/picture_loader.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <jpeglib.h>
#include <random>
#include <tiffio.h>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Gradients, edges, texture and a little noise, as a camera picture has.
QImage photoLike()
{
    QImage picture(kWidth, kHeight, QImage::Format_BGR888);
    std::mt19937 random(7);
    for (int y = 0; y < kHeight; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            const int noise = int(random() % 7) - 3;
            const int edge = ((x / 240 + y / 170) % 2) * 60;
            line[3 * x] = uchar(std::clamp(int(120 + 80 * std::sin(x * 0.002 + y * 0.0015)) + noise, 0, 255));
            line[3 * x + 1] = uchar(std::clamp((x + y) * 200 / (kWidth + kHeight) + edge + noise, 0, 255));
            line[3 * x + 2] = uchar(std::clamp(int(70 + edge + 40 * std::cos(y * 0.004)) + noise, 0, 255));
        }
    }
    return picture;
}

// Flat colours and a grey ramp, as drawings and screen captures are: long runs.
QImage drawingLike()
{
    QImage picture(kWidth, kHeight, QImage::Format_BGR888);
    for (int y = 0; y < kHeight; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            const bool right = x >= kWidth / 2, bottom = y >= kHeight / 2;
            const int ramp = (x - kWidth / 2) * 255 / (kWidth / 2);
            const QRgb c = right && bottom ? qRgb(ramp, ramp, ramp) : bottom ? qRgb(0, 0, 255) : right ? qRgb(0, 255, 0) : qRgb(255, 0, 0);
            line[3 * x] = uchar(qBlue(c)), line[3 * x + 1] = uchar(qGreen(c)), line[3 * x + 2] = uchar(qRed(c));
        }
    }
    return picture;
}

const QImage *g_source = nullptr;

const QImage &picture()
{
    static const QImage photo = photoLike();
    return g_source ? *g_source : photo;
}

// Makes a file from the drawing-like picture instead of the photograph.
template <class Maker>
QByteArray fromDrawing(Maker maker)
{
    static const QImage drawing = drawingLike();
    g_source = &drawing;
    const QByteArray file = maker();
    g_source = nullptr;
    return file;
}

class Writer {
public:
    void u8(int v) { m_bytes.append(char(v)); }
    void le16(int v) { put(qToLittleEndian(quint16(v))); }
    void le32(qint64 v) { put(qToLittleEndian(quint32(v))); }
    void be16(int v) { put(qToBigEndian(quint16(v))); }
    void be32(qint64 v) { put(qToBigEndian(quint32(v))); }
    void raw(const char *data, qsizetype n) { m_bytes.append(data, n); }
    void zeros(qsizetype n) { m_bytes.append(QByteArray(n, '\0')); }
    QByteArray &bytes() { return m_bytes; }

private:
    template <class T>
    void put(T v) { m_bytes.append(reinterpret_cast<const char *>(&v), sizeof v); }
    QByteArray m_bytes;
};

// PackBits (Photoshop, TIFF): literal groups of up to 128 bytes, runs of up to 128.
void packBits(const uchar *row, int n, Writer &out)
{
    for (int x = 0; x < n;) {
        int run = 1;
        while (x + run < n && run < 128 && row[x + run] == row[x])
            ++run;
        if (run >= 3) {
            out.u8(257 - run), out.u8(row[x]);
            x += run;
            continue;
        }
        int literal = 0;
        while (x + literal < n && literal < 128
               && !(x + literal + 2 < n && row[x + literal] == row[x + literal + 1] && row[x + literal] == row[x + literal + 2]))
            ++literal;
        out.u8(literal - 1), out.raw(reinterpret_cast<const char *>(row + x), literal);
        x += literal;
    }
}

QByteArray bmpFile()
{
    const int stride = (kWidth * 3 + 3) / 4 * 4;
    Writer w;
    w.raw("BM", 2), w.le32(54 + qint64(stride) * kHeight), w.le32(0), w.le32(54);
    w.le32(40), w.le32(kWidth), w.le32(kHeight), w.le16(1), w.le16(24), w.le32(0), w.le32(0), w.zeros(16);
    for (int y = kHeight - 1; y >= 0; --y)
        w.raw(reinterpret_cast<const char *>(picture().constScanLine(y)), stride);
    return w.bytes();
}

// Targa type 2 (raw) or 10 (run-length: runs of equal pixels, else literal packets).
QByteArray tgaFile(bool rle)
{
    Writer w;
    w.u8(0), w.u8(0), w.u8(rle ? 10 : 2), w.zeros(9), w.le16(kWidth), w.le16(kHeight), w.u8(24), w.u8(0x20);
    for (int y = 0; y < kHeight; ++y) {
        const uchar *row = picture().constScanLine(y);
        if (!rle) {
            w.raw(reinterpret_cast<const char *>(row), kWidth * 3);
            continue;
        }
        for (int x = 0; x < kWidth;) {
            int n = 1;
            while (x + n < kWidth && n < 128 && std::memcmp(row + 3 * x, row + 3 * (x + n), 3) == 0)
                ++n;
            if (n > 1) {
                w.u8(0x80 | (n - 1)), w.raw(reinterpret_cast<const char *>(row + 3 * x), 3);
            } else {
                while (x + n < kWidth && n < 128 && std::memcmp(row + 3 * (x + n - 1), row + 3 * (x + n), 3) != 0)
                    ++n;
                w.u8(n - 1), w.raw(reinterpret_cast<const char *>(row + 3 * x), 3 * n);
            }
            x += n;
        }
    }
    return w.bytes();
}

std::vector<uchar> channel(int c, int y) // 0 red, 1 green, 2 blue
{
    std::vector<uchar> values(kWidth);
    const uchar *row = picture().constScanLine(y);
    for (int x = 0; x < kWidth; ++x)
        values[x] = row[3 * x + 2 - c];
    return values;
}

QByteArray psdFile(bool rle)
{
    Writer w;
    w.raw("8BPS", 4), w.be16(1), w.zeros(6), w.be16(3), w.be32(kHeight), w.be32(kWidth), w.be16(8), w.be16(3);
    w.be32(0), w.be32(0), w.be32(0), w.be16(rle ? 1 : 0);
    if (!rle) {
        for (int c = 0; c < 3; ++c)
            for (int y = 0; y < kHeight; ++y)
                w.raw(reinterpret_cast<const char *>(channel(c, y).data()), kWidth);
        return w.bytes();
    }
    std::vector<Writer> rows(3 * kHeight);
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < kHeight; ++y)
            packBits(channel(c, y).data(), kWidth, rows[c * kHeight + y]);
    for (Writer &r : rows)
        w.be16(int(r.bytes().size()));
    for (Writer &r : rows)
        w.raw(r.bytes().data(), r.bytes().size());
    return w.bytes();
}

// PCX: three 8-bit planes a line, run-length encoded (runs of 1 to 63; bytes of 0xC0 and
// above always as runs).
QByteArray pcxFile()
{
    Writer w;
    w.u8(0x0A), w.u8(5), w.u8(1), w.u8(8), w.le16(0), w.le16(0), w.le16(kWidth - 1), w.le16(kHeight - 1);
    w.le16(72), w.le16(72), w.zeros(48), w.u8(0), w.u8(3), w.le16(kWidth), w.le16(1), w.zeros(58);
    for (int y = 0; y < kHeight; ++y) {
        for (int c = 0; c < 3; ++c) {
            const std::vector<uchar> v = channel(c, y);
            for (int x = 0; x < kWidth;) {
                int n = 1;
                while (x + n < kWidth && n < 63 && v[x + n] == v[x])
                    ++n;
                if (n > 1 || v[x] >= 0xC0)
                    w.u8(0xC0 | n);
                w.u8(v[x]);
                x += n;
            }
        }
    }
    return w.bytes();
}

// SGI, run-length encoded: per row and channel, literal groups of up to 127 bytes.
QByteArray sgiFile()
{
    std::vector<QByteArray> rows(3 * kHeight);
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < kHeight; ++y) {
            const std::vector<uchar> v = channel(c, kHeight - 1 - y);
            Writer r;
            for (int x = 0; x < kWidth;) {
                const int n = std::min(127, kWidth - x);
                r.u8(0x80 | n), r.raw(reinterpret_cast<const char *>(v.data() + x), n);
                x += n;
            }
            r.u8(0);
            rows[c * kHeight + y] = r.bytes();
        }
    }
    Writer w;
    w.be16(474), w.u8(1), w.u8(1), w.be16(3), w.be16(kWidth), w.be16(kHeight), w.be16(3), w.be32(0), w.be32(255);
    w.zeros(512 - 20);
    qint64 offset = 512 + 8 * qint64(rows.size());
    for (const QByteArray &r : rows)
        w.be32(offset), offset += r.size();
    for (const QByteArray &r : rows)
        w.be32(r.size());
    for (const QByteArray &r : rows)
        w.raw(r.data(), r.size());
    return w.bytes();
}

std::vector<uchar> indices(int y)
{
    return channel(1, y); // the green channel as colour indices
}

QByteArray celFile()
{
    Writer w;
    w.le16(0x9119), w.le16(kWidth), w.le16(kHeight), w.le32(0), w.u8(8), w.u8(0), w.le32(qint64(kWidth) * kHeight), w.zeros(16);
    for (int i = 0; i < 256; ++i)
        w.u8(i / 4), w.u8(63 - i / 4), w.u8(i / 8);
    for (int y = 0; y < kHeight; ++y)
        w.raw(reinterpret_cast<const char *>(indices(y).data()), kWidth);
    return w.bytes();
}

QByteArray cutFile()
{
    Writer w;
    w.le16(kWidth), w.le16(kHeight), w.le16(0);
    for (int y = 0; y < kHeight; ++y) {
        const std::vector<uchar> v = indices(y);
        Writer line;
        for (int x = 0; x < kWidth;) {
            const int n = std::min(127, kWidth - x);
            line.u8(n), line.raw(reinterpret_cast<const char *>(v.data() + x), n);
            x += n;
        }
        line.u8(0);
        w.le16(int(line.bytes().size())), w.raw(line.bytes().data(), line.bytes().size());
    }
    return w.bytes();
}

QByteArray pngFile()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture());
    return bytes;
}

QByteArray tiffFile(int compression)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.tif"));
    TIFF *tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
    const QImage rgb = picture().convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < kHeight; ++y)
        TIFFWriteScanline(tif, const_cast<uchar *>(rgb.constScanLine(y)), y, 0);
    TIFFClose(tif);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The generated picture at quality 90, or the file LUMIVELLE_BENCH_JPEG names (to set
// our reader beside djpeg on the very same file).
QByteArray jpegFile()
{
    if (const QByteArray path = qgetenv("LUMIVELLE_BENCH_JPEG"); !path.isEmpty()) {
        QFile file(QString::fromLocal8Bit(path));
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return *imaging::encodeJpeg(picture(), 90);
}

using Decoder = Result<QImage> (*)(QByteArrayView);

double pixelsOf(const QByteArray &jpeg)
{
    const auto info = imaging::readJpegInfo(jpeg);
    return info ? double(info->width) * info->height : 0;
}

void runDecode(benchmark::State &state, const QByteArray &file, Decoder decode)
{
    double pixels = 0;
    for (auto _ : state) {
        auto decoded = decode(file);
        if (!decoded) {
            state.SkipWithError(decoded.error().message.toStdString().c_str());
            return;
        }
        pixels = double(decoded->width()) * decoded->height();
        benchmark::DoNotOptimize(decoded->bits());
    }
    state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(QStringLiteral("%1 KB").arg(file.size() / 1024).toStdString());
}

Result<QImage> decodeJpegFull(QByteArrayView data)
{
    return imaging::readers::decodeJpegPicture(data);
}

#define READER_BENCHMARK(name, maker, decoder)                                      \
    void BM_Decode12MP_##name(benchmark::State &state)                              \
    {                                                                               \
        static const QByteArray file = maker;                                       \
        runDecode(state, file, decoder);                                            \
    }                                                                               \
    BENCHMARK(BM_Decode12MP_##name)->Unit(benchmark::kMillisecond)

READER_BENCHMARK(Jpeg_q90, jpegFile(), decodeJpegFull);
READER_BENCHMARK(Png, pngFile(), imaging::readers::decodePng);
READER_BENCHMARK(Tiff_none, tiffFile(COMPRESSION_NONE), imaging::readers::decodeTiff);
READER_BENCHMARK(Tiff_lzw, tiffFile(COMPRESSION_LZW), imaging::readers::decodeTiff);
READER_BENCHMARK(Bmp_24, bmpFile(), imaging::readers::decodeBmp);
READER_BENCHMARK(Tga_raw, tgaFile(false), imaging::readers::decodeTga);
READER_BENCHMARK(Tga_rle, tgaFile(true), imaging::readers::decodeTga);
READER_BENCHMARK(Psd_raw, psdFile(false), imaging::readers::decodePsd);
READER_BENCHMARK(Psd_rle, psdFile(true), imaging::readers::decodePsd);
READER_BENCHMARK(Pcx_24, pcxFile(), imaging::readers::decodePcx);
READER_BENCHMARK(Pcx_24_drawing, fromDrawing(pcxFile), imaging::readers::decodePcx);
READER_BENCHMARK(Tga_rle_drawing, fromDrawing([] { return tgaFile(true); }), imaging::readers::decodeTga);
READER_BENCHMARK(Psd_rle_drawing, fromDrawing([] { return psdFile(true); }), imaging::readers::decodePsd);
READER_BENCHMARK(Sgi_rle, sgiFile(), imaging::readers::decodeSgi);
READER_BENCHMARK(Cel, celFile(), imaging::readers::decodeAutodeskCel);
READER_BENCHMARK(Cut, cutFile(), [](QByteArrayView d) { return imaging::readers::decodeCut(d); });

// The reference: libjpeg-turbo straight into one row buffer, as djpeg decodes (BGR
// output, default settings).
void BM_Decode12MP_Jpeg_libjpegTurboReference(benchmark::State &state)
{
    static const QByteArray file = jpegFile();
    std::vector<uchar> row(kWidth * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const uchar *>(file.data()), file.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&cinfo, rows, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(row.data());
    }
    state.counters["MP/s"] = benchmark::Counter(pixelsOf(file) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Decode12MP_Jpeg_libjpegTurboReference)->Unit(benchmark::kMillisecond);

// Every fixture, through the extension's reader (as the explorer loads them).
void BM_DecodeFixtures(benchmark::State &state)
{
    std::vector<std::pair<QString, QByteArray>> files;
    QDirIterator it(QStringLiteral(LUMIVELLE_FIXTURES "/images"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            files.emplace_back(QFileInfo(f.fileName()).suffix(), f.readAll());
    }
    qint64 pixels = 0;
    for (auto _ : state) {
        pixels = 0;
        for (const auto &[extension, bytes] : files)
            if (auto picture = imaging::DecodePicture(bytes, extension))
                pixels += qint64(picture->image.width()) * picture->image.height();
    }
    state.counters["files/s"] = benchmark::Counter(double(files.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DecodeFixtures)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
