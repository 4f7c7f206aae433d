#pragma once
// The old show script (.spr), read only: plain text, one value per line.
//
//   line 1   N, the number of slides - 1 (leading blanks allowed)
//   line 2   music file path (may be empty)
//   line 3   loop: 0 off, any other integer on
//   line 4   allow copy: 0 off, any other integer on
//   then N + 1 times seven lines: picture path, display time, border (0 off), border
//   colour, background colour, caption (the whole line), caption colour
//
// Lines end with CR LF; LF or CR alone are taken too. Text is code page 1252 (UTF-8 where
// the bytes are valid UTF-8). Old scripts carry no maximum-quality option (it is on) and
// no transition style (it is 0).
#include "base/result.h"
#include "documents/show/project_file.h"
#include "documents/show/slide_entry.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace showdoc {

struct OldScript {
    ShowOptions options;
    std::vector<ShowSlide> slides; // parameters only: no thumbnail, sizes 0
};

// Fails on a value line that is not an integer or a script that ends too soon; the
// message names the line.
Result<OldScript> readOldScript(QByteArrayView text);

// The project a script becomes: its path with the extension replaced by ".dap", never the
// script's own path.
QString projectPathForScript(const QString &scriptPath);

struct ImportedScript {
    ShowProject project;         // slides whose picture exists, filled from their files
    QStringList missingPictures; // the paths of the others
};

// Reads the script and fills every slide whose picture exists from the picture file, as
// the editor's import does; the slides of missing pictures are left out. Failures: the
// file cannot be read, or the script is malformed (the message names the line).
Result<ImportedScript> importOldScript(const QString &scriptPath, bool filterOk, const ProgressFn &progress = {});

} // namespace showdoc
