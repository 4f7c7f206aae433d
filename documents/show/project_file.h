#pragma once
// The show project file (.dap), little-endian, no trailer and no checksum:
//
//   offset 0     TProjectHeader, 288 bytes
//   offset 288   slide blocks back to back to the end of the file: a 380-byte
//                TProjectSlide followed by thumbnail-size bytes of JPEG (the slide's
//                thumbnail); a record whose thumbnail size is 0 is not a slide
//
// Strings are length-prefixed, in code page 1252 (UTF-8 for text it cannot write);
// boolean bytes are 0 or 1; unused and alignment bytes are written as zeros.
#include "base/colour.h"
#include "base/result.h"
#include "documents/show/slide_entry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace showdoc {

inline constexpr int kProjectHeaderSize = 288;
inline constexpr int kProjectSlideSize = 380;
inline constexpr int kThumbnailJpegQuality = 90;
inline const QString kProjectIdentity = QStringLiteral("Lumivelle");
inline const QString kProjectVersion = QStringLiteral("3000");

// TProjectHeader: identity (capacity 9) at 0, version (capacity 4) at 11, slide count at
// 24, loop at 28, allow copy at 29, maximum quality at 30, music file (capacity 255) at 31.
namespace project_header_offsets {
inline constexpr int kIdentity = 0, kVersion = 11, kSlideCount = 24, kLoop = 28, kAllowCopy = 29,
                     kMaxQuality = 30, kMusic = 31;
}
// TProjectSlide: path (capacity 255) at 0, width 256, height 260, file size 264, display
// time 268, border 272, border colour 276, background colour 280, caption (capacity 80)
// at 284, caption colour 368, style 372, thumbnail size 376. Bytes 273-275 and 365-367
// are alignment.
namespace project_slide_offsets {
inline constexpr int kPath = 0, kWidth = 256, kHeight = 260, kFileSize = 264, kDisplayTime = 268, kBorder = 272,
                     kBorderColour = 276, kBackgroundColour = 280, kCaption = 284, kCaptionColour = 368,
                     kStyle = 372, kThumbnailSize = 376;
}

struct TProjectHeader {
    QString identity = kProjectIdentity;
    QString version = kProjectVersion;
    std::int32_t slideCount = 0;
    ShowOptions options;
};

struct TProjectSlide {
    QString path;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t fileSize = 0;
    std::int32_t displayTime = kDefaultDisplayTime;
    bool border = true;
    Colour borderColour = kColourSilver;
    Colour backgroundColour = kColourBlack;
    QString caption;
    Colour captionColour = kColourSilver;
    std::int32_t style = 0;
    std::int32_t thumbnailSize = 0; // JPEG bytes that follow; 0: not a slide
};

// Texts longer than their field are cut (path and music to 255, caption to 80).
QByteArray encodeProjectHeader(const TProjectHeader &header);
QByteArray encodeProjectSlide(const TProjectSlide &record);
// `bytes` must hold at least the record's size.
TProjectHeader decodeProjectHeader(const char *bytes);
TProjectSlide decodeProjectSlide(const char *bytes);
// The identity is exactly "Lumivelle" with its length byte 9, the version exactly "3000"
// with its length byte 4, and the slide count above 0.
bool isCompatibleHeader(const char *bytes);

TProjectSlide projectSlideFor(const ShowSlide &slide);
// The slide of a record, not selected, without its thumbnail.
ShowSlide slideOfRecord(const TProjectSlide &record);

// What reading a project file gives. The editor turns the verdict into its messages.
enum class ProjectVerdict {
    Loaded,       // every slide read
    Incompatible, // no header, wrong identity, wrong version or no slides: no show opens
    Damaged,      // a slide block could not be read: no show opens
};

struct ProjectRecordEntry {
    qint64 offset = 0;
    TProjectSlide record;
    QSize thumbnail; // the decoded thumbnail's size; empty for a record without one
};

struct LoadedProject {
    ProjectVerdict verdict = ProjectVerdict::Incompatible;
    bool headerRead = false;   // the header was there; its options are in project.options
    std::int32_t declaredSlides = 0;
    ShowProject project;       // the slides only when Loaded
    bool missingPictures = false;
    std::vector<ProjectRecordEntry> records; // every record read, slides or not
    QString problem;           // why reading stopped (diagnostics, in French)
};

// Called after each slide read or written, with the number done so far and the number
// announced (the header's count when reading).
using ProgressFn = std::function<void(int done, int total)>;
using FileExistsFn = std::function<bool(const QString &path)>;

LoadedProject readProject(QByteArrayView bytes, const FileExistsFn &exists, const ProgressFn &progress = {});
LoadedProject LoadProjectFile(const QString &path, const ProgressFn &progress = {});

// The file exists and is read-only: the user may not write it, or nobody may as its
// permissions stand (the owner's write permission is off, as "chmod a-w" leaves it; an
// administrator could still write it, but the user has marked it read-only).
bool isReadOnlyFile(const QString &path);
// The message of a save refused for that reason.
QString readOnlyMessage(const QString &path);

// The bytes of the whole file. A slide with an empty thumbnail (its picture could not be
// read) is written with a small grey placeholder, so it is neither dropped nor a stop.
Result<void> writeProject(QIODevice &out, const ShowProject &project, const ProgressFn &progress = {});
// Writes to a temporary file beside `path` that replaces it only when complete: a failed
// write leaves the previous file as it was.
Result<void> SaveProjectFile(const QString &path, const ShowProject &project, const ProgressFn &progress = {});

// The thumbnail written for a slide whose own one is empty.
QImage placeholderThumbnail();

} // namespace showdoc
