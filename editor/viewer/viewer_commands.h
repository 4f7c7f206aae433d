#pragma once
// Opening the full-screen window on one of the three lists: the viewer on the list's
// current image (VueImageList, VueImageScript, VueImageCollec, the preview's "Plein
// écran") and the instant show over all its images (LumivelleRapide).
class QWidget;

namespace editor {

class GridList;
struct EditorSettings;

// Nothing happens while the list is busy or when its current file does not exist; with
// `reportMissing` (show and album lists) the missing file is reported. True when the
// window opened.
bool openViewer(const GridList *list, bool reportMissing, const EditorSettings &settings, QWidget *parent);

// Nothing happens when the list is empty or busy, or when its first file does not exist.
bool startInstantShow(const GridList *list, const EditorSettings &settings, QWidget *parent);

} // namespace editor
