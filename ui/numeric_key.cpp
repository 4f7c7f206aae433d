#include "ui/numeric_key.h"

#include "ui/messages.h"

namespace ui {

bool IsNumericKey(QChar key)
{
    const char16_t code = key.unicode();
    if (code == 8 || code == 13 || (code >= u'0' && code <= u'9'))
        return true;
    messages::plain(QStringLiteral("Saisie numérique uniquement !"));
    return false;
}

} // namespace ui
