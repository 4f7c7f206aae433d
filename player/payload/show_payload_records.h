#pragma once
// The records of the show payload that follows the player program in a show executable:
//
//   offset 0        the player program, S bytes, unchanged
//   offset S        show header, 84 bytes
//   S + 84          slide blocks back to back: a 112-byte slide record followed by its
//                   JPEG data (image size bytes; 0 means no picture follows)
//   size - 4        trailer: S as an unsigned 32-bit integer
//
// All integers are little-endian; there is no signature, version or slide count.
#include "base/colour.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace player {

inline constexpr int kShowHeaderSize = 84;
inline constexpr int kSlideRecordSize = 112;
inline constexpr int kTrailerSize = 4;
inline constexpr int kPayloadTextCapacity = 80;

// Show header, 84 bytes: music file name (capacity 80) at 0, loop at 81, allow copy at
// 82, maximum quality at 83.
struct TShowHeader {
    QString musicName; // bare file name, empty for no music
    bool loop = false;
    bool allowCopy = false;
    bool maxQuality = false;
};

// Slide record, 112 bytes: image size at 0, display time at 4, border colour at 8,
// border flag at 12, background colour at 16, caption (capacity 80) at 20, caption colour
// at 104, transition style at 108. Bytes 13-15 and 101-103 are alignment.
struct TSlideRecord {
    std::int32_t imageSize = 0;
    std::int32_t displayTime = 5;
    Colour borderColour = kColourSilver;
    bool border = true;
    Colour backgroundColour = kColourBlack;
    QString caption;
    Colour captionColour = kColourSilver;
    std::int32_t style = 0;
};

namespace header_offsets {
inline constexpr int kMusicName = 0, kLoop = 81, kAllowCopy = 82, kMaxQuality = 83;
}
namespace record_offsets {
inline constexpr int kImageSize = 0, kDisplayTime = 4, kBorderColour = 8, kBorder = 12,
                     kBackgroundColour = 16, kCaption = 20, kCaptionColour = 104, kStyle = 108;
}

// Texts longer than 80 characters are cut; unused and alignment bytes are zeros.
QByteArray encodeShowHeader(const TShowHeader &header);
QByteArray encodeSlideRecord(const TSlideRecord &record);

// `bytes` must hold at least the record's size.
TShowHeader decodeShowHeader(const char *bytes);
TSlideRecord decodeSlideRecord(const char *bytes);

} // namespace player
