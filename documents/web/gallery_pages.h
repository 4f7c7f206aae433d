#pragma once
// The gallery's HTML pages: a head with the two small scripts that show a thumbnail as a
// link and the full image in its place, a table of thumbnails (one image row, and a
// caption row when asked, per row of images), and a foot with the navigation between
// pages, the extra link, the e-mail address and the copyright.
//
// Page 0 is named base + ext, page n base + n + ext. Lines end with CR LF; the text is
// ISO-8859-1 as the page declares, other characters as numeric references. The markup
// keeps its historic spellings ("valigne", "BORDER=1)\"") that existing pages and their
// users' style sheets and scripts may rely on.
#include "documents/web/gallery_options.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace webgallery {

// One image of the table: the names of its thumbnail and full-size copy (no folder) and
// its caption.
struct GalleryCell {
    QString thumbnail;
    QString image;
    QString caption;
};

struct GalleryPage {
    QString name; // without folder
    QByteArray bytes;
};

QString pageName(const QString &base, const QString &ext, int page);
// How many pages `cells` images take with the options' layout (at least one).
int pageCount(int cells, const GalleryOptions &options);

// Every page, in order. The options' numbers are laid out by layoutColumns, layoutRows
// and layoutBorder.
std::vector<GalleryPage> writePages(const std::vector<GalleryCell> &cells, const GalleryOptions &options,
                                    const QString &base, const QString &ext);

} // namespace webgallery
