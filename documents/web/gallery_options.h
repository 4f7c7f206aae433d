#pragma once
// What the user chooses for a web gallery: title, table layout, colours, caption rows
// and the page foot's copyright, e-mail and extra link; and the rules that turn the
// chosen numbers into the layout used.
#include "base/colour.h"

#include <QString>

namespace webgallery {

inline constexpr int kDefaultColumns = 5;
inline constexpr int kMaxColumns = 10;
inline constexpr int kDefaultRows = 10;
inline constexpr int kMaxRows = 1000;
inline constexpr int kDefaultBorder = 1;
inline constexpr int kMaxBorder = 10;

struct GalleryOptions {
    QString title;
    int columns = kDefaultColumns;    // images per row
    int rows = kDefaultRows;          // image rows per page
    int border = kDefaultBorder;      // width of the table's border
    bool thumbnailBorder = false;     // a one-pixel border around each thumbnail
    bool captions = false;            // a caption row under each image row
    QString copyright;                // used when not empty
    QString email;                    // used when not empty
    QString linkText;                 // the extra link: written only when both are given
    QString url;
    Colour pageColour = kColourBlack;
    Colour textColour = kColourWhite;
    Colour lineColour = kColourSilver;
};

// The numbers the pages are laid out with: above 10 columns count as 10 and below 1 as 5;
// rows above 1000 or below 1 count as 10; the border is kept within 0 to 10.
int layoutColumns(int chosen);
int layoutRows(int chosen);
int layoutBorder(int chosen);

// The extra link is written when its text and its URL both hold more than blanks.
bool hasLink(const GalleryOptions &options);

} // namespace webgallery
