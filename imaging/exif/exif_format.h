#pragma once
// How the photo information is written for the album and the EXIF report. The record
// holds its reals as doubles; the arithmetic here is done in extended precision (64-bit
// significand) and rounding to an integer goes to the nearest integer, ties to even.
#include <QChar>
#include <QLocale>
#include <QString>
#include <optional>

namespace exif {

// What the texts take from the user's locale.
struct ExifLocale {
    QChar decimalSeparator = u',';
    QString shortDateFormat = QStringLiteral("dd/MM/yyyy"); // QDate::toString form

    static ExifLocale fromQLocale(const QLocale &locale);
};

// General format: at most 15 significant digits, no trailing zeros, the separator only
// when there is a fraction; scientific notation ("1,5E-6", "1E16") only below 0.00001 or
// beyond 15 integer digits.
QString formatGeneral(long double value, QChar decimalSeparator);

// "7,8 (43 mm)": the focal length, then its 35 mm equivalent 5.55 x f rounded.
QString focalText(double focalLength, QChar decimalSeparator);

// "1/%d" with 1/t rounded to the nearest integer, halves to the even one (1/60 s reads
// "1/60"), only for a known exposure time t <= 0.5 s; longer exposures, and a time of 0,
// give no speed. The EXIF report and the album import both use it.
std::optional<QString> speedText(double exposureTime);

// "Oui" when the Flash value says the flash fired (its bit 0), "Non" otherwise: 16
// (flash off) and 24 (automatic, did not fire) are "Non".
QString flashText(int flash);

} // namespace exif
