#pragma once
// The photo information read from a JPEG or TIFF file: what the album import and the EXIF
// report use. Every read starts from the unknown values below and fills what the file
// holds; a read that stops on damaged data keeps what it had filled.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace exif {

// The metadata segments of a JPEG file, each kept whole (FF, marker byte, big-endian
// length field and contents) so that rotation can write them back into the re-encoded
// file unchanged. An empty array means the file had no such segment; of several, the
// first is kept.
struct KeptJpegSegments {
    QByteArray app0;    // E0, JFIF
    QByteArray exif;    // E1, the segment taken as the EXIF block
    QByteArray iptc;    // ED, IPTC
    QByteArray comment; // FE
};

struct TImageInfo {
    static constexpr int kMakeCapacity = 32;
    static constexpr int kModelCapacity = 40;
    static constexpr int kPhotoDateCapacity = 20;

    QString fileName;         // the path that was read
    QDateTime fileDate;       // last-write time, local time
    std::int64_t fileSize = -1;

    QString cameraMake;       // 0x010F
    QString cameraModel;      // 0x0110
    QString photoDate;        // 0x0132, replaced by 0x9003 DateTimeOriginal
    std::int32_t width = -1;  // 0xA002
    std::int32_t height = -1; // 0xA003
    std::int32_t flash = -1;  // 0x9209; 0 for a JPEG EXIF block without it
    double focalLength = -1;  // 0x920A, millimetres
    double exposureTime = -1; // 0x829A, or from 0x9201 ShutterSpeedValue; seconds
    double fNumber = -1;      // 0x829D, or from the APEX aperture when it is 0
    double subjectDistance = -1; // 0x9206
    double sensorWidth = -1;  // from the focal-plane resolution, millimetres
    QString userComment;      // 0x9286, without its character-code prefix

    KeptJpegSegments jpegSegments;
};

// Reals and integers of the record are known when they are not negative: every unknown
// value is -1, and no item can meaningfully be negative.
template <class T>
bool isKnown(T value) { return value >= 0; } // also false for NaN

} // namespace exif
