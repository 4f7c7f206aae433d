#pragma once
// What the commands that write refuse: an output that is one of their inputs. A command
// never writes over the picture it reads, and "thumbnails" never writes into the folder
// it scans (the thumbnail of "a.png" would replace a picture "a.png.png" there).
#include <QString>
#include <QStringList>
#include <optional>

namespace cli {

// True when the two name the same file or folder: an existing one, reached through links
// or ".." as well, or the same path for one that does not exist yet.
bool sameLocation(const QString &a, const QString &b);

// The message refusing `output`, when it is one of `inputs`.
std::optional<QString> outputOverInput(const QString &output, const QStringList &inputs);

} // namespace cli
