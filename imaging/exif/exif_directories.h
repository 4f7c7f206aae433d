#pragma once
// Reading the photo information out of the directories of a TIFF structure: the first
// directory, the directories chained after it and the EXIF sub-directory it points to.
#include "imaging/exif/image_info.h"
#include "imaging/exif/tiff_data.h"

#include <optional>

namespace exif {

// What a read gathers besides the record: the values that only make sense together
// once every directory has been seen.
struct DirectoryReadState {
    bool dateFromOriginal = false;          // DateTimeOriginal wins over DateTime
    std::optional<double> apertureApex;     // the first of ApertureValue, MaxApertureValue
    std::optional<double> focalPlaneXResolution; // pixels per unit
    std::optional<double> focalPlaneUnit;   // unit code, inches when absent
    std::optional<double> mainImageWidth;   // the frame of a JPEG, ImageWidth of a TIFF
};

// Reads the directories into the record. Returns false when damaged data (a directory
// or a value outside the data) stopped the reading; what was read before stays.
// `takeImageWidth` takes the first directory's ImageWidth as the main image width (a
// TIFF file; in a JPEG the frame gives it).
bool readExifDirectories(const TiffData &tiff, bool takeImageWidth, TImageInfo &info,
                         DirectoryReadState &state);

// The sensor width in millimetres from the focal-plane resolution and its unit, over
// PixelXDimension or, without it, the main image width; -1 when one of them is unknown.
double sensorWidthMillimetres(const TImageInfo &info, const DirectoryReadState &state);

} // namespace exif
