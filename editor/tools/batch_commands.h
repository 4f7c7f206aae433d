#pragma once
// The two batch commands of the image explorer: RescalePict ("Redimensionner des images en
// lot") and ConvertJPG ("Convertir des images au format JPEG en lot"). Each asks its
// questions in its dialog, then works file by file with the hourglass and the status
// line's progress bar, letting the window process events between files while the
// explorer list's busy flag keeps the commands that touch it away. While the current file
// is resized or encoded, the next one is read on a second core where there is one
// (imaging/tools/batch_reader.h).
namespace editor {

class TMainLumivelle3000;

// Both do nothing unless the explorer tab is active and the explorer list is present, not
// empty, not busy and has a selected entry.
void RescalePictExecute(TMainLumivelle3000 &window);
void ConvertJPGExecute(TMainLumivelle3000 &window);

void installBatchCommands(TMainLumivelle3000 &window);

} // namespace editor
