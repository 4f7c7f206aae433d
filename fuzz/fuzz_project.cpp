// Fuzz target of the show project reader and the old script reader: any bytes as a .dap
// file and as a .spr script.
#include "documents/show/old_script.h"
#include "documents/show/project_file.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const showdoc::LoadedProject loaded = showdoc::readProject(bytes, [](const QString &) { return true; });
    // A project that loads lists only slides with a decoded thumbnail; every record read
    // lies inside the file.
    qint64 end = showdoc::kProjectHeaderSize;
    for (const showdoc::ProjectRecordEntry &entry : loaded.records) {
        if (entry.offset != end || entry.record.thumbnailSize < 0)
            __builtin_trap();
        end = entry.offset + showdoc::kProjectSlideSize + entry.record.thumbnailSize;
        if (end > qint64(size))
            __builtin_trap();
    }
    for (const showdoc::ShowSlide &slide : loaded.project.slides)
        if (slide.entry.thumbnail.isNull())
            __builtin_trap();
    if (loaded.verdict != showdoc::ProjectVerdict::Loaded && !loaded.project.slides.empty())
        __builtin_trap();

    const auto script = showdoc::readOldScript(bytes);
    if (script)
        for (const showdoc::ShowSlide &slide : script->slides)
            if (slide.entry.caption.size() > showdoc::kCaptionCapacity)
                __builtin_trap();
    return 0;
}
