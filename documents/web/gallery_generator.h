#pragma once
// Writing a web gallery: the pages first, then for each slide whose picture file exists
// its full-size copy and its thumbnail, both JPEG at quality 90, all in the folder of the
// chosen HTML file. The editor's "Créer un lumivelle Web" and `lumivelle-cli web` both
// write through generateGallery.
//
// Pictures: with one thread, each picture is read, encoded and written before the next
// is read, so one picture is in memory at a time. With two, the next picture is read and
// decoded on a worker while the current one is encoded, so at most two are; the files are
// the same byte for byte. Reading ahead is safe because no gallery file ever replaces a
// slide's picture file (see gallery_names.h). The caller's thread only waits, so a
// window stays responsive through the idle hook.
//
// Nothing stops the gallery half-way: a picture that cannot be read and a file that
// cannot be written are collected in the report, and the rest is still written.
#include "documents/web/gallery_options.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace webgallery {

inline const QString kFileNameRequired = QStringLiteral("Le nom du fichier est obligatoire");
inline constexpr int kGalleryJpegQuality = 90;
inline const QString kThumbnailPrefix = QStringLiteral("s_");

struct GallerySlide {
    QString path;    // the picture file
    QString caption; // the slide's associated text
};

// The chosen HTML file split: its folder, its name without extension and its extension
// with the dot (".htm"; empty when it has none).
struct GalleryTarget {
    QString folder;
    QString base;
    QString ext;
};
// Nothing when the name has no base: no file was chosen.
std::optional<GalleryTarget> galleryTarget(const QString &htmlPath);

struct GalleryProblem {
    QString file;   // the picture that could not be read, or the file that could not be written
    QString reason;
};

struct GalleryReport {
    QStringList pages;  // full paths of the pages, in order
    int pictures = 0;   // pictures whose two copies were written
    int missing = 0;    // slides whose picture file does not exist: a cell, no copies
    std::vector<GalleryProblem> problems;
};

struct GalleryWork {
    bool filterOk = true;                   // thumbnails with the Triangle filter, else a plain stretch
    int threads = 2;                        // 1, or 2 to decode the next picture meanwhile
    std::function<void(int done)> progress; // after each slide, with the number done (1 based)
    std::function<void()> idle;             // while waiting for a picture
};

GalleryReport generateGallery(const std::vector<GallerySlide> &slides, const GalleryOptions &options,
                              const GalleryTarget &target, const GalleryWork &work = {});

// The one warning that lists every problem of a gallery (the first ones when there are
// many), lines separated by "\r".
QString problemsMessage(const std::vector<GalleryProblem> &problems);

} // namespace webgallery
