#pragma once
// The open show (ShowDocument): the show file's path, the modified flag and the slides.
// A show is open as soon as it has a path, even before its file is written. Its options
// live in the show options dialog TFormProjet, whose controls are their storage.
#include "editor/show/slide_list.h"

#include <QString>

namespace editor {

struct ShowDocument {
    QString path;          // the .dap file; empty when no show is open
    bool modified = false; // set by every change of the slides or the options
    SlideList slides;

    bool isOpen() const { return !path.isEmpty(); }
};

} // namespace editor
