#pragma once
// Reading picture files for the explorer: which names of a folder are listed, and how a
// file becomes a thumbnail entry or a preview picture.
//
// JPEG files, the bulk of any photo folder, are decoded at the smallest DCT scale (1/8,
// 1/4 or 1/2) that still leaves enough pixels for the size wanted; their width and height
// come from the header. The wanted size is always computed from the full size, so a
// thumbnail or preview has exactly the size the full picture would give. Every file is
// decoded by the image readers, other formats at full size.
//
// A photo whose orientation tag says it is stored turned is scaled as stored and the
// small result is turned upright (imaging/readers/picture_loader.h): width, height,
// thumbnail, preview and viewer picture are all upright.
#include "base/result.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/scan/list_entry.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace editor {

// The ordinary files of `folder` (no folders, no hidden or system files) whose extension
// is a known image extension, sorted by name without regard to case.
QStringList listImageNames(const QString &folder);
// The folder, a separator if it does not end with one, and the name.
QString pathInFolder(const QString &folder, const QString &name);

// A picture that is not a Windows bitmap is drawn onto a new 24-bit one (alpha over white)
// before it is scaled.
QImage toPlainBitmap(QImage picture);

struct DecodedPicture {
    QImage picture;  // as the readers gave it, or 24-bit; JPEG may be a DCT-reduced copy
    QSize fullSize;  // the picture's own size, upright
    imaging::Orientation turn = imaging::Orientation::Normal; // what makes `picture` upright
};
// Loads `path`: the one way from a picture file to a 24-bit picture for the explorer, the
// viewer and the albums. `atLeast` gives, from the full upright size, the smallest upright
// size a reduced JPEG decode may have. The picture stays as stored: scaledUpright turns
// the scaled copy. Fails with the reader's message when the file cannot be read (too
// large, not a regular file, changed while read) or decoded.
Result<DecodedPicture> loadPicture(const QString &path, const std::function<QSize(QSize)> &atLeast,
                                   imaging::Orienting orienting = imaging::Orienting::Setting);
// The loaded picture scaled by the rule to `upright` (a size of the upright picture), then
// turned upright: the turn costs a copy of the small picture only. Null when memory runs out.
QImage scaledUpright(const DecodedPicture &loaded, QSize upright, bool filterOk);

// The entry of one file: thumbnail (the 100-pixel rule), full width and height, file size.
// Nullopt when the file does not exist or cannot be read.
std::optional<TEnrData> loadThumbnailEntry(const QString &path, bool filterOk,
                                           imaging::Orienting orienting = imaging::Orienting::Setting);
// The picture of `path` fitted into `limits` (the fitting rule); null when unreadable.
QImage loadFittedPicture(const QString &path, QSize limits, bool filterOk);

} // namespace editor
