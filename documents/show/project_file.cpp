#include "documents/show/project_file.h"

#include "base/atomic_file.h"
#include "base/byte_view.h"
#include "base/le_record.h"
#include "base/short_string.h"
#include "imaging/jpeg_codec.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace showdoc {

namespace {

namespace H = project_header_offsets;
namespace R = project_slide_offsets;

constexpr int kIdentityCapacity = 9;
constexpr int kVersionCapacity = 4;
// A thumbnail is at most 100 x 100 pixels; anything far larger is not one, and decoding
// it could take more memory than the whole project is worth.
constexpr int kLargestThumbnailSide = 2048;

QString atOffset(qint64 offset)
{
    return QStringLiteral("à l'octet %1").arg(offset);
}

// Reads the slide block at `offset`; false with `problem` set when it cannot be read.
struct BlockRead {
    bool ok = false;
    qint64 next = 0;
    ProjectRecordEntry entry;
    QImage thumbnail;
    QString problem;
};

BlockRead readBlock(const ByteView &view, qint64 offset)
{
    BlockRead block;
    if (!view.has(offset, kProjectSlideSize)) {
        block.problem = QStringLiteral("fiche d'image incomplète %1").arg(atOffset(offset));
        return block;
    }
    block.entry.offset = offset;
    block.entry.record = decodeProjectSlide(reinterpret_cast<const char *>(view.data() + offset));
    const qint64 jpegAt = offset + kProjectSlideSize;
    const std::int32_t size = block.entry.record.thumbnailSize;
    if (size < 0 || !view.has(jpegAt, size)) {
        block.problem = QStringLiteral("vignette de %1 octets hors du fichier %2").arg(size).arg(atOffset(offset));
        return block;
    }
    block.next = jpegAt + size;
    if (size == 0) {
        block.ok = true;
        return block;
    }
    const QByteArrayView jpeg = view.slice(jpegAt, size);
    const auto info = imaging::readJpegInfo(jpeg);
    if (!info || info->width > kLargestThumbnailSide || info->height > kLargestThumbnailSide) {
        block.problem = QStringLiteral("vignette illisible %1").arg(atOffset(offset));
        return block;
    }
    auto decoded = imaging::decodeJpeg(jpeg);
    if (!decoded) {
        block.problem = QStringLiteral("vignette illisible %1 : %2").arg(atOffset(offset), decoded.error().message);
        return block;
    }
    block.thumbnail = std::move(*decoded);
    block.entry.thumbnail = block.thumbnail.size();
    block.ok = true;
    return block;
}

Result<void> writeAll(QIODevice &out, QByteArrayView bytes)
{
    if (out.write(bytes.data(), bytes.size()) != bytes.size())
        return fail(QStringLiteral("Écriture impossible : %1").arg(out.errorString()));
    return {};
}

Result<QByteArray> thumbnailJpeg(const QImage &thumbnail)
{
    if (!thumbnail.isNull()) {
        if (auto jpeg = imaging::encodeJpeg(thumbnail, kThumbnailJpegQuality))
            return jpeg;
    }
    return imaging::encodeJpeg(placeholderThumbnail(), kThumbnailJpegQuality);
}

} // namespace

QByteArray encodeProjectHeader(const TProjectHeader &header)
{
    QByteArray bytes(kProjectHeaderSize, '\0');
    char *p = bytes.data();
    writeShortString(p + H::kIdentity, kIdentityCapacity, header.identity);
    writeShortString(p + H::kVersion, kVersionCapacity, header.version);
    le::putI32(p, H::kSlideCount, header.slideCount);
    le::putBool(p, H::kLoop, header.options.loop);
    le::putBool(p, H::kAllowCopy, header.options.allowCopy);
    le::putBool(p, H::kMaxQuality, header.options.maxQuality);
    writeShortString(p + H::kMusic, kPathCapacity, header.options.music);
    return bytes;
}

