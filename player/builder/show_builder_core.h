#pragma once
// Making a show executable: a copy of the player program followed by the show payload,
// each slide's picture read from its file, made 24-bit and stored as a full-size JPEG at
// quality 90. Only one picture is in memory at a time: each is read, encoded and written
// before the next one is read. The editor's show builder and `lumivelle-cli show` both
// build through this class.
//
// The executable is written beside its target and renamed over it when complete, so a
// failed build (a full disk included) leaves the previous show, which may still be
// running, as it was, and is reported.
#include "base/atomic_file.h"
#include "base/result.h"
#include "player/payload/show_payload.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace player {

inline constexpr int kShowJpegQuality = 90;

// The 24-bit picture a show stores: a picture with transparency is drawn over white,
// others only change their pixel layout. Null when memory runs out.
QImage flattenForShow(const QImage &picture);

// Reads a picture file of any supported format as a show stores it (24-bit).
Result<QImage> decodeShowPicture(const QString &path);
// Encodes a picture as a show stores it: a full-size JPEG at quality 90.
Result<QByteArray> encodeShowPicture(const QImage &picture);
// Both steps on one file.
Result<QByteArray> encodeShowPicture(const QString &path);

// The music name the header stores: the file name without its folder.
QString showMusicName(const QString &musicPath);

// Copies the music file into `folder`, where the player looks for it (nothing to do when
// it is there already). Returns the copy's path.
Result<QString> copyMusicBeside(const QString &musicPath, const QString &folder);

enum class SlideWritten {
    Picture, // record and JPEG data
    Empty,   // the picture could not be read or encoded: a record with image size 0
    Missing, // no file at the path: nothing written
};

class ShowExecutableWriter {
public:
    // Copies the player program and writes the show header after it.
    static Result<std::unique_ptr<ShowExecutableWriter>> begin(const QString &playerPath, const QString &targetPath,
                                                               const TShowHeader &header);

    Result<SlideWritten> addSlide(const QString &picturePath, const TSlideRecord &record);
    // A slide whose picture was prepared elsewhere (another thread may read the next one
    // meanwhile): the record and the JPEG data, or a record with image size 0 when
    // preparing it failed.
    Result<SlideWritten> addPreparedSlide(const TSlideRecord &record, const Result<QByteArray> &jpeg);

    // Writes the trailer, puts the executable in place and gives it the executable bits.
    Result<void> finish();

    qint64 headerOffset() const { return m_writer.headerOffset(); }

private:
    explicit ShowExecutableWriter(const QString &targetPath);
    Result<void> copyPlayer(const QString &playerPath);

    AtomicFile m_file;
    PayloadWriter m_writer;
};

} // namespace player
