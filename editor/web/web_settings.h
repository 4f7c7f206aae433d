#pragma once
// The web gallery's settings, section "WEB" of Lumivelle.cfg: every choice of the dialog
// but the HTML file's name. They are read when the dialog shows and written back when it
// closes, by "&Ok" or by "A&nnuler" alike.
#include "base/result.h"
#include "documents/web/gallery_options.h"

#include <QString>

namespace editor {

class ConfigFile;

inline const QString kWebSection = QStringLiteral("WEB");

// Missing keys and values that are not numbers give the first-use values: no title, 5
// images per row, 10 rows, border 1, no thumbnail border, no captions, black page, white
// text, silver lines. Numbers come back as stored; the dialog's fields bring them into
// their ranges.
webgallery::GalleryOptions readWebSettings(const ConfigFile &config);
// Writes the thirteen keys; the first failure is returned, the other keys still written.
Result<void> writeWebSettings(ConfigFile &config, const webgallery::GalleryOptions &options);

} // namespace editor
