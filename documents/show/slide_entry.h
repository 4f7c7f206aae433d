#pragma once
// A show: its slides (each a picture file with its entry) and its four options.
//
// TEnrData_S is the slide entry: the five fields every thumbnail list entry carries, so
// the shared grid draws and selects slides like any other entry, and the seven slide
// parameters with the values a new slide gets. ShowProject is the whole show as a plain
// value: what a .dap file holds, what the show builder and the web gallery read.
#include "base/colour.h"
#include "imaging/scan/list_entry.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace showdoc {

inline constexpr int kCaptionCapacity = 80;
inline constexpr int kPathCapacity = 255;
inline constexpr int kDefaultDisplayTime = 5;
inline constexpr int kLastStyle = 127;

struct TEnrData_S : editor::TEnrData {
    std::int32_t displayTime = kDefaultDisplayTime; // seconds on screen
    bool border = true;                              // one-pixel frame around the picture
    Colour borderColour = kColourSilver;
    Colour backgroundColour = kColourBlack;          // around the picture and behind the caption
    QString caption;                                 // at most 80 characters
    Colour captionColour = kColourSilver;
    std::int32_t style = 0;                          // transition style, 0 to 127
};

// The four show-wide options, with the values of a new show.
struct ShowOptions {
    QString music;          // full path of the music file; empty for none
    bool loop = true;       // "Jouer le lumivelle en boucle"
    bool allowCopy = true;  // the player offers "Copier l'image"
    bool maxQuality = true; // the player scales with the resampling filter

    bool operator==(const ShowOptions &) const = default;
};

struct ShowSlide {
    QString path; // full path of the picture file
    TEnrData_S entry;
};

struct ShowProject {
    ShowOptions options;
    std::vector<ShowSlide> slides;
};

// Fills the entry's width, height, file size and thumbnail from the picture file and
// clears its selected flag; the slide parameters stay. A file that cannot be read as a
// picture leaves width, height and thumbnail empty (the file size is still the file's).
void FillSlideEntry(TEnrData_S &entry, const QString &path, bool filterOk);

// The same fields copied from another list's entry, without reading the file.
void FillSlideEntry(TEnrData_S &entry, const editor::TEnrData &source);

} // namespace showdoc
