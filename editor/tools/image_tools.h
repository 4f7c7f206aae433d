#pragma once
// Puts the image tools into the main window: the rotation of the current picture on each
// tab (menus, keys Ctrl+F10..F12 and Shift+F10..F12, the two toolbar buttons) and the two
// batch commands of the explorer, "Redimensionner des images en lot" and "Convertir des
// images au format JPEG en lot".
namespace editor {

class TMainLumivelle3000;

void installImageTools(TMainLumivelle3000 &window);

} // namespace editor
