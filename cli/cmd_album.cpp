// lumivelle-cli album: the album file (.ccl) from a shell.
//   album dump FILE.ccl       the header, one line per record, then the loader's verdict
//   album add FILE.ccl IMAGE... [--locale NAME] [--plain]
//                             adds pictures as the explorer's "Ajouter les images à l'album"
//                             does and saves the album as the editor does
// The commands read no Lumivelle.cfg: thumbnails use the Triangle filter unless --plain.
#include "base/byte_view.h"
#include "cli/command_registry.h"
#include "documents/album/album_building.h"
#include "documents/album/album_list.h"
#include "documents/album/ccl_format.h"
#include "imaging/jpeg_codec.h"
#include "imaging/scan/picture_loading.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>

namespace {

void printLine(const QStringList &fields)
{
    std::printf("%s\n", fields.join(u'\t').toUtf8().constData());
}

void printErrorLine(const QString &text)
{
    std::fprintf(stderr, "lumivelle-cli: %s\n", text.toUtf8().constData());
}

QString signature(const ByteView &bytes, int offset)
{
    const int length = bytes.u8(offset);
    return QStringLiteral("%1:%2").arg(length).arg(QString::fromLatin1(bytes.slice(offset + 1, std::min(length, 9))));
}

QString thumbnailText(QByteArrayView jpeg)
{
    const auto info = imaging::readJpegInfo(jpeg);
    return info ? QStringLiteral("%1x%2").arg(info->width).arg(info->height) : QStringLiteral("illisible");
}

// One line per record as far as the bytes go: number, path, width, height, file size,
// the nine texts, JPEG byte count and thumbnail size.
void dumpRecords(const ByteView &bytes)
{
    qint64 position = album::kCclHeaderSize;
    for (int number = 1; position < bytes.size(); ++number) {
        if (!bytes.has(position, album::kCclRecordSize)) {
            printLine({QStringLiteral("tronqué"), QString::number(number)});
            return;
        }
        const album::CclRecord record = album::decodeCclRecord(bytes.slice(position, album::kCclRecordSize));
        position += album::kCclRecordSize;
        QStringList line{QStringLiteral("enregistrement"), QString::number(number), record.path,
                         QString::number(record.entry.width), QString::number(record.entry.height),
                         QString::number(record.entry.fileSize)};
        for (album::AlbumField field : album::kAlbumFields)
            line << record.entry.text(field);
        line << QStringLiteral("jpeg=%1").arg(record.jpegSize);
        if (record.jpegSize == 0)
            line << QStringLiteral("ignoré");
        else if (bytes.has(position, record.jpegSize))
            line << thumbnailText(bytes.slice(position, record.jpegSize));
        else
            line << QStringLiteral("tronqué");
        printLine(line);
        if (record.jpegSize < 0 || !bytes.has(position, record.jpegSize))
            return;
        position += record.jpegSize;
    }
}

int runDump(const QStringList &args)
{
    if (args.size() != 1)
        return cli::badInput(QStringLiteral("usage : album dump FICHIER.ccl"));
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly))
        return cli::badInput(QStringLiteral("impossible de lire « %1 » : %2").arg(args.first(), file.errorString()));
    const QByteArray data = file.readAll();
    const ByteView bytes(data);
    printLine({QStringLiteral("en-tête"), signature(bytes, album::ccl::kIdentity),
               signature(bytes, album::ccl::kVersion),
               bytes.has(album::ccl::kEntryCount, 4) ? QString::number(bytes.le32s(album::ccl::kEntryCount))
                                                     : QStringLiteral("tronqué")});
    if (album::acceptedEntryCount(data))
        dumpRecords(bytes);
    album::AlbumList list;
    const auto loaded = album::readAlbum(data, list);
    if (!loaded) {
        const bool foreign = loaded.error().problem == album::LoadProblem::Foreign;
        return cli::badInput(QStringLiteral("%1 : %2 (%3)")
                                 .arg(args.first(), loaded.error().message,
                                      foreign ? QStringLiteral("en-tête refusé") : QStringLiteral("album endommagé")));
    }
    printLine({QStringLiteral("verdict"), QStringLiteral("chargé"), QStringLiteral("%1 entrées").arg(list.count())});
    return cli::kExitOk;
}

// The album at `path`, or a new one when the file does not exist.
std::optional<album::AlbumList> openOrStart(const QString &path)
{
    album::AlbumList list;
    if (!QFileInfo::exists(path))
        return list;
    if (const auto loaded = album::loadAlbumFile(path, list); !loaded) {
        printErrorLine(QStringLiteral("%1 : %2").arg(path, loaded.error().message));
        return std::nullopt;
    }
    return list;
}

int runAdd(const QStringList &args)
{
    cli::Options options(args);
    const std::optional<QString> localeName = options.value(QStringLiteral("locale"));
    const bool plain = options.flag(QStringLiteral("plain"));
    if (const auto unknown = options.unknownOption())
        return cli::badInput(QStringLiteral("option inconnue « %1 »").arg(*unknown));
    if (options.positional().size() < 2)
        return cli::badInput(QStringLiteral("usage : album add FICHIER.ccl IMAGE... [--locale fr_FR] [--plain]"));
    const QString albumPath = QFileInfo(options.positional().first()).absoluteFilePath();
    auto list = openOrStart(albumPath);
    if (!list)
        return cli::kExitBadInput;
    const exif::ExifLocale locale =
        exif::ExifLocale::fromQLocale(localeName ? QLocale(*localeName) : QLocale::system());
    QStringList failed;
    int added = 0;
    for (const QString &image : options.positional().mid(1)) {
        const QString path = QFileInfo(image).absoluteFilePath();
        if (list->containsPath(path))
            continue;
        if (!QFileInfo(path).isFile()) {
            failed << QStringLiteral("introuvable : %1").arg(path);
            continue;
        }
        const auto explorerEntry = editor::loadThumbnailEntry(path, !plain);
        if (!explorerEntry) {
            failed << QStringLiteral("illisible : %1").arg(path);
            continue;
        }
        album::TEnrData_C entry;
        album::buildEntryFromExplorerEntry(path, entry, *explorerEntry, locale);
        list->append(path, std::move(entry));
        printLine({QStringLiteral("ajoutée"), path});
        ++added;
    }
    if (list->isEmpty()) {
        // An album of no entry is never written: the editor could not open it.
        failed << QStringLiteral("non écrit, aucune image : %1").arg(albumPath);
    } else if (added > 0) {
        if (const auto written = album::writeAlbumFile(albumPath, *list); !written)
            failed << QStringLiteral("non écrit : %1").arg(QString(written.error().message).replace(u'\n', u' '));
    }
    for (const QString &failure : failed)
        printErrorLine(failure);
    return failed.isEmpty() ? cli::kExitOk : cli::kExitBadInput;
}

int runAlbum(const QStringList &args)
{
    if (args.value(0) == QStringLiteral("dump"))
        return runDump(args.mid(1));
    if (args.value(0) == QStringLiteral("add"))
        return runAdd(args.mid(1));
    return cli::badInput(QStringLiteral("usage : album dump FICHIER.ccl | album add FICHIER.ccl IMAGE... "
                                        "[--locale fr_FR] [--plain]"));
}

} // namespace

CLI_COMMAND("album", "dump FILE.ccl | add FILE.ccl IMAGE... [--locale NAME] [--plain]",
            "dump: the album's header, one line per record and the loader's verdict; add: adds pictures "
            "(absolute paths, EXIF texts, Triangle thumbnails unless --plain) and saves the album",
            false, runAlbum);
