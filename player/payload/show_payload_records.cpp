#include "player/payload/show_payload_records.h"

#include "base/le_record.h"
#include "base/short_string.h"

namespace player {

QByteArray encodeShowHeader(const TShowHeader &header)
{
    using namespace header_offsets;
    QByteArray bytes(kShowHeaderSize, '\0');
    char *p = bytes.data();
    writeShortString(p + kMusicName, kPayloadTextCapacity, header.musicName);
    le::putBool(p, kLoop, header.loop);
    le::putBool(p, kAllowCopy, header.allowCopy);
    le::putBool(p, kMaxQuality, header.maxQuality);
    return bytes;
}

QByteArray encodeSlideRecord(const TSlideRecord &record)
{
    using namespace record_offsets;
    QByteArray bytes(kSlideRecordSize, '\0');
    char *p = bytes.data();
    le::putI32(p, kImageSize, record.imageSize);
    le::putI32(p, kDisplayTime, record.displayTime);
    le::putU32(p, kBorderColour, record.borderColour);
    le::putBool(p, kBorder, record.border);
    le::putU32(p, kBackgroundColour, record.backgroundColour);
    writeShortString(p + kCaption, kPayloadTextCapacity, record.caption);
    le::putU32(p, kCaptionColour, record.captionColour);
    le::putI32(p, kStyle, record.style);
    return bytes;
}

TShowHeader decodeShowHeader(const char *p)
{
    using namespace header_offsets;
    TShowHeader header;
    header.musicName = readShortString(p + kMusicName, kPayloadTextCapacity);
    header.loop = le::getBool(p, kLoop);
    header.allowCopy = le::getBool(p, kAllowCopy);
    header.maxQuality = le::getBool(p, kMaxQuality);
    return header;
}

TSlideRecord decodeSlideRecord(const char *p)
{
    using namespace record_offsets;
    TSlideRecord record;
    record.imageSize = le::getI32(p, kImageSize);
    record.displayTime = le::getI32(p, kDisplayTime);
    record.borderColour = le::getU32(p, kBorderColour);
    record.border = le::getBool(p, kBorder);
    record.backgroundColour = le::getU32(p, kBackgroundColour);
    record.caption = readShortString(p + kCaption, kPayloadTextCapacity);
    record.captionColour = le::getU32(p, kCaptionColour);
    record.style = le::getI32(p, kStyle);
    return record;
}

} // namespace player
