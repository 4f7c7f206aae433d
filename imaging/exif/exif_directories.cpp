#include "imaging/exif/exif_directories.h"

#include "imaging/exif/exif_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace exif {

namespace {

// A chain longer than this is not followed further: no file has a reason for it.
constexpr int kMaxChainedDirectories = 16;

enum Tag : std::uint16_t {
    kImageWidth = 0x0100, kMake = 0x010F, kModel = 0x0110, kDateTime = 0x0132,
    kExifPointer = 0x8769, kExposureTime = 0x829A, kFNumber = 0x829D,
    kDateTimeOriginal = 0x9003, kShutterSpeedValue = 0x9201, kApertureValue = 0x9202,
    kMaxApertureValue = 0x9205, kSubjectDistance = 0x9206, kFlash = 0x9209,
    kFocalLength = 0x920A, kUserComment = 0x9286, kPixelXDimension = 0xA002,
    kPixelYDimension = 0xA003, kFocalPlaneXResolution = 0xA20E,
    kFocalPlaneResolutionUnit = 0xA210,
};

bool isTagOfInterest(std::uint16_t tag)
{
    static constexpr std::uint16_t kTags[] = {
        kImageWidth, kMake, kModel, kDateTime, kExifPointer, kExposureTime, kFNumber,
        kDateTimeOriginal, kShutterSpeedValue, kApertureValue, kMaxApertureValue,
        kSubjectDistance, kFlash, kFocalLength, kUserComment, kPixelXDimension,
        kPixelYDimension, kFocalPlaneXResolution, kFocalPlaneResolutionUnit,
    };
    return std::ranges::find(kTags, tag) != std::end(kTags);
}

// The nearest integer, ties to even, when it fits in 32 bits.
std::optional<std::int32_t> toInt32(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return std::int32_t(r);
}

std::optional<double> finitePositive(long double v)
{
    const double d = double(v);
    if (!std::isfinite(d) || d <= 0)
        return std::nullopt;
    return d;
}

QString dateText(QByteArrayView value)
{
    return trimBlanks(asciiTagText(value)).left(TImageInfo::kPhotoDateCapacity);
}

class DirectoryReader {
public:
    DirectoryReader(const TiffData &tiff, bool takeImageWidth, TImageInfo &info, DirectoryReadState &state)
        : m_tiff(tiff), m_takeImageWidth(takeImageWidth), m_info(info), m_state(state) {}

    // Reads every entry of one directory; false when damaged data stopped it.
    bool read(qint64 offset, bool first);
    std::optional<std::uint32_t> exifOffset() const { return m_exifOffset; }

private:
    bool applyEntry(const TiffEntry &entry, bool first);
    void applyNumber(std::uint16_t tag, double v, bool first);
    void applyApertureApex();

