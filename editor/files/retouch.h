#pragma once
// The external retouch program started on the current image of a list (RetoucherList,
// RetoucherScript, RetoucherCollec).
#include <QString>

class QWidget;

namespace editor {

struct EditorSettings;

inline const QString kImageNotAccessible =
    QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine.");

// The parameter text: the image path in double quotes (a quote inside the path is
// tripled, so the program still gets the path as one argument).
QString retouchParameters(const QString &imagePath);

// The name the association proposes for a program: its file name without the ".exe"
// extension programs carry on Windows.
QString programFriendlyName(const QString &programPath);

// Starts the associated program on `imagePath` without waiting. A missing image does
// nothing, or shows kImageNotAccessible with `reportMissing` (the show and album lists).
void retouchImage(const EditorSettings &settings, const QString &imagePath, bool reportMissing, QWidget *owner);

} // namespace editor
