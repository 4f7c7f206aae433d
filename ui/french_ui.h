#pragma once
// What both programs do first so that the platform's own dialogs read in French and the
// fonts the windows name are found.
class QCoreApplication;

namespace ui {

// Loads Qt's French translations (standard buttons, file, colour and input dialogs,
// multimedia errors). Returns the number of catalogues loaded.
int installFrenchTranslations(QCoreApplication &app);

// "MS Sans Serif" is drawn with Liberation Sans; "Arial", "Times New Roman" and
// "Courier New" are found by fontconfig among the metric-compatible Liberation fonts.
void installFontSubstitutions();

} // namespace ui
