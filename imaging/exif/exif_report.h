#pragma once
// The text of the EXIF report dialog: one line per item, labels padded to 18 characters
// so the values line up in a fixed-pitch font.
#include "imaging/exif/exif_format.h"
#include "imaging/exif/image_info.h"

#include <QStringList>

namespace exif {

inline constexpr auto kNoExifInformation = u"Aucunes informations à afficher";

// The lines for a record read with the given success flag: the single line
// "Aucunes informations à afficher" after a failed read; otherwise the file lines, the
// rule of 59 underscores, an empty line, and a line for every known item.
QStringList exifReportLines(bool readOk, const TImageInfo &info, const ExifLocale &locale);

// Reads the file and returns its report.
QStringList exifReportForFile(const QString &path, const ExifLocale &locale);

} // namespace exif