    const TiffData &m_tiff;
    bool m_takeImageWidth;
    TImageInfo &m_info;
    DirectoryReadState &m_state;
    std::optional<std::uint32_t> m_exifOffset;
};

bool DirectoryReader::read(qint64 offset, bool first)
{
    const auto count = m_tiff.entryCount(offset);
    if (!count)
        return false;
    for (int i = 0; i < *count; ++i) {
        const auto entry = m_tiff.entry(offset, i);
        if (!entry || !applyEntry(*entry, first))
            return false;
    }
    return true;
}

bool DirectoryReader::applyEntry(const TiffEntry &entry, bool first)
{
    if (!isTagOfInterest(entry.tag) || tiffTypeSize(entry.type) == 0)
        return true;
    const auto value = m_tiff.value(entry);
    if (!value)
        return false;
    switch (entry.tag) {
    case kMake: m_info.cameraMake = asciiTagText(*value).left(TImageInfo::kMakeCapacity); break;
    case kModel: m_info.cameraModel = asciiTagText(*value).left(TImageInfo::kModelCapacity); break;
    case kDateTime:
        if (!m_state.dateFromOriginal)
            m_info.photoDate = dateText(*value);
        break;
    case kDateTimeOriginal:
        // A blank original date (cameras without a clock write spaces) hides nothing.
        if (const QString date = dateText(*value); !date.isEmpty()) {
            m_info.photoDate = date;
            m_state.dateFromOriginal = true;
        }
        break;
    case kUserComment: m_info.userComment = userCommentText(*value, m_tiff.bigEndian()); break;
    default:
        if (const auto v = m_tiff.real(entry))
            applyNumber(entry.tag, *v, first);
    }
    return true;
}

void DirectoryReader::applyNumber(std::uint16_t tag, double v, bool first)
{
    switch (tag) {
    case kImageWidth:
        if (first && m_takeImageWidth)
            m_state.mainImageWidth = v;
        break;
    case kExifPointer:
        if (!m_exifOffset && v >= 0 && v <= std::numeric_limits<std::uint32_t>::max())
            m_exifOffset = std::uint32_t(v);
        break;
    case kExposureTime:
        if (v > 0) // a zero exposure is no exposure: left unknown
            m_info.exposureTime = v;
        break;
    case kShutterSpeedValue: // APEX: t = 1 / 2^v
        if (!isKnown(m_info.exposureTime))
            m_info.exposureTime = finitePositive(1.0L / std::exp2l(v)).value_or(-1);
        break;
    case kFNumber: m_info.fNumber = v; applyApertureApex(); break;
    case kApertureValue:
    case kMaxApertureValue:
        if (!m_state.apertureApex) {
            m_state.apertureApex = v;
            applyApertureApex();
        }
        break;
    case kSubjectDistance: m_info.subjectDistance = v; break;
    case kFlash: m_info.flash = toInt32(v).value_or(-1); break;
    case kFocalLength: m_info.focalLength = v; break;
    case kPixelXDimension: m_info.width = toInt32(v).value_or(-1); break;
    case kPixelYDimension: m_info.height = toInt32(v).value_or(-1); break;
    case kFocalPlaneXResolution: m_state.focalPlaneXResolution = v; break;
    case kFocalPlaneResolutionUnit: m_state.focalPlaneUnit = v; break;
    }
}

// An FNumber of 0 stands for "see the APEX aperture": N = 2^(v/2).
void DirectoryReader::applyApertureApex()
{
    if (m_info.fNumber == 0 && m_state.apertureApex)
        if (const auto n = finitePositive(std::exp2l(*m_state.apertureApex / 2.0L)))
            m_info.fNumber = *n;
}

} // namespace

bool readExifDirectories(const TiffData &tiff, bool takeImageWidth, TImageInfo &info, DirectoryReadState &state)
{
    DirectoryReader reader(tiff, takeImageWidth, info, state);
    std::vector<std::uint32_t> visited;
    bool exifRead = false;
    auto offset = tiff.firstDirectoryOffset();
    for (int index = 0; offset && *offset != 0 && index < kMaxChainedDirectories; ++index) {
        const std::uint32_t current = *offset;
        if (std::ranges::find(visited, current) != visited.end())
            return true; // the chain loops back: every directory has been read
        visited.push_back(current);
        if (!reader.read(current, index == 0))
            return false;
        // The EXIF sub-directory is read as soon as a directory points to it, so damage
        // further down the chain cannot hide it.
        if (const auto sub = reader.exifOffset(); sub && !exifRead) {
            exifRead = true;
            if (std::ranges::find(visited, *sub) == visited.end()) {
                visited.push_back(*sub);
                if (!reader.read(*sub, false))
                    return false;
            }
        }
        offset = tiff.nextDirectoryOffset(current);
    }
    return offset.has_value();
}

double sensorWidthMillimetres(const TImageInfo &info, const DirectoryReadState &state)
{
    // Millimetres per unit for the unit codes 1 to 5: no absolute unit (which the cameras
    // that write it mean as inches), inch, centimetre, millimetre, micrometre.
    static constexpr long double kMillimetresPerUnit[] = {25.4L, 25.4L, 10.0L, 1.0L, 0.001L};
    const double unit = state.focalPlaneUnit.value_or(2);
    const double resolution = state.focalPlaneXResolution.value_or(0);
    const double width = info.width > 0 ? double(info.width) : state.mainImageWidth.value_or(0);
    if (!(unit >= 1 && unit <= 5 && unit == std::floor(unit)) || !(resolution > 0) || !(width > 0))
        return -1;
    return finitePositive(width * kMillimetresPerUnit[int(unit) - 1] / resolution).value_or(-1);
}

} // namespace exif
