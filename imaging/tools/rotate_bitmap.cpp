#include "imaging/tools/rotate_bitmap.h"

#include "imaging/picture_buffer.h"

#include <algorithm>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace imagetools {
namespace {

constexpr int kPixelBytes = 3;
// Quarter turns make their target rows in bands of this many rows (a multiple of 4).
constexpr int kBandRows = 16;

inline void copyPixel(uchar *to, const uchar *from)
{
    std::memcpy(to, from, kPixelBytes);
}

// Where target rows [first, ...) go: target row r at bits + (r - first) * stride.
struct RowsOut {
    uchar *bits;
    qsizetype stride;
    int first;
    uchar *row(int r) const { return bits + qsizetype(r - first) * stride; }
};

void halfTurn(const QImage &source, const RowsOut &out, int first, int last)
{
    const int w = source.width(), h = source.height();
    for (int r = first; r < last; ++r) {
        const uchar *from = source.constScanLine(h - 1 - r);
        uchar *to = out.row(r) + qsizetype(w - 1) * kPixelBytes;
        for (int x = 0; x < w; ++x, from += kPixelBytes, to -= kPixelBytes)
            copyPixel(to, from);
    }
}

void noTurn(const QImage &source, const RowsOut &out, int first, int last)
{
    for (int r = first; r < last; ++r)
        std::memcpy(out.row(r), source.constScanLine(r), std::size_t(source.width()) * kPixelBytes);
}

// Target row r of a quarter turn to the left is source column w - 1 - r read downwards;
// to the right, target row r is source column r read upwards. Both read and write whole
// words; the geometry of one turn direction:
struct QuarterTurn {
    const uchar *sourceBits;
    qsizetype sourceStride;
    int w, h;
    bool left;

    // Source pixel of target pixel (column c of row r).
    const uchar *sourceOf(int r, int c) const
    {
        const int x = left ? w - 1 - r : r;
        const int y = left ? c : h - 1 - c;
        return sourceBits + qsizetype(y) * sourceStride + qsizetype(x) * kPixelBytes;
    }
};

// One pixel at a time: the rows and columns that do not fill a block of 4 x 4.
void turnPixels(const QuarterTurn &turn, const RowsOut &out, int rowStart, int rowEnd, int columnStart, int columnEnd)
{
    for (int r = rowStart; r < rowEnd; ++r) {
        uchar *to = out.row(r) + qsizetype(columnStart) * kPixelBytes;
        for (int c = columnStart; c < columnEnd; ++c, to += kPixelBytes)
            copyPixel(to, turn.sourceOf(r, c));
    }
}

#if defined(__x86_64__) || defined(__i386__)
#define LUMIVELLE_SSSE3 __attribute__((target("ssse3")))

// Four pixels of 3 bytes: 16 bytes are read when the data goes on for 4 more bytes.
LUMIVELLE_SSSE3 inline __m128i loadPixels(const uchar *from, bool wholeWord)
{
    if (wholeWord)
        return _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
    alignas(16) uchar bytes[16] = {};
    std::memcpy(bytes, from, 12);
    return _mm_load_si128(reinterpret_cast<const __m128i *>(bytes));
}

// How a block's 12 bytes go to its target row: 16 bytes whose last 4 the next block to
// the right overwrites, 16 bytes whose first 4 the next block to the left overwrites, or
// exactly 12 at the end of the walk along the row.
enum class Store { SpillRight, SpillLeft, Exact };

// One block of 4 x 4 pixels: four source rows of four pixels are spread to one pixel per
// 32-bit lane, transposed, and packed back into four target rows.
LUMIVELLE_SSSE3 inline void turnBlock(const QuarterTurn &turn, const RowsOut &out, int r, int c, Store store)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i packLow = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m128i packHigh = _mm_setr_epi8(-1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14);
    const uchar *sourceEnd = turn.sourceBits + turn.sourceStride * (turn.h - 1) + qsizetype(turn.w) * kPixelBytes;
    // The four source pixels of one source row give target rows r..r+3: to the left they
    // lie right to left, to the right left to right.
    const int firstOfRun = turn.left ? r + 3 : r;
    __m128i lanes[4];
    for (int i = 0; i < 4; ++i) {
        const uchar *from = turn.sourceOf(firstOfRun, c + i);
        lanes[i] = _mm_shuffle_epi8(loadPixels(from, from + 16 <= sourceEnd), spread);
    }
    const __m128i t0 = _mm_unpacklo_epi32(lanes[0], lanes[1]);
    const __m128i t1 = _mm_unpacklo_epi32(lanes[2], lanes[3]);
    const __m128i t2 = _mm_unpackhi_epi32(lanes[0], lanes[1]);
    const __m128i t3 = _mm_unpackhi_epi32(lanes[2], lanes[3]);
    const __m128i rows[4] = {_mm_unpacklo_epi64(t0, t1), _mm_unpackhi_epi64(t0, t1), _mm_unpacklo_epi64(t2, t3),
                             _mm_unpackhi_epi64(t2, t3)};
    for (int k = 0; k < 4; ++k) {
        uchar *to = out.row(turn.left ? r + 3 - k : r + k) + qsizetype(c) * kPixelBytes;
        if (store == Store::SpillRight) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(to), _mm_shuffle_epi8(rows[k], packLow));
        } else if (store == Store::SpillLeft) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(to - 4), _mm_shuffle_epi8(rows[k], packHigh));
        } else {
            alignas(16) uchar bytes[16];
            _mm_store_si128(reinterpret_cast<__m128i *>(bytes), _mm_shuffle_epi8(rows[k], packLow));
            std::memcpy(to, bytes, 12);
        }
    }
}

