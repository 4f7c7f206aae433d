#include "imaging/exif/exif_report.h"

#include "imaging/exif/exif_reader.h"

#include <QFileInfo>

namespace exif {

namespace {

constexpr int kLabelWidth = 18;
constexpr int kRuleLength = 59;

QString line(const QString &label, const QString &value)
{
    return label.leftJustified(kLabelWidth) + QStringLiteral(": ") + value;
}

QStringList fileLines(const TImageInfo &info, const ExifLocale &locale)
{
    return {
        line(u"Nom du fichier"_qs, QFileInfo(info.fileName).fileName()),
        line(u"Date du fichier"_qs, info.fileDate.date().toString(locale.shortDateFormat)),
        line(u"Taille du fichier"_qs, QString::number(info.fileSize / 1000) + u" Ko"_qs),
        QString(kRuleLength, u'_'),
        QString(),
    };
}

void addIfKnown(QStringList &lines, const QString &label, const QString &value)
{
    if (!value.isEmpty())
        lines << line(label, value);
}

QString numberIfKnown(std::int32_t value)
{
    return isKnown(value) ? QString::number(value) : QString();
}

QString generalIfKnown(double value, QChar separator)
{
    return isKnown(value) ? formatGeneral(value, separator) : QString();
}

} // namespace

QStringList exifReportLines(bool readOk, const TImageInfo &info, const ExifLocale &locale)
{
    if (!readOk)
        return {QString::fromUtf16(kNoExifInformation)};
    const QChar separator = locale.decimalSeparator;
    QStringList lines = fileLines(info, locale);
    addIfKnown(lines, u"Date de la photo"_qs, info.photoDate);
    addIfKnown(lines, u"Largeur"_qs, numberIfKnown(info.width));
    addIfKnown(lines, u"Hauteur"_qs, numberIfKnown(info.height));
    addIfKnown(lines, u"Marque"_qs, info.cameraMake);
    addIfKnown(lines, u"Modèle"_qs, info.cameraModel);
    addIfKnown(lines, u"Flash"_qs, isKnown(info.flash) ? flashText(info.flash) : QString());
    addIfKnown(lines, u"Focale"_qs, isKnown(info.focalLength) ? focalText(info.focalLength, separator) : QString());
    addIfKnown(lines, u"Vitesse"_qs, speedText(info.exposureTime).value_or(QString()));
    addIfKnown(lines, u"Ouverture"_qs, generalIfKnown(info.fNumber, separator));
    addIfKnown(lines, u"Distance"_qs, generalIfKnown(info.subjectDistance, separator));
    addIfKnown(lines, u"CCDWidth"_qs, generalIfKnown(info.sensorWidth, separator));
    addIfKnown(lines, u"Commentaires"_qs, info.userComment);
    return lines;
}

QStringList exifReportForFile(const QString &path, const ExifLocale &locale)
{
    TImageInfo info;
    const bool ok = ReadExif(path, info);
    return exifReportLines(ok, info, locale);
}

} // namespace exif
