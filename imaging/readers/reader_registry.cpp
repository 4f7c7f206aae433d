// The table of format families and the extension list.
#include "imaging/readers/reader_registry.h"

#include "base/file_bytes.h"
#include "imaging/exif/orientation_tag.h"
#include "imaging/readers/format_decoders.h"
#include "imaging/readers/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace imaging::readers {
namespace {

// A Dr. Halo picture's palette: the .pal file of the same name beside it, whatever the
// case of its extension.
QByteArray companionPalette(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    const QStringList names = info.dir().entryList({info.completeBaseName() + QStringLiteral(".pal")}, QDir::Files);
    if (names.isEmpty())
        return {};
    constexpr qint64 kLargestPalette = 64 * 1024;
    return readFileBytes(info.dir().filePath(names.first()), kLargestPalette).value_or(QByteArray());
}

Result<QImage> decodeCutRequest(const DecodeRequest &r)
{
    return decodeCut(r.data, companionPalette(r.path));
}

Result<QImage> decodeJpegRequest(const DecodeRequest &r)
{
    return decodeJpegPicture(r.data, r.atLeast, r.turn);
}

template <Result<QImage> (*decoder)(QByteArrayView)>
Result<QImage> plain(const DecodeRequest &r)
{
    return decoder(r.data);
}

std::vector<ReaderFamily> buildFamilies()
{
    std::vector<ReaderFamily> f = {
        {"bmp", QStringLiteral("Bitmap Windows"), "interne", true, looksLikeBmp, bmpSize, plain<decodeBmp>, {}},
        {"ico", QStringLiteral("Icône Windows"), "interne", false, looksLikeIco, icoSize, plain<decodeIco>, {}},
        {"wmf", QStringLiteral("Métafichier Windows"), "interne (QPainter)", false, looksLikeMetafile, metafileSize, plain<decodeMetafile>, {}},
        {"jpeg", QStringLiteral("JPEG"), "libjpeg-turbo", false, looksLikeJpeg, jpegSize, decodeJpegRequest, {}},
        {"tga", QStringLiteral("Targa Truevision"), "interne", false, looksLikeTga, tgaSize, plain<decodeTga>, {}},
        {"tiff", QStringLiteral("TIFF"), "libtiff", false, looksLikeTiff, tiffSize, plain<decodeTiff>, {}},
        {"pcx", QStringLiteral("PCX ZSoft Paintbrush"), "interne", false, looksLikePcx, pcxSize, plain<decodePcx>, {}},
        {"rla", QStringLiteral("Alias/Wavefront"), "interne", false, looksLikeRla, rlaSize, plain<decodeRla>, {}},
        {"sgi", QStringLiteral("Image SGI"), "interne", false, looksLikeSgi, sgiSize, plain<decodeSgi>, {}},
        {"psd", QStringLiteral("Photoshop"), "interne", false, looksLikePsd, psdSize, plain<decodePsd>, {}},
        {"pnm", QStringLiteral("Bitmap portable (PBM/PGM/PPM)"), "interne", false, looksLikePnm, pnmSize, plain<decodePnm>, {}},
        {"cel", QStringLiteral("Autodesk Animator"), "interne", false, looksLikeAutodeskCel, autodeskCelSize, plain<decodeAutodeskCel>, {}},
        {"pcd", QStringLiteral("Kodak Photo-CD"), "interne", false, looksLikePhotoCd, photoCdSize, plain<decodePhotoCd>, {}},
        {"gif", QStringLiteral("GIF CompuServe"), "Qt", false, looksLikeGif, gifSize, plain<decodeGif>, {}},
        {"cut", QStringLiteral("Dr. Halo"), "interne", false, nullptr, cutSize, decodeCutRequest, {}},
        {"psp", QStringLiteral("Paint Shop Pro"), "interne", false, looksLikePsp, pspSize, plain<decodePsp>, {}},
        {"png", QStringLiteral("PNG"), "libpng", false, looksLikePng, pngSize, plain<decodePng>, {}},
    };
    // The two families whose files carry a camera's orientation tag.
    for (ReaderFamily &family : f) {
        if (qstrcmp(family.id, "jpeg") == 0) {
            family.orientationTag = exif::jpegOrientationTag;
            family.turnsWhileDecoding = true;
            family.reducesWhileDecoding = true;
        } else if (qstrcmp(family.id, "tiff") == 0) {
            family.orientationTag = exif::tiffOrientationTag;
        }
    }
    return f;
}

struct ExtensionEntry {
    const char *extension;
    const char *family;
};

// The program's order of the extensions.
constexpr ExtensionEntry kExtensions[] = {
    {"bmp", "bmp"}, {"ico", "ico"}, {"wmf", "wmf"}, {"emf", "wmf"}, {"jpg", "jpeg"}, {"jpeg", "jpeg"},
    {"rle", "bmp"}, {"dib", "bmp"}, {"win", "tga"}, {"vst", "tga"}, {"vda", "tga"}, {"tga", "tga"},
    {"icb", "tga"}, {"tiff", "tiff"}, {"tif", "tiff"}, {"fax", "tiff"}, {"pcx", "pcx"}, {"pcc", "pcx"},
    {"scr", "pcx"}, {"rpf", "rla"}, {"rla", "rla"}, {"sgi", "sgi"}, {"rgba", "sgi"}, {"rgb", "sgi"},
    {"bw", "sgi"}, {"psd", "psd"}, {"pdd", "psd"}, {"ppm", "pnm"}, {"pgm", "pnm"}, {"pbm", "pnm"},
    {"cel", "cel"}, {"pic", "cel"}, {"pcd", "pcd"}, {"gif", "gif"}, {"cut", "cut"}, {"psp", "psp"},
    {"png", "png"},
};

// Signatures are tried strongest first, so that a weak one (PCX, portable maps) never
// takes a file that a strong one recognises.
constexpr const char *kSniffOrder[] = {"png", "jpeg", "gif", "tiff", "bmp", "psd", "psp", "pcd", "wmf", "sgi",
                                       "cel", "rla", "ico", "tga", "pcx", "pnm"};

const ReaderFamily *familyById(const std::vector<ReaderFamily> &families, QLatin1StringView id)
{
    for (const ReaderFamily &f : families)
        if (id == QLatin1StringView(f.id))
            return &f;
    return nullptr;
}

QStringView withoutDot(QStringView extension)
{
    return extension.startsWith(u'.') ? extension.mid(1) : extension;
}

} // namespace

