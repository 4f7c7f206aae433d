#pragma once
// What the options dialog shows and what its "&Ok" stores, apart from the widgets.
#include "base/colour.h"
#include "editor/shell/core/editor_settings.h"

#include <QString>
#include <functional>

namespace editor {

struct OptionValues {
    Colour colonorm = 0;
    Colour colosel = 0;
    Colour cologrid = 0;
    bool infoVignette = true;
    bool filterOk = true;
    bool autoOrient = true;
    QString unitText;   // the spin box's text as typed
    QString albumFolder;
};

// What the window must redo after "&Ok".
struct OptionChanges {
    bool colours = false;      // repaint the three grids in the new colours
    bool infoVignette = false; // new cell height: lay out again the grids that hold entries
    bool autoOrient = false;   // the readers' orientation switch follows the new value
};

using FolderExists = std::function<bool(const QString &)>;

// The dialog's starting values; the album folder only when it names an existing folder.
OptionValues optionValuesFrom(const EditorSettings &settings, const FolderExists &folderExists);

// The interval typed in the spin box: a text that is not a number counts as 1; a value
// outside 1 to 120 becomes 5.
int unitFromText(const QString &text);

OptionChanges applyOptionValues(EditorSettings &settings, const OptionValues &values,
                                const FolderExists &folderExists);

} // namespace editor
