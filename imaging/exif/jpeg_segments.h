#pragma once
// The walk through the segments at the head of a JPEG file, up to the image data.
#include "imaging/exif/image_info.h"

#include <QByteArrayView>
#include <optional>

namespace exif {

struct JpegHead {
    bool exifFound = false;
    QByteArrayView exifTiff; // the TIFF structure of the EXIF block, after "Exif\0\0"
    bool commentFound = false;
    bool iptcFound = false;
    std::optional<int> frameWidth; // from the start-of-frame segment
    KeptJpegSegments kept;
    bool dataRanOut = false; // the walk stopped at the end of the bytes, not at a marker or a fault
};

// Nothing when the bytes do not start with the JPEG start marker FF D8. Otherwise walks
// the segments (fill bytes FF skipped, then the marker and a 2-byte big-endian length)
// until the start of scan (DA), the end of image (D9), the 20th counted segment, or data
// that breaks off. An APP1 segment is the EXIF block only as the first or second segment
// and when it starts with "Exif" and carries "II" or "MM" at its byte-order position;
// an APP1 segment further on is ignored and not counted.
std::optional<JpegHead> walkJpegHead(QByteArrayView bytes);

} // namespace exif