const std::vector<ReaderFamily> &readerFamilies()
{
    static const std::vector<ReaderFamily> families = [] {
        std::vector<ReaderFamily> f = buildFamilies();
        for (const ExtensionEntry &e : kExtensions)
            for (ReaderFamily &family : f)
                if (qstrcmp(family.id, e.family) == 0)
                    family.extensions << QString::fromLatin1(e.extension);
        return f;
    }();
    return families;
}

const ReaderFamily *familyForExtension(QStringView extension)
{
    const QStringView bare = withoutDot(extension);
    for (const ExtensionEntry &e : kExtensions)
        if (bare.compare(QLatin1StringView(e.extension), Qt::CaseInsensitive) == 0)
            return familyById(readerFamilies(), QLatin1StringView(e.family));
    return nullptr;
}

const ReaderFamily *familyForContent(QByteArrayView data, const ReaderFamily *except)
{
    for (const char *id : kSniffOrder) {
        const ReaderFamily *f = familyById(readerFamilies(), QLatin1StringView(id));
        if (f && f != except && f->sniff && f->sniff(data))
            return f;
    }
    return nullptr;
}

} // namespace imaging::readers

namespace imaging {

const QList<ImageExtension> &ExtensionList()
{
    static const QList<ImageExtension> list = [] {
        QList<ImageExtension> l;
        for (const readers::ExtensionEntry &e : readers::kExtensions) {
            const QString extension = QString::fromLatin1(e.extension);
            l.append(ImageExtension{extension, readers::familyForExtension(extension)->name});
        }
        return l;
    }();
    return list;
}

bool IsKnownImageExtension(QStringView extension)
{
    return readers::familyForExtension(extension) != nullptr;
}

} // namespace imaging
