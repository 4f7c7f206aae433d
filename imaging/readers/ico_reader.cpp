// Windows icons (.ico): a directory of images, each a DIB with its AND mask or a PNG. We
// show the largest image, the one with most colours among equals.
#include "imaging/readers/format_decoders.h"

#include "imaging/readers/decode_support.h"
#include "imaging/readers/dib_decoder.h"

#include <algorithm>
#include <vector>

namespace imaging::readers {
namespace {

constexpr const char *kFormat = "ICO";
constexpr qsizetype kDirectoryHeader = 6;
constexpr qsizetype kEntrySize = 16;

struct IconEntry {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    QByteArrayView data;
};

std::vector<IconEntry> readDirectory(const ByteView &v)
{
    std::vector<IconEntry> entries;
    const int count = v.le16(4);
    for (int i = 0; i < count; ++i) {
        const qsizetype at = kDirectoryHeader + qsizetype(i) * kEntrySize;
        if (!v.has(at, kEntrySize))
            break;
        const qint64 offset = v.le32(at + 12);
        const qint64 bytes = std::min<qint64>(v.le32(at + 8), v.size() - std::min<qint64>(offset, v.size()));
        if (offset < kDirectoryHeader || !v.has(offset, bytes) || bytes < 12)
            continue;
        IconEntry e;
        e.width = v.u8(at) == 0 ? 256 : v.u8(at);
        e.height = v.u8(at + 1) == 0 ? 256 : v.u8(at + 1);
        e.bitCount = v.le16(at + 6);
        e.data = v.slice(offset, bytes);
        entries.push_back(e);
    }
    // Largest first, then deepest.
    std::stable_sort(entries.begin(), entries.end(), [](const IconEntry &a, const IconEntry &b) {
        const qint64 areaA = qint64(a.width) * a.height, areaB = qint64(b.width) * b.height;
        return areaA != areaB ? areaA > areaB : a.bitCount > b.bitCount;
    });
    return entries;
}

Result<QImage> decodeEntry(const IconEntry &e)
{
    if (looksLikePng(e.data)) {
        auto png = decodePng(e.data);
        if (png && png->format() != QImage::Format_ARGB32)
            return png->convertToFormat(QImage::Format_ARGB32);
        return png;
    }
    DibOptions options;
    options.iconMask = true;
    options.alphaFromRgb32 = true;
    return decodePackedDib(e.data, options);
}

} // namespace

bool looksLikeIco(QByteArrayView data)
{
    const ByteView v(data);
    return v.le16(0) == 0 && v.le16(2) == 1 && v.le16(4) > 0 && v.has(0, kDirectoryHeader + kEntrySize)
        && v.u8(kDirectoryHeader + 3) == 0;
}

std::optional<QSize> icoSize(QByteArrayView data)
{
    const auto entries = readDirectory(ByteView(data));
    if (entries.empty())
        return std::nullopt;
    return QSize(entries.front().width, entries.front().height);
}

Result<QImage> decodeIco(QByteArrayView data)
{
    const ByteView v(data);
    if (!v.has(0, kDirectoryHeader))
        return std::unexpected(truncatedFile(kFormat));
    if (v.le16(0) != 0 || (v.le16(2) != 1 && v.le16(2) != 2))
        return std::unexpected(invalidHeader(kFormat));
    const auto entries = readDirectory(v);
    if (entries.empty())
        return std::unexpected(truncatedFile(kFormat));
    // A damaged image gives way to the next best ones (a few: an icon of thousands of
    // broken entries must not take thousands of attempts).
    constexpr size_t kAttempts = 3;
    Result<QImage> picture = std::unexpected(corruptData(kFormat));
    for (size_t i = 0; i < std::min(entries.size(), kAttempts); ++i) {
        picture = decodeEntry(entries[i]);
        if (picture)
            return picture;
    }
    return picture;
}

} // namespace imaging::readers