TProjectHeader decodeProjectHeader(const char *p)
{
    TProjectHeader header;
    header.identity = readShortString(p + H::kIdentity, kIdentityCapacity);
    header.version = readShortString(p + H::kVersion, kVersionCapacity);
    header.slideCount = le::getI32(p, H::kSlideCount);
    header.options.loop = le::getBool(p, H::kLoop);
    header.options.allowCopy = le::getBool(p, H::kAllowCopy);
    header.options.maxQuality = le::getBool(p, H::kMaxQuality);
    header.options.music = readShortString(p + H::kMusic, kPathCapacity);
    return header;
}

bool isCompatibleHeader(const char *p)
{
    const auto field = [p](int offset, int length, const char *text) {
        return le::getU8(p, offset) == length && std::memcmp(p + offset + 1, text, std::size_t(length)) == 0;
    };
    return field(H::kIdentity, kIdentityCapacity, "Lumivelle") && field(H::kVersion, kVersionCapacity, "3000")
           && le::getI32(p, H::kSlideCount) > 0;
}

QByteArray encodeProjectSlide(const TProjectSlide &r)
{
    QByteArray bytes(kProjectSlideSize, '\0');
    char *p = bytes.data();
    writeShortString(p + R::kPath, kPathCapacity, r.path);
    le::putI32(p, R::kWidth, r.width);
    le::putI32(p, R::kHeight, r.height);
    le::putI32(p, R::kFileSize, r.fileSize);
    le::putI32(p, R::kDisplayTime, r.displayTime);
    le::putBool(p, R::kBorder, r.border);
    le::putU32(p, R::kBorderColour, r.borderColour);
    le::putU32(p, R::kBackgroundColour, r.backgroundColour);
    writeShortString(p + R::kCaption, kCaptionCapacity, r.caption);
    le::putU32(p, R::kCaptionColour, r.captionColour);
    le::putI32(p, R::kStyle, r.style);
    le::putI32(p, R::kThumbnailSize, r.thumbnailSize);
    return bytes;
}

TProjectSlide decodeProjectSlide(const char *p)
{
    TProjectSlide r;
    r.path = readShortString(p + R::kPath, kPathCapacity);
    r.width = le::getI32(p, R::kWidth);
    r.height = le::getI32(p, R::kHeight);
    r.fileSize = le::getI32(p, R::kFileSize);
    r.displayTime = le::getI32(p, R::kDisplayTime);
    r.border = le::getBool(p, R::kBorder);
    r.borderColour = le::getU32(p, R::kBorderColour);
    r.backgroundColour = le::getU32(p, R::kBackgroundColour);
    r.caption = readShortString(p + R::kCaption, kCaptionCapacity);
    r.captionColour = le::getU32(p, R::kCaptionColour);
    r.style = le::getI32(p, R::kStyle);
    r.thumbnailSize = le::getI32(p, R::kThumbnailSize);
    return r;
}

TProjectSlide projectSlideFor(const ShowSlide &slide)
{
    const TEnrData_S &e = slide.entry;
    TProjectSlide r;
    r.path = slide.path;
    r.width = e.width;
    r.height = e.height;
    r.fileSize = e.fileSize;
    r.displayTime = e.displayTime;
    r.border = e.border;
    r.borderColour = e.borderColour;
    r.backgroundColour = e.backgroundColour;
    r.caption = e.caption;
    r.captionColour = e.captionColour;
    r.style = e.style;
    return r;
}

ShowSlide slideOfRecord(const TProjectSlide &r)
{
    ShowSlide slide;
    slide.path = r.path;
    TEnrData_S &e = slide.entry;
    e.width = r.width;
    e.height = r.height;
    e.fileSize = r.fileSize;
    e.displayTime = r.displayTime;
    e.border = r.border;
    e.borderColour = r.borderColour;
    e.backgroundColour = r.backgroundColour;
    e.caption = r.caption;
    e.captionColour = r.captionColour;
    e.style = r.style;
    return slide;
}

