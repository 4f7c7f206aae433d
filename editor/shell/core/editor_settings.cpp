#include "editor/shell/core/editor_settings.h"

#include "editor/shell/core/config_file.h"

namespace editor {

namespace {

const QString kSection = QStringLiteral("Application");

Colour readColour(const ConfigFile &config, const QString &key, Colour fallback)
{
    return Colour(config.readInteger(kSection, key, int(fallback)));
}

} // namespace

void EditorSettings::setRetouchProgram(const QString &path, const QString &name)
{
    // The path is kept whole: cut, it would name another file, and the association would
    // silently stop working. Only the name shown in the menus is held to its length.
    SoftRetoucheF = path;
    SoftRetoucheN = name.left(kRetouchNameCapacity);
}

int extraCellHeight(bool infoVignette)
{
    return infoVignette ? 35 : 6;
}

EditorSettings readEditorSettings(const ConfigFile &config,
                                  const std::function<bool(const QString &)> &fileExists)
{
    const EditorSettings d;
    EditorSettings s;
    s.Rep_Collec = config.readString(kSection, QStringLiteral("Rep_Collec"), d.Rep_Collec);
    s.FilterOk = config.readBool(kSection, QStringLiteral("FilterOk"), d.FilterOk);
    s.Apercu = config.readBool(kSection, QStringLiteral("Apercu"), d.Apercu);
    s.colosel = readColour(config, QStringLiteral("colosel"), d.colosel);
    s.colonorm = readColour(config, QStringLiteral("colonorm"), d.colonorm);
    s.cologrid = readColour(config, QStringLiteral("cologrid"), d.cologrid);
    s.InfoVignette = config.readBool(kSection, QStringLiteral("InfoVignette"), d.InfoVignette);
    s.PanelDirTree = config.readInteger(kSection, QStringLiteral("PanelDirTree"), d.PanelDirTree);
    s.PanelView = config.readInteger(kSection, QStringLiteral("PanelView"), d.PanelView);
    s.UnitLumivelle = config.readInteger(kSection, QStringLiteral("UnitLumivelle"), d.UnitLumivelle);
    s.setRetouchProgram(config.readString(kSection, QStringLiteral("SoftRetoucheF"), {}),
                        config.readString(kSection, QStringLiteral("SoftRetoucheN"), {}));
    if (!fileExists(s.SoftRetoucheF))
        s.setRetouchProgram({}, {});
    s.AutoOrient = config.readBool(kSection, QStringLiteral("AutoOrient"), d.AutoOrient);
    s.ThumbCacheMB = config.readInteger(kSection, QStringLiteral("ThumbCacheMB"), d.ThumbCacheMB);
    return s;
}

int correctedPanelDirTree(int stored, int tabAreaWidth)
{
    return stored > tabAreaWidth - 150 ? kDefaultPanelDirTree : stored;
}

int correctedPanelView(int stored, int folderPanelHeight)
{
    return stored > folderPanelHeight - 100 ? kDefaultPanelView : stored;
}

Result<void> writeEditorSettings(ConfigFile &config, const EditorSettings &s, const ExitState &exit)
{
    const std::pair<const char *, QString> values[] = {
        {"FilterOk", s.FilterOk ? "1" : "0"},
        {"TIV", QStringLiteral("100")},
        {"DerFile", exit.openShowPath},
        {"SoftRetoucheF", s.SoftRetoucheF},
        {"SoftRetoucheN", s.SoftRetoucheN},
        {"colosel", QString::number(s.colosel)},
        {"colonorm", QString::number(s.colonorm)},
        {"cologrid", QString::number(s.cologrid)},
        {"PanelDirTree", QString::number(exit.panelDirTree)},
        {"PanelView", QString::number(exit.panelView)},
        {"UnitLumivelle", QString::number(s.UnitLumivelle)},
        {"Apercu", s.Apercu ? "1" : "0"},
        {"Rep_Collec", s.Rep_Collec},
        {"InfoVignette", s.InfoVignette ? "1" : "0"},
        {"AutoOrient", s.AutoOrient ? "1" : "0"},
        {"ThumbCacheMB", QString::number(s.ThumbCacheMB)},
    };
    for (const auto &[key, value] : values)
        if (auto written = config.writeString(kSection, QString::fromLatin1(key), value); !written)
            return written;
    return {};
}

} // namespace editor
