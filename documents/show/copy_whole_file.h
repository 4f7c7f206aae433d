#pragma once
// CopyWholeFile: the whole content of one file into another (the music file beside the
// show). The copy is written beside the target and takes its name only when complete, so
// a failed copy never leaves a partial file that a later copy would take for the real one.
#include "base/result.h"

#include <QString>

namespace showdoc {

Result<void> CopyWholeFile(const QString &source, const QString &target);

} // namespace showdoc
