#include "editor/web/web_settings.h"

#include "editor/shell/core/config_file.h"

#include <cstdint>

namespace editor {

namespace {

Colour readColour(const ConfigFile &config, const QString &key, Colour fallback)
{
    return Colour(std::uint32_t(config.readInteger(kWebSection, key, int(fallback))));
}

} // namespace

webgallery::GalleryOptions readWebSettings(const ConfigFile &config)
{
    const webgallery::GalleryOptions d;
    webgallery::GalleryOptions o;
    o.title = config.readString(kWebSection, QStringLiteral("Title"), d.title);
    o.columns = config.readInteger(kWebSection, QStringLiteral("Col"), d.columns);
    o.rows = config.readInteger(kWebSection, QStringLiteral("Line"), d.rows);
    o.border = config.readInteger(kWebSection, QStringLiteral("SizeBorder"), d.border);
    o.thumbnailBorder = config.readBool(kWebSection, QStringLiteral("BorderVignette"), d.thumbnailBorder);
    o.captions = config.readBool(kWebSection, QStringLiteral("AddComment"), d.captions);
    o.copyright = config.readString(kWebSection, QStringLiteral("Copyright"), d.copyright);
    o.email = config.readString(kWebSection, QStringLiteral("EMail"), d.email);
    o.linkText = config.readString(kWebSection, QStringLiteral("UrlText"), d.linkText);
    o.url = config.readString(kWebSection, QStringLiteral("URL"), d.url);
    o.pageColour = readColour(config, QStringLiteral("ColorPage"), d.pageColour);
    o.textColour = readColour(config, QStringLiteral("ColorText"), d.textColour);
    o.lineColour = readColour(config, QStringLiteral("ColorLine"), d.lineColour);
    return o;
}

Result<void> writeWebSettings(ConfigFile &config, const webgallery::GalleryOptions &o)
{
    const std::pair<const char *, QString> values[] = {
        {"Title", o.title},
        {"Col", QString::number(o.columns)},
        {"Line", QString::number(o.rows)},
        {"SizeBorder", QString::number(o.border)},
        {"BorderVignette", o.thumbnailBorder ? QStringLiteral("1") : QStringLiteral("0")},
        {"AddComment", o.captions ? QStringLiteral("1") : QStringLiteral("0")},
        {"Copyright", o.copyright},
        {"EMail", o.email},
        {"UrlText", o.linkText},
        {"URL", o.url},
        {"ColorPage", QString::number(o.pageColour)},
        {"ColorText", QString::number(o.textColour)},
        {"ColorLine", QString::number(o.lineColour)},
    };
    Result<void> first;
    for (const auto &[key, value] : values) {
        auto written = config.writeString(kWebSection, QString::fromLatin1(key), value);
        if (!written && first)
            first = written;
    }
    return first;
}

} // namespace editor
