#pragma once
// Writing a file in place of an existing one: the bytes go to a temporary file in the
// same folder, which replaces the old file only when it is complete. A failure never
// leaves a truncated file where a good one was.
#include "base/result.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>

// Writes `data` as the whole content of `path`.
Result<void> writeFileAtomically(const QString &path, QByteArrayView data);

// Lets `fill` write the content; the file is replaced only when `fill` returns success
// and every write succeeded.
Result<void> writeFileAtomically(const QString &path,
                                 const std::function<Result<void>(QIODevice &)> &fill);
