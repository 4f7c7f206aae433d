#pragma once
// Puts the image explorer into the main window's first tab: the grid GrilleImage, the
// preview picture in the preview panel, the folder tree's selections, the count in the
// status line, the explorer's part of the enabling rules, and the handlers of its commands
// ("Actualiser", the selection commands, "Trier la liste", RefreshVignette).
namespace editor {

class ImageExplorer;
class TMainLumivelle3000;

// The explorer lives as long as the window.
ImageExplorer *installImageExplorer(TMainLumivelle3000 &window);

} // namespace editor
