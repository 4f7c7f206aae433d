#pragma once
// Connects the explorer's folder, file, retouch and full-screen commands to the main
// window: navigation (ParentDir, BackDir, NextDir, NewDir, Delldir), the file commands
// (Cut, CopyFile, Paste, DellFile, RenameFile, Rename_All), the retouch program
// (Soft_Retouche and the three retouch commands), the viewer (the three VueImage commands,
// the preview's "Plein écran" and a double-click on it) and the instant show. It also
// tells the enabling rules whether a paste is possible.
#include <memory>

namespace editor {

class ExplorerDialogs;
class FileCommands;
class FolderNavigation;
class ImageExplorer;
class TMainLumivelle3000;

struct ExplorerCommands {
    FolderNavigation *navigation;
    FileCommands *files;
};

// The commands live as long as the window.
ExplorerCommands installExplorerCommands(TMainLumivelle3000 &window, ImageExplorer &explorer);
// The same with other dialogs (tests).
ExplorerCommands installExplorerCommands(TMainLumivelle3000 &window, ImageExplorer &explorer,
                                         std::unique_ptr<ExplorerDialogs> dialogs);

} // namespace editor
