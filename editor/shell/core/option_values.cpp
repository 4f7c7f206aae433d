#include "editor/shell/core/option_values.h"

namespace editor {

OptionValues optionValuesFrom(const EditorSettings &settings, const FolderExists &folderExists)
{
    OptionValues values;
    values.colonorm = settings.colonorm;
    values.colosel = settings.colosel;
    values.cologrid = settings.cologrid;
    values.infoVignette = settings.InfoVignette;
    values.filterOk = settings.FilterOk;
    values.autoOrient = settings.AutoOrient;
    values.unitText = QString::number(settings.UnitLumivelle);
    if (!settings.Rep_Collec.isEmpty() && folderExists(settings.Rep_Collec))
        values.albumFolder = settings.Rep_Collec;
    return values;
}

int unitFromText(const QString &text)
{
    bool ok = false;
    int unit = text.trimmed().toInt(&ok);
    if (!ok)
        unit = 1;
    return unit < 1 || unit > 120 ? kDefaultUnitLumivelle : unit;
}

OptionChanges applyOptionValues(EditorSettings &settings, const OptionValues &values,
                                const FolderExists &folderExists)
{
    OptionChanges changes;
    if (values.colonorm != settings.colonorm || values.colosel != settings.colosel ||
        values.cologrid != settings.cologrid) {
        settings.colonorm = values.colonorm;
        settings.colosel = values.colosel;
        settings.cologrid = values.cologrid;
        changes.colours = true;
    }
    settings.FilterOk = values.filterOk;
    changes.autoOrient = values.autoOrient != settings.AutoOrient;
    settings.AutoOrient = values.autoOrient;
    const bool folderOk = !values.albumFolder.isEmpty() && folderExists(values.albumFolder);
    settings.Rep_Collec = folderOk ? values.albumFolder : QString();
    changes.infoVignette = values.infoVignette != settings.InfoVignette;
    settings.InfoVignette = values.infoVignette;
    settings.UnitLumivelle = unitFromText(values.unitText);
    return changes;
}

} // namespace editor