LoadedProject readProject(QByteArrayView bytes, const FileExistsFn &exists, const ProgressFn &progress)
{
    LoadedProject loaded;
    const ByteView view(bytes);
    if (!view.has(0, kProjectHeaderSize)) {
        loaded.problem = QStringLiteral("en-tête incomplet");
        return loaded;
    }
    const char *head = reinterpret_cast<const char *>(view.data());
    const TProjectHeader header = decodeProjectHeader(head);
    loaded.headerRead = true;
    loaded.project.options = header.options;
    loaded.declaredSlides = header.slideCount;
    if (!isCompatibleHeader(head)) {
        loaded.problem = QStringLiteral("identité, version ou nombre d'images incompatible");
        return loaded;
    }
    std::vector<ShowSlide> slides;
    qint64 offset = kProjectHeaderSize;
    while (offset < view.size()) {
        BlockRead block = readBlock(view, offset);
        if (!block.ok) {
            loaded.verdict = ProjectVerdict::Damaged;
            loaded.problem = block.problem;
            return loaded;
        }
        loaded.records.push_back(block.entry);
        offset = block.next;
        if (block.entry.record.thumbnailSize == 0)
            continue;
        ShowSlide slide = slideOfRecord(block.entry.record);
        slide.entry.thumbnail = std::move(block.thumbnail);
        if (exists && !exists(slide.path))
            loaded.missingPictures = true;
        slides.push_back(std::move(slide));
        if (progress)
            progress(int(slides.size()), header.slideCount);
    }
    loaded.verdict = ProjectVerdict::Loaded;
    loaded.project.slides = std::move(slides);
    return loaded;
}

LoadedProject LoadProjectFile(const QString &path, const ProgressFn &progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadedProject refused;
        refused.problem = file.errorString();
        return refused;
    }
    // Mapping spares a copy of the thumbnails; a file that cannot be mapped is read.
    const qint64 size = file.size();
    if (uchar *mapped = size > 0 ? file.map(0, size) : nullptr)
        return readProject(QByteArrayView(reinterpret_cast<const char *>(mapped), size),
                           [](const QString &p) { return QFileInfo::exists(p); }, progress);
    const QByteArray bytes = file.readAll();
    return readProject(bytes, [](const QString &p) { return QFileInfo::exists(p); }, progress);
}

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() && (!file.isWritable() || !file.permission(QFileDevice::WriteOwner));
}

QString readOnlyMessage(const QString &path)
{
    return QStringLiteral("Impossible d'enregistrer le lumivelle :\r\rle fichier < ") + QFileInfo(path).fileName()
           + QStringLiteral(" > est en lecture seule,\rutilisez l'explorateur de Windows afin de localiser\r"
                            "ce fichier et de décocher cet attribut.");
}

QImage placeholderThumbnail()
{
    QImage grey(64, 48, QImage::Format_BGR888);
    grey.fill(QColor(128, 128, 128));
    return grey;
}

Result<void> writeProject(QIODevice &out, const ShowProject &project, const ProgressFn &progress)
{
    TProjectHeader header;
    header.slideCount = std::int32_t(project.slides.size());
    header.options = project.options;
    if (auto written = writeAll(out, encodeProjectHeader(header)); !written)
        return written;
    int done = 0;
    for (const ShowSlide &slide : project.slides) {
        if (progress)
            progress(++done, int(project.slides.size()));
        const Result<QByteArray> jpeg = thumbnailJpeg(slide.entry.thumbnail);
        if (!jpeg)
            return fail(QStringLiteral("Vignette de %1 : %2").arg(slide.path, jpeg.error().message));
        TProjectSlide record = projectSlideFor(slide);
        record.thumbnailSize = std::int32_t(jpeg->size());
        if (auto written = writeAll(out, encodeProjectSlide(record)); !written)
            return written;
        if (auto written = writeAll(out, *jpeg); !written)
            return written;
    }
    return {};
}

Result<void> SaveProjectFile(const QString &path, const ShowProject &project, const ProgressFn &progress)
{
    return writeFileAtomically(path, [&](QIODevice &out) { return writeProject(out, project, progress); });
}

} // namespace showdoc
