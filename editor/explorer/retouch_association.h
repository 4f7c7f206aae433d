#pragma once
// Soft_Retouche: associating an external retouch program with the editor.
namespace editor {

class ExplorerDialogs;
struct EditorSettings;

// The program from the file dialog, its friendly name from the input box (an empty or
// cancelled answer keeps the proposed one). False when nothing was stored.
bool associateRetouchProgram(EditorSettings &settings, ExplorerDialogs &dialogs);

} // namespace editor