// The block part of a quarter turn, in bands of target rows (source columns). Each band
// walks the source downwards and, within a source row, from left to right: the
// prefetchers follow that best (the other directions cost up to five times as much on a
// 24-megapixel picture). It turns the blocks of every target row of the band before it
// moves on, so each source line is fetched once. To the left target columns then grow,
// to the right they shrink, and the stores spill towards the blocks still to come.
LUMIVELLE_SSSE3 void turnBlocks(const QuarterTurn &turn, const RowsOut &out, int first, int last, int columns)
{
    for (int bandStart = first; bandStart < last; bandStart += kBandRows) {
        const int bandEnd = std::min(bandStart + kBandRows, last);
        for (int step = 0; step < columns; step += 4) {
            const int c = turn.left ? step : columns - 4 - step;
            const Store store = turn.left ? (c + 4 < columns ? Store::SpillRight : Store::Exact)
                                          : (c > 0 ? Store::SpillLeft : Store::Exact);
            for (int group = 0; group < bandEnd - bandStart; group += 4)
                turnBlock(turn, out, turn.left ? bandEnd - 4 - group : bandStart + group, c, store);
        }
    }
}

bool hasBlockTurn()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#else
void turnBlocks(const QuarterTurn &turn, const RowsOut &out, int first, int last, int columns)
{
    turnPixels(turn, out, first, last, 0, columns);
}
bool hasBlockTurn() { return false; }
#endif

// Target rows [first, last) of a quarter turn: whole 4 x 4 blocks where the rows make
// groups of four (counted from row 0) and the columns do, single pixels for the rest. The
// blocks come first: their stores may spill onto the columns left over, written after.
void quarterTurn(const QImage &source, bool left, const RowsOut &out, int first, int last)
{
    const QuarterTurn turn{source.constBits(), source.bytesPerLine(), source.width(), source.height(), left};
    const int rows = source.width(), columns = source.height();
    const int blockColumns = hasBlockTurn() ? columns / 4 * 4 : 0;
    const int blockFirst = blockColumns > 0 ? std::min((first + 3) / 4 * 4, last) : last;
    const int blockLast = std::max(blockFirst, std::min(last, rows) / 4 * 4);
    turnPixels(turn, out, first, blockFirst, 0, columns);
    if (blockFirst < blockLast) {
        turnBlocks(turn, out, blockFirst, blockLast, blockColumns);
        turnPixels(turn, out, blockFirst, blockLast, blockColumns, columns);
    }
    turnPixels(turn, out, blockLast, last, 0, columns);
}

bool acceptedAngle(int angle)
{
    return angle >= 0 ? angle % 90 == 0 : angle % 360 == 0;
}

} // namespace

int quarterTurns(int angle)
{
    return ((angle / 90) % 4 + 4) % 4;
}

Result<TurnedRows> TurnedRows::make(int angle, const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.depth() != 24)
        return fail(kNot24BitMessage);
    if (!acceptedAngle(angle))
        return fail(kBadAngleMessage);
    return TurnedRows(bitmap, quarterTurns(angle));
}

QSize TurnedRows::size() const
{
    return m_turns % 2 == 1 ? m_source.size().transposed() : m_source.size();
}

void TurnedRows::write(int first, int last, uchar *out, qsizetype stride) const
{
    const RowsOut rows{out, stride, first};
    switch (m_turns) {
    case 1: quarterTurn(m_source, true, rows, first, last); break;
    case 2: halfTurn(m_source, rows, first, last); break;
    case 3: quarterTurn(m_source, false, rows, first, last); break;
    default: noTurn(m_source, rows, first, last); break;
    }
}

Result<QImage> RotateBitmap(int angle, const QImage &bitmap)
{
    Result<TurnedRows> turned = TurnedRows::make(angle, bitmap);
    if (!turned)
        return std::unexpected(turned.error());
    const QSize size = turned->size();
    QImage target = imaging::newLargePicture(size.width(), size.height(), bitmap.format());
    if (target.isNull())
        return fail(QStringLiteral("Mémoire insuffisante pour faire pivoter l'image"));
    turned->write(0, size.height(), target.bits(), target.bytesPerLine());
    return target;
}

} // namespace imagetools
