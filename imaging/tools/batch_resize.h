#pragma once
// Resizing BMP and JPEG files in a batch: the size each picture takes, where its copy
// goes, and the work on one file. The resize dialog and lumivelle-cli's batch-resize
// share these rules.
#include "imaging/tools/batch_reader.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace imagetools {

// The boxes of the dialog's size list, by index; index 6 ("Personnaliser") is typed in.
inline constexpr std::array<QSize, 6> kResizeBoxes = {QSize(640, 480),  QSize(800, 600),   QSize(1024, 768),
                                                      QSize(1152, 864), QSize(1280, 1024), QSize(1600, 1200)};
inline constexpr int kCustomSizeIndex = 6;
// The texts of the filter list (the index the resampler's ResizeBitmap takes).
QStringList filterListTexts();

// Where the resized pictures go (the dialog's RadioCopie index).
enum class CopyStyle { SameFolder = 0, OtherFolder = 1, InPlace = 2 };

struct ResizeOptions {
    QSize box{1024, 768};
    bool largerOnly = true;
    int filterIndex = 2;
    CopyStyle copyStyle = CopyStyle::SameFolder;
    QString folder; // the destination of OtherFolder
};

// ".bmp", ".jpg" and ".jpeg" files, the extension in any letter case.
bool isResizableFile(const QString &path);

// The new size of a w x h picture in the box: when w > h the width becomes the box's and
// the height follows the proportions, otherwise the height becomes the box's and the
// width follows (rounded to the nearest, halves to even). Only the deciding side is
// fitted. Nothing when `largerOnly` and the picture already fits the box.
std::optional<QSize> resizedSize(QSize picture, QSize box, bool largerOnly);

// Where the resized picture of `source` is written: in the same folder, the path less its
// last four characters followed by "(1).bmp" or "(1).jpg" (photo.jpg gives photo(1).jpg,
// photo.jpeg gives photo.(1).jpg); in another folder, that folder and the source's name;
// in place, the source itself.
QString resizeTargetPath(const QString &source, const ResizeOptions &options);

enum class ResizeStatus { Written, Skipped, Unreadable, ResizeFailed, WriteFailed };

struct ResizeResult {
    ResizeStatus status = ResizeStatus::Unreadable;
    QString target;
    QSize size;      // of the written picture
    QString failure; // the reason of a failure
};

inline constexpr int kResizedJpegQuality = 100;

// The batch: the sources in order, read ahead when `readAhead` (see BatchReader), each
// resized by the rules above and written as a 24-bit BMP for a ".bmp" source or a JPEG
// at quality 100 otherwise.
class ResizeBatch {
public:
    ResizeBatch(QStringList sources, ResizeOptions options, bool readAhead);
    int count() const { return int(m_sources.size()); }
    const QString &source(int index) const { return m_sources[index]; }
    const QString &target(int index) const { return m_targets[index]; }
    const BatchReader &reader() const { return m_reader; }
    // Resizes item `index`; items go in increasing order.
    ResizeResult run(int index);

private:
    QStringList m_sources;
    QStringList m_targets;
    ResizeOptions m_options;
    BatchReader m_reader;
};

} // namespace imagetools
