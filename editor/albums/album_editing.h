#pragma once
// What the album commands and the album panel do to the album's entries, apart from the
// widgets: the panel's contents for the current entry, an edited field written into every
// selected entry, fields copied to all entries, entries removed or moved to another folder.
#include "base/path_identity.h"
#include "documents/album/album_entry.h"

#include <QString>

namespace editor {

class AlbumImages;

// The twelve fields of the album panel.
struct AlbumPanelContents {
    bool enabled = false; // the folder and the nine editable fields
    QString origine;      // folder of the current image, letters A-Z lower-cased, ending with the separator
    QString dim;          // "640 x 480"
    QString taille;       // "2600 ko": the file size divided by 1000
    album::TEnrData_C texts;
};

QString originFolderText(const QString &imagePath);
// Enabled when an entry is selected, the album is not empty and the current index is not
// beyond the last entry; filled from the current entry when enabled and there is one,
// empty otherwise.
AlbumPanelContents panelContents(const AlbumImages &images);

// An edited field goes into every selected entry when the album is not empty, an entry is
// selected and there is a current entry; the place also needs the album not to be busy.
// Returns whether it was written (the album is then modified).
bool writeFieldToSelection(AlbumImages &images, album::AlbumField field, const QString &text);

// The fields "Dupliquer les infos" copies: place, date, camera, comment, keyword.
struct CopyChoice {
    bool place = true;
    bool date = true;
    bool camera = true;
    bool comment = true;
    bool keyword = true;
};
// Gives every entry of the album, selected or not, the checked fields of `source`.
void copyFieldsToAll(AlbumImages &images, const album::TEnrData_C &source, const CopyChoice &choice);

// Removes the selected entries, from the last to the first; returns how many.
int removeSelected(AlbumImages &images);

// Gives every selected entry the path `folder` + its file name; the files are not looked at.
// The current path follows the current entry.
void moveSelectedTo(AlbumImages &images, const QString &folder);

} // namespace editor
