#pragma once
// The filter of the numeric fields (slide duration, picture sizes): digits, backspace (8)
// and carriage return (13) pass; any other character shows "Saisie numérique
// uniquement !" and is to be discarded by the caller.
#include <QChar>

namespace ui {

bool IsNumericKey(QChar key);

} // namespace ui
