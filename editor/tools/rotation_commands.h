#pragma once
// The rotation of the current picture of the active tab: the three "Faire pivoter" items of
// the explorer, show and album menus, their keys and the two toolbar buttons all run
// PivoterClick with their tag.
namespace editor {

class TMainLumivelle3000;

// Tag 1 "90 degrés à droite" turns by 270 (counter-clockwise), 2 "90 degrés à gauche" by 90,
// 3 "180 degrés" by 180; 0 for any other tag.
int rotationAngle(int tag);

// Turns the file of the one selected entry of the active tab's list and writes it back
// (imaging/tools/rotate_and_save.h), then refreshes that tab's thumbnails, or the explorer
// when a new file was written beside a picture of another format. Does nothing unless the
// list is present, not empty, not busy and has exactly one entry selected. On the album
// tab the album becomes modified; on the show tab a rewritten picture modifies the show,
// whose slide thumbnail changed.
void PivoterClick(TMainLumivelle3000 &window, int tag);

// Connects the nine rotation commands.
void installRotationCommands(TMainLumivelle3000 &window);

} // namespace editor
