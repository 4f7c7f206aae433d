#pragma once
// The reader registry: one entry per format family with its extensions, its signature
// test, its header-only size reader and its decoder.
#include "base/result.h"
#include "imaging/orientation.h"

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace imaging::readers {

struct DecodeRequest {
    QByteArrayView data;
    QString path;   // the file's path when there is one (Dr. Halo pictures look for their palette)
    QSize atLeast;  // JPEG may decode at a reduced scale no smaller than this (upright)
    Orientation turn = Orientation::Normal; // for a family that turns while decoding
};

struct ReaderFamily {
    const char *id;          // "bmp", "tga", ...
    QString name;            // French, as shown to users
    const char *engine;      // what decodes it: "interne", "libtiff", "Qt", "libjpeg-turbo"
    bool plainBitmap;        // the Windows bitmap family
    bool (*sniff)(QByteArrayView);                  // nullptr: the format has no signature
    std::optional<QSize> (*size)(QByteArrayView);   // header only
    Result<QImage> (*decode)(const DecodeRequest &);
    QStringList extensions;  // filled from the extension list, in its order
    // The orientation tag the content carries (exif/orientation_tag.h: 0 for none);
    // nullptr for families that have none.
    int (*orientationTag)(QByteArrayView) = nullptr;
    bool turnsWhileDecoding = false;   // the decoder honours DecodeRequest::turn itself
    bool reducesWhileDecoding = false; // the decoder honours DecodeRequest::atLeast
};

// The families in the order of the extension table.
const std::vector<ReaderFamily> &readerFamilies();

// The family of an extension ("jpg", ".JPG", compared without regard to case), or null.
const ReaderFamily *familyForExtension(QStringView extension);

// The first family whose signature the data carries, skipping `except`; null when none.
const ReaderFamily *familyForContent(QByteArrayView data, const ReaderFamily *except = nullptr);

} // namespace imaging::readers

namespace imaging {

struct ImageExtension {
    QString extension; // lower case, without the dot
    QString family;    // the format family's name
};

// The 37 image extensions, in the program's order: bmp, ico, wmf, emf, jpg, jpeg, rle,
// dib, win, vst, vda, tga, icb, tiff, tif, fax, pcx, pcc, scr, rpf, rla, sgi, rgba, rgb,
// bw, psd, pdd, ppm, pgm, pbm, cel, pic, pcd, gif, cut, psp, png.
const QList<ImageExtension> &ExtensionList();

// "jpg", "JPG" and ".jpg" are all known.
bool IsKnownImageExtension(QStringView extension);

} // namespace imaging
