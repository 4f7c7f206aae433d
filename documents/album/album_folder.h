#pragma once
// What the album explorer lists: the albums of the album folder, each with the photo count
// of its header and a 100 x 100 preview made from its first thumbnail. Only the head of
// each file is read (the header, the first record and its thumbnail).
//
// A listed album is a file of the folder named "*.ccl" (letter case as the file system
// compares names), not hidden; folders and names that merely end in "ccl" are left out,
// since the explorer opens an album as the folder, its name and ".ccl". Files that are not
// albums, albums whose count is 0 and albums whose first record has no thumbnail are left
// out without a word.
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace album {

inline constexpr int kPreviewSide = 100;
inline constexpr QRgb kPreviewFrameColour = 0xFF808080;
inline constexpr QRgb kPreviewTransparentColour = 0xFFC0C0C0; // silver

struct AlbumSummary {
    QString name;      // the file name without folder and extension
    std::int32_t photoCount = 0;
    QImage preview;    // 100 x 100, 24-bit
};

// The files of `folder` the explorer looks at, sorted by name without regard to case.
QStringList albumFilesIn(const QString &folder);
// The summary of one album file, or nothing when the explorer leaves it out.
std::optional<AlbumSummary> readAlbumSummary(const QString &path);
// The same over the first bytes of a file (at least the header, the first record and
// its thumbnail when they exist).
std::optional<AlbumSummary> summaryFromHead(const QString &name, QByteArrayView head);

// A white square with the thumbnail drawn at ((100 - width) div 2, (100 - height) div 2)
// and a 1-pixel grey frame (128, 128, 128) around the square.
QImage makeAlbumPreview(const QImage &thumbnail);
// The preview as the list draws it: its silver pixels (#C0C0C0) transparent.
QImage withSilverTransparent(const QImage &preview);

// The album named `name` in `folder`: the folder, a separator when it does not end with
// one, the name and ".ccl".
QString albumPathInFolder(const QString &folder, const QString &name);

} // namespace album
