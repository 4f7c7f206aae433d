#pragma once
// Writing a file in place of an existing one: the bytes go to a temporary file in the same
// folder, which replaces the old file only when it is complete. Every write, the final
// synchronisation to the disk and the closing are checked, and the size on disk must be
// the size written; on any failure the temporary file is removed, the old file stays as
// it was and the failure is returned. A full disk never leaves a truncated file where a
// good one was, and is never reported as success.
#include "base/result.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>

// Writes `data` as the whole content of `path`.
Result<void> writeFileAtomically(const QString &path, QByteArrayView data);

// Lets `fill` write the content; the file is replaced only when `fill` returns success
// and every write succeeded (a write `fill` did not check is still checked).
Result<void> writeFileAtomically(const QString &path,
                                 const std::function<Result<void>(QIODevice &)> &fill);

// The same for content written over time (a show executable, a file copy): open(), write
// to device(), then commit(). The device (there from construction on) writes straight to
// the file, unbuffered, can seek and tells its size; its first failure is kept and makes
// commit() fail. Destroying an uncommitted AtomicFile removes its temporary file.
class AtomicFile {
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // The file that commit() replaces (a symbolic link's target).
    QString path() const { return m_path; }
    Result<void> open();
    QIODevice &device();
    // Checks the writes, synchronises the data to the disk, compares the size and closes,
    // then renames the temporary file over the old one.
    Result<void> commit();
    // Abandons the writing: the temporary file goes, the old file stays.
    void cancel();

private:
    class Device;
    Result<void> failure(const QString &reason);

    QString m_path;
    QString m_temporaryPath;
    std::unique_ptr<Device> m_device;
};
