#include "imaging/exif/exif_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace exif {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLowestFixedExponent = -5; // 0.00001

struct DecimalDigits {
    QString digits; // significant digits, no trailing zeros, at least one
    int exponent;   // of the first digit: value = d.ddd x 10^exponent
};

DecimalDigits decimalDigits(long double magnitude)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", kSignificantDigits - 1, magnitude);
    // text is "d.dddddddddddddde[+-]xx"
    QString digits = QLatin1Char(text[0]) + QString::fromLatin1(text + 2, kSignificantDigits - 1);
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    return {digits, std::atoi(text + kSignificantDigits + 2)};
}

QString scientific(const DecimalDigits &d, QChar separator)
{
    QString text = d.digits.left(1);
    if (d.digits.size() > 1)
        text += separator + d.digits.mid(1);
    return text + u'E' + QString::number(d.exponent);
}

QString fixed(const DecimalDigits &d, QChar separator)
{
    if (d.exponent < 0)
        return QStringLiteral("0") + separator + QString(-d.exponent - 1, u'0') + d.digits;
    const int integerDigits = d.exponent + 1;
    if (d.digits.size() <= integerDigits)
        return d.digits + QString(integerDigits - d.digits.size(), u'0');
    return d.digits.left(integerDigits) + separator + d.digits.mid(integerDigits);
}

} // namespace

ExifLocale ExifLocale::fromQLocale(const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    return {point.isEmpty() ? QChar(u'.') : point.at(0), locale.dateFormat(QLocale::ShortFormat)};
}

QString formatGeneral(long double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    const DecimalDigits d = decimalDigits(std::fabs(value));
    const bool useScientific = d.exponent < kLowestFixedExponent || d.exponent >= kSignificantDigits;
    const QString text = useScientific ? scientific(d, decimalSeparator) : fixed(d, decimalSeparator);
    return value < 0 ? u'-' + text : text;
}

QString focalText(double focalLength, QChar decimalSeparator)
{
    const long double equivalent = std::nearbyint(5.55L * focalLength);
    return formatGeneral(focalLength, decimalSeparator) + QStringLiteral(" (")
        + formatGeneral(equivalent, decimalSeparator) + QStringLiteral(" mm)");
}

std::optional<QString> speedText(double exposureTime)
{
    const long double t = exposureTime;
    if (!(t > 0 && t <= 0.5L))
        return std::nullopt;
    // 1/t to the nearest integer, halves to the even one. (Adding 0.5 before rounding, as
    // once done, turned the 60.000000000000002 of 1/60 s into "1/61".)
    return QStringLiteral("1/") + formatGeneral(std::nearbyint(1.0L / t), u'.');
}

QString flashText(int flash)
{
    return (flash & 1) ? QStringLiteral("Oui") : QStringLiteral("Non");
}

} // namespace exif
