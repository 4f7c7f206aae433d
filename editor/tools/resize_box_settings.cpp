#include "editor/tools/resize_box_settings.h"

#include "editor/shell/core/config_file.h"
#include "imaging/resampler.h"

#include <QDir>

namespace editor {
namespace {

int indexOrDefault(int value, int count, int fallback)
{
    return value >= 0 && value < count ? value : fallback;
}

constexpr int kCopyStyles = 3;

} // namespace

ResizeBoxSettings readResizeBoxSettings(const ConfigFile &config,
                                        const std::function<bool(const QString &)> &folderExists)
{
    const ResizeBoxSettings defaults;
    ResizeBoxSettings s;
    s.filter = indexOrDefault(config.readInteger(kResizeBoxSection, QStringLiteral("Filter"), defaults.filter),
                              imaging::kFilterListCount, defaults.filter);
    s.newSize = indexOrDefault(config.readInteger(kResizeBoxSection, QStringLiteral("NewSize"), defaults.newSize),
                               imagetools::kCustomSizeIndex + 1, defaults.newSize);
    s.largerOnly = config.readBool(kResizeBoxSection, QStringLiteral("LargerOnly"), defaults.largerOnly);
    s.copyStyle = indexOrDefault(config.readInteger(kResizeBoxSection, QStringLiteral("CopyStyle"), defaults.copyStyle),
                                 kCopyStyles, defaults.copyStyle);
    s.dirCopy = config.readString(kResizeBoxSection, QStringLiteral("DirCopy"), QString());
    if (!s.dirCopy.isEmpty() && !folderExists(s.dirCopy))
        s.dirCopy.clear();
    return s;
}

void writeResizeBoxSettings(ConfigFile &config, const ResizeBoxSettings &s)
{
    // A configuration that cannot be written loses the dialog's choices, nothing else.
    (void)config.writeInteger(kResizeBoxSection, QStringLiteral("Filter"), s.filter);
    (void)config.writeInteger(kResizeBoxSection, QStringLiteral("NewSize"), s.newSize);
    (void)config.writeBool(kResizeBoxSection, QStringLiteral("LargerOnly"), s.largerOnly);
    (void)config.writeInteger(kResizeBoxSection, QStringLiteral("CopyStyle"), s.copyStyle);
    (void)config.writeString(kResizeBoxSection, QStringLiteral("DirCopy"), s.dirCopy);
}

std::optional<QSize> resizeBox(int index, const QString &width, const QString &height)
{
    if (index >= 0 && index < imagetools::kCustomSizeIndex)
        return imagetools::kResizeBoxes[std::size_t(index)];
    bool wide = false, high = false;
    const int w = width.trimmed().toInt(&wide), h = height.trimmed().toInt(&high);
    if (!wide || !high || w <= 0 || h <= 0)
        return std::nullopt;
    return QSize(w, h);
}


} // namespace editor
