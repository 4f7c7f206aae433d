#include "base/colour.h"

QColor toQColor(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

Colour fromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return makeColour(rgb.red(), rgb.green(), rgb.blue());
}

QString ColorToHtml(Colour c)
{
    return QStringLiteral("#%1%2%3")
        .arg(colourRed(c), 2, 16, QLatin1Char('0'))
        .arg(colourGreen(c), 2, 16, QLatin1Char('0'))
        .arg(colourBlue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}
