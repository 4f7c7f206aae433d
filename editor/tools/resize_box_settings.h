#pragma once
// The batch resize dialog's own section "ResizeBox" of the configuration file: read each
// time the dialog is shown, written each time it closes, by "&Ok" or "&Annuler". The
// custom width and height are not kept.
#include "base/path_identity.h"
#include "imaging/tools/batch_resize.h"

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace editor {

class ConfigFile;

struct ResizeBoxSettings {
    int filter = 2;        // "Filter": the ComboFilter index, "Filtre Triangle"
    int newSize = 2;       // "NewSize": the RadioTaille index, "1024 x 768"
    bool largerOnly = true; // "LargerOnly": CheckImgPlusGrande
    int copyStyle = 0;     // "CopyStyle": the RadioCopie index
    QString dirCopy;       // "DirCopy": EditDir
};

inline const QString kResizeBoxSection = QStringLiteral("ResizeBox");

// An index outside its list reads as the default; a folder that no longer exists reads
// as empty.
ResizeBoxSettings readResizeBoxSettings(const ConfigFile &config,
                                        const std::function<bool(const QString &)> &folderExists);
void writeResizeBoxSettings(ConfigFile &config, const ResizeBoxSettings &settings);

// The box of the size list's entry `index`; for "Personnaliser" the two typed numbers,
// nothing when one of them is not a number or is 0 ("Saisie incorrecte pour la taille").
std::optional<QSize> resizeBox(int index, const QString &width, const QString &height);


} // namespace editor
