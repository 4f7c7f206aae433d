#pragma once
// The record players of Windows metafiles: they read records and call the canvas; unknown
// records are skipped, a record that does not fit the file ends the playback. Both say
// whether playback reached the end-of-file record: a metafile cut short has none.
#include "imaging/readers/metafile_canvas.h"

#include <QByteArrayView>

namespace imaging::readers {

// Plays the records of a WMF from `firstRecord` (after the placeable and standard headers).
bool playWmfRecords(QByteArrayView data, qsizetype firstRecord, MetafileCanvas &canvas);

// Plays every record of an EMF (the header record included).
bool playEmfRecords(QByteArrayView data, MetafileCanvas &canvas);

// A bitmap stored in a record: its info header and colour table, and its pixels.
QImage metafileBitmap(QByteArrayView info, QByteArrayView bits, bool alpha = false);

} // namespace imaging::readers
