#pragma once
// The orientation tag (0x0112) a camera writes into the first directory of a photo's
// EXIF block, or a TIFF file into its own first directory: how the stored picture must be
// turned to stand upright (imaging/orientation.h). The image readers turn JPEG and TIFF
// pictures with it.
#include <QByteArrayView>

namespace exif {

// The tag's value as stored (normally 1 to 8), or 0 when there is none: no EXIF block,
// no tag, a value of another type, or damaged data. The JPEG walk looks at the segments
// before the image data for the first APP1 segment that starts with "Exif\0\0".
int jpegOrientationTag(QByteArrayView jpeg);
// The same in a TIFF structure that starts with "II" or "MM" (a TIFF file, or the block
// after "Exif\0\0").
int tiffOrientationTag(QByteArrayView tiff);

} // namespace exif
