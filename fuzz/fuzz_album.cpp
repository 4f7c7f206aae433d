// Fuzz target of the album readers: the .ccl loader, the album explorer's reading of a
// file's head, and the keyword file. Any bytes give a result without reading outside
// them, and an album that loads with entries is written again and reads back with the
// same entries.
#include "documents/album/album_folder.h"
#include "documents/album/album_list.h"
#include "documents/album/ccl_format.h"
#include "documents/album/keywords.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkAlbum(QByteArrayView bytes)
{
    album::AlbumList list;
    const auto loaded = album::readAlbum(bytes, list);
    (void)album::summaryFromHead(QStringLiteral("album"), bytes);
    if (!loaded || list.isEmpty()) // an album of no entry is written with a count of 0, which no reader takes
        return;
    album::AlbumList again;
    if (!album::readAlbum(album::encodeAlbum(list), again) || again.count() != list.count())
        std::abort();
    for (int i = 0; i < list.count(); ++i) {
        const album::TEnrData_C &a = list.entry(i);
        const album::TEnrData_C &b = again.entry(i);
        if (a.width != b.width || a.height != b.height || a.fileSize != b.fileSize ||
            a.thumbnail.size() != b.thumbnail.size())
            std::abort();
    }
}

// Text is kept as it reads: the items written back are as many, in the same order.
void checkKeywords(QByteArrayView bytes)
{
    const QStringList items = album::parseKeywordFile(bytes);
    if (album::parseKeywordFile(album::encodeKeywordFile(items)).size() != items.size())
        std::abort();
    album::KeywordList list;
    list.setItems(items);
    list.addTyped(items.value(0) + QStringLiteral("x"), true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkAlbum(bytes);
    checkKeywords(bytes);
    return 0;
}
