#pragma once
// The editor's settings, section "Application" of Lumivelle.cfg: read once at start-up,
// changed by the options dialog and a few window actions, written back at exit.
#include "base/colour.h"
#include "base/result.h"

#include <QString>
#include <functional>

namespace editor {

class ConfigFile;

inline constexpr int kDefaultPanelDirTree = 190;
inline constexpr int kDefaultPanelView = 170;
inline constexpr int kDefaultUnitLumivelle = 5;
inline constexpr int kRetouchNameCapacity = 30;
inline constexpr int kDefaultThumbCacheMB = 500;

struct EditorSettings {
    QString Rep_Collec;                        // default folder of album files
    bool FilterOk = true;                      // thumbnails and previews through the triangle filter
    bool Apercu = true;                        // the quick preview panel is shown
    Colour colosel = 0x800000;                 // selected cell (navy)
    Colour colonorm = 14597308;                // unselected cell
    Colour cologrid = 15918822;                // grid background and cell outline
    bool InfoVignette = true;                  // name and size lines under each thumbnail
    int PanelDirTree = kDefaultPanelDirTree;   // width of the folder panel
    int PanelView = kDefaultPanelView;         // height of the quick preview panel
    int UnitLumivelle = kDefaultUnitLumivelle; // seconds between pictures of the instant show
    QString SoftRetoucheF;                     // external retouch program, its full path
    QString SoftRetoucheN;                     // its friendly name, at most 30 characters
    bool AutoOrient = true;                    // photos turned upright by their EXIF orientation
    int ThumbCacheMB = kDefaultThumbCacheMB;   // bound of the thumbnail cache; 0 or less: no cache

    void setRetouchProgram(const QString &path, const QString &name);
};

// Extra height of a grid cell under the thumbnail: 35 with the information lines, else 6.
int extraCellHeight(bool infoVignette);

// Reads the settings in the file's order; missing keys and non-numbers give the defaults.
// A retouch program that is not an existing file drops both retouch settings.
EditorSettings readEditorSettings(const ConfigFile &config,
                                  const std::function<bool(const QString &)> &fileExists);

// The stored panel sizes against the window they are laid out in: a folder panel wider
// than the tab area less 150 takes 190; a preview taller than the folder panel less 100
// takes 170.
int correctedPanelDirTree(int stored, int tabAreaWidth);
int correctedPanelView(int stored, int folderPanelHeight);

// What exit writes besides the settings themselves.
struct ExitState {
    QString openShowPath;   // DerFile
    int panelDirTree = 0;   // current width of the folder panel
    int panelView = 0;      // current height of the preview panel
};

// Writes section "Application" in the exit order, TIV always 100. Stops at the first
// failure and returns it; the caller ignores it, as exit must go on.
Result<void> writeEditorSettings(ConfigFile &config, const EditorSettings &settings,
                                 const ExitState &exit);

} // namespace editor
