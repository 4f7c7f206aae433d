// Fuzz target of the show payload reader: any bytes as a show executable.
#include "player/payload/show_payload.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    auto payload = player::readShowPayload(buffer);
    if (!payload)
        return 0;
    // Every slide the reader lists must lie inside the file, before the trailer.
    for (const player::TSlideItem &slide : payload->slides) {
        if (slide.jpegOffset < 0 || slide.record.imageSize <= 0
            || slide.jpegOffset + slide.record.imageSize > qint64(size) - player::kTrailerSize)
            __builtin_trap();
        buffer.seek(slide.jpegOffset);
        const QByteArray jpeg = buffer.read(slide.record.imageSize);
        if (jpeg.size() != slide.record.imageSize)
            __builtin_trap();
    }
    return 0;
}
