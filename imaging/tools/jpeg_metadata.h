#pragma once
// The metadata a re-encoded JPEG file takes over from the file it replaces: the segments
// the EXIF reader kept (imaging/exif/image_info.h) are written in front of the new
// stream, and after a turn the EXIF block is made to describe the turned picture.
#include "base/result.h"
#include "imaging/exif/image_info.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

namespace imagetools {

// The new file: the start marker FF D8; the kept EXIF segment, or else the kept APP0
// segment; the kept IPTC segment (APP13); the kept comment segment; then `encoded` from
// just after its own start marker, less the segments at its head that the kept ones
// replace: one APP0, one APP1, one APP13 and one comment segment, each skipped only when
// it comes next, in that order. Fails when `encoded` does not start with FF D8 or a
// segment to skip runs past its end.
Result<QByteArray> spliceKeptSegments(QByteArrayView encoded, const exif::KeptJpegSegments &kept);

// The same without copying the stream: `bytes` holds the encoded stream from `streamStart`
// on, with at least keptHeadSize(kept) bytes in front of it. The start marker and the kept
// segments are written just before the first byte of the stream that stays, over the
// stream's own head; the new file is `bytes` from the returned offset on.
qsizetype keptHeadSize(const exif::KeptJpegSegments &kept);
Result<qsizetype> spliceKeptSegmentsInPlace(QByteArray &bytes, qsizetype streamStart,
                                            const exif::KeptJpegSegments &kept);

// Whether anything in the segment changed.
struct ExifPatch {
    bool orientation = false; // the orientation tag was found and set to 1
    bool dimensions = false;  // the two pixel-dimension tags were given the written size
};

// Makes a kept EXIF segment (FF E1, length, "Exif\0\0", TIFF structure) describe the
// picture written in its file, of `written` size and stored upright: the orientation tag
// (0x0112) of the first directory becomes 1 (normal), so no viewer turns the turned
// picture a second time, and the pixel-dimension tags of the EXIF directory (0xA002 and
// 0xA003) take the written width and height when both are present and each value fits
// its own field's type (a SHORT holds at most 65535). The rotation reads a photo upright
// (or as stored, when the orientation switch is off) before it turns it, so the written
// size is the only one the tags may give. Values are rewritten in place, in the block's
// byte order: no byte of the segment moves and no other byte changes. A damaged block is
// left as it is.
ExifPatch patchTurnedExif(QByteArray &exifSegment, QSize written);

} // namespace imagetools
