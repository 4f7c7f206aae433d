// The album file: header and record layouts on bytes written by hand, the loader's rules
// (refusals, records read to the end, empty records skipped, damaged data) and saving.
#include "album_test_support.h"
#include "documents/album/album_list.h"
#include "documents/album/ccl_format.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace album;
using namespace album_test;

namespace {

void put32(QByteArray &bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

// A length-prefixed string written byte by byte.
void putText(QByteArray &bytes, int offset, const QByteArray &text)
{
    bytes[offset] = char(text.size());
    for (int i = 0; i < text.size(); ++i)
        bytes[offset + 1 + i] = text[i];
}

QByteArray handHeader(quint8 identityLength, quint8 versionLength, qint32 count)
{
    QByteArray header(28, '\0');
    putText(header, 0, "Lumivelle");
    header[0] = char(identityLength);
    putText(header, 11, "3000");
    header[11] = char(versionLength);
    put32(header, 24, quint32(count));
    return header;
}

QByteArray handRecord()
{
    QByteArray record(592, '\0');
    putText(record, 0, "/photos/\xC9t\xE9/plage.jpg");
    putText(record, 256, "Saint-Malo");
    put32(record, 308, 4000);
    put32(record, 312, 3000);
    put32(record, 316, 2600000);
    putText(record, 320, "2007:08:09 10:11:12");
    putText(record, 351, "EASTMAN KODAK COMPANYKODAK DX4530");
    putText(record, 402, "Oui");
    putText(record, 423, "5,8 (32 mm)");
    putText(record, 444, "1/60");
    putText(record, 465, "5,6");
    putText(record, 486, "Vacances 2007");
    putText(record, 567, "mer");
    put32(record, 588, 1234);
    return record;
}

QString fixture(const QString &name)
{
    return QStringLiteral(LUMIVELLE_FIXTURES "/documents/") + name;
}

} // namespace

TEST(CclLayout, HeaderHoldsBothSignaturesWithLengthBytesZerosAndTheCount)
{
    QByteArray expected(28, '\0');
    expected.replace(0, 10, QByteArray("\x09Lumivelle"));
    expected.replace(11, 5, QByteArray("\x04" "3000"));
    put32(expected, 24, 3);
    EXPECT_EQ(encodeCclHeader(3), expected);
    EXPECT_EQ(acceptedEntryCount(expected), 3);
}

TEST(CclLayout, HeaderRefusals)
{
    EXPECT_EQ(acceptedEntryCount(handHeader(9, 4, 2)), 2);
    // The comparison includes the length bytes: the characters alone are not enough.
    EXPECT_FALSE(acceptedEntryCount(handHeader(8, 4, 2)));
    EXPECT_FALSE(acceptedEntryCount(handHeader(9, 5, 2)));
    EXPECT_FALSE(acceptedEntryCount(handHeader(9, 4, 0)));
    EXPECT_FALSE(acceptedEntryCount(handHeader(9, 4, -1)));
    EXPECT_FALSE(acceptedEntryCount(handHeader(9, 4, 2).left(27)));
    QByteArray otherVersion = handHeader(9, 4, 2);
    otherVersion[15] = '1';
    EXPECT_FALSE(acceptedEntryCount(otherVersion));
    // Bytes 10 and 16-23 carry no meaning.
    QByteArray noise = handHeader(9, 4, 2);
    noise[10] = 'x';
    noise[20] = 'y';
    EXPECT_EQ(acceptedEntryCount(noise), 2);
}

TEST(CclLayout, RecordFieldsAtTheirOffsetsBothWays)
{
    const QByteArray record = handRecord();
    const CclRecord decoded = decodeCclRecord(record);
    EXPECT_EQ(decoded.path, QStringLiteral("/photos/Été/plage.jpg"));
    EXPECT_EQ(decoded.entry.place, QStringLiteral("Saint-Malo"));
    EXPECT_EQ(decoded.entry.width, 4000);
    EXPECT_EQ(decoded.entry.height, 3000);
    EXPECT_EQ(decoded.entry.fileSize, 2600000);
    EXPECT_EQ(decoded.entry.date, QStringLiteral("2007:08:09 10:11:12"));
    EXPECT_EQ(decoded.entry.camera, QStringLiteral("EASTMAN KODAK COMPANYKODAK DX4530"));
    EXPECT_EQ(decoded.entry.flash, QStringLiteral("Oui"));
    EXPECT_EQ(decoded.entry.focal, QStringLiteral("5,8 (32 mm)"));
    EXPECT_EQ(decoded.entry.speed, QStringLiteral("1/60"));
    EXPECT_EQ(decoded.entry.aperture, QStringLiteral("5,6"));
    EXPECT_EQ(decoded.entry.comment, QStringLiteral("Vacances 2007"));
    EXPECT_EQ(decoded.entry.keyword, QStringLiteral("mer"));
    EXPECT_EQ(decoded.jpegSize, 1234);
    // Writing the same values gives the same bytes: code page 1252, zeros everywhere else.
    EXPECT_EQ(encodeCclRecord(decoded.path, decoded.entry, 1234), record);
}

TEST(CclLayout, TextsAreCutToTheirCapacities)
{
    TEnrData_C entry;
    for (AlbumField field : kAlbumFields)
        entry.text(field) = QString(300, u'x');
    const QString longPath = QStringLiteral("/") + QString(299, u'p');
    const QByteArray record = encodeCclRecord(longPath, entry, 0);
    ASSERT_EQ(record.size(), 592);
    const CclRecord decoded = decodeCclRecord(record);
    EXPECT_EQ(decoded.path, longPath.left(255));
    EXPECT_EQ(quint8(record[0]), 255);
    EXPECT_EQ(decoded.entry.place.size(), 50);
    EXPECT_EQ(decoded.entry.date.size(), 30);
    EXPECT_EQ(decoded.entry.camera.size(), 50);
    for (AlbumField field : {AlbumField::Flash, AlbumField::Focal, AlbumField::Speed, AlbumField::Aperture,
                             AlbumField::Keyword})
        EXPECT_EQ(decoded.entry.text(field).size(), 20);
    EXPECT_EQ(decoded.entry.comment.size(), 80);
    EXPECT_EQ(record[307], '\0'); // the unused byte after the place
}

TEST(CclLayout, PathsInOtherScriptsSurviveAsUtf8)
{
    const QString cyrillic = QStringLiteral("/фото/Москва/зима.jpg");
    const QString greek = QStringLiteral("/φωτογραφίες/") + QString(150, QChar(0x03B1)) + QStringLiteral(".jpg");
    EXPECT_EQ(decodeCclRecord(encodeCclRecord(cyrillic, {}, 0)).path, cyrillic);
    // Too long for 255 bytes of UTF-8: cut at a character boundary, never half a letter.
    const QString cut = decodeCclRecord(encodeCclRecord(greek, {}, 0)).path;
    EXPECT_TRUE(greek.startsWith(cut));
    EXPECT_LE(cut.toUtf8().size(), 255);
    EXPECT_GE(cut.toUtf8().size(), 254);
}

TEST(CclLoad, FixtureAlbumSkipsTheRecordWithoutThumbnail)
{
    AlbumList list;
    ASSERT_TRUE(loadAlbumFile(fixture("vacances.ccl"), list));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.path(0), QStringLiteral("/photos/Été/plage.jpg"));
    const TEnrData_C &plage = list.entry(0);
    EXPECT_EQ(plage.width, 4000);
    EXPECT_EQ(plage.height, 3000);
    EXPECT_EQ(plage.fileSize, 2600000);
    EXPECT_EQ(plage.place, QStringLiteral("Saint-Malo"));
    EXPECT_EQ(plage.camera, QStringLiteral("EASTMAN KODAK COMPANYKODAK DX4530"));
    EXPECT_EQ(plage.focal, QStringLiteral("5,8 (32 mm)"));
    EXPECT_EQ(plage.speed, QString());
    EXPECT_EQ(plage.keyword, QStringLiteral("mer"));
    EXPECT_EQ(plage.thumbnail.size(), QSize(100, 75));
    EXPECT_GT(qRed(plage.thumbnail.pixel(50, 37)), 200);
    EXPECT_FALSE(plage.selected);
    EXPECT_EQ(list.path(1), QStringLiteral("/photos/Été/chat.jpg"));
    EXPECT_EQ(list.entry(1).keyword, QStringLiteral("chat"));
    EXPECT_EQ(list.entry(1).thumbnail.size(), QSize(75, 100));
    EXPECT_GT(qGreen(list.entry(1).thumbnail.pixel(37, 50)), 100);
}

TEST(CclLoad, RecordsAreReadToTheEndWhateverTheCountSays)
{
    const QByteArray records = recordBytes("/a.jpg", entryWith(10, 10, 1)) + emptyRecordBytes("/skip.jpg") +
                               recordBytes("/b.jpg", entryWith(20, 10, 2)) + recordBytes("/c.jpg", entryWith(5, 5, 3));
    for (int count : {1, 3, 7}) {
        AlbumList list;
        int started = -1, steps = 0;
        Progress progress{[&](int total) { started = total; }, [&] { ++steps; }};
        ASSERT_TRUE(readAlbum(encodeCclHeader(count) + records, list, progress)) << count;
        ASSERT_EQ(list.count(), 3) << count;
        EXPECT_EQ(list.path(0), QStringLiteral("/a.jpg"));
        EXPECT_EQ(list.path(1), QStringLiteral("/b.jpg")); // read directly after the empty record
        EXPECT_EQ(list.entry(1).width, 20);
        EXPECT_EQ(list.path(2), QStringLiteral("/c.jpg"));
        EXPECT_EQ(started, count);
        EXPECT_EQ(steps, 3);
    }
}

TEST(CclLoad, ForeignAndDamagedFilesAreTold)
{
    const QByteArray good = encodeCclHeader(2) + recordBytes("/a.jpg", entryWith(10, 10, 1)) +
                            recordBytes("/b.jpg", entryWith(10, 10, 1));
    const int firstJpeg = 28 + 592;
    const qint32 firstJpegSize = qFromLittleEndian<qint32>(good.constData() + 28 + 588);

    auto problemOf = [](const QByteArray &bytes) -> std::optional<LoadProblem> {
        AlbumList list;
        const auto read = readAlbum(bytes, list);
        if (read)
            return std::nullopt;
        EXPECT_EQ(read.error().message, QStringLiteral("Fichier non compatible avec cette version de Lumivelle"));
        return read.error().problem;
    };
    EXPECT_EQ(problemOf(good), std::nullopt);
    EXPECT_EQ(problemOf(QByteArray()), LoadProblem::Foreign);
    EXPECT_EQ(problemOf(QByteArray("GIF89a") + QByteArray(100, 'x')), LoadProblem::Foreign);
    EXPECT_EQ(problemOf(encodeCclHeader(0)), LoadProblem::Foreign); // what saving an empty album writes
    EXPECT_EQ(problemOf(good.left(28 + 300)), LoadProblem::Damaged);            // ends inside a record
    EXPECT_EQ(problemOf(good.left(firstJpeg + firstJpegSize / 2)), LoadProblem::Damaged); // inside a thumbnail
    EXPECT_EQ(problemOf(good.left(good.size() - 1)), LoadProblem::Damaged);     // the last byte missing

    QByteArray runsPast = good;
    put32(runsPast, 28 + 588, quint32(good.size()));
    EXPECT_EQ(problemOf(runsPast), LoadProblem::Damaged);
    QByteArray negative = good;
    put32(negative, 28 + 588, quint32(-5));
    EXPECT_EQ(problemOf(negative), LoadProblem::Damaged);
    QByteArray notJpeg = good;
    notJpeg.replace(firstJpeg, 4, "PNG!");
    EXPECT_EQ(problemOf(notJpeg), LoadProblem::Damaged);
    // A "thumbnail" larger than 100 x 100 is not one.
    const QByteArray big = encodeAlbumThumbnail(plainThumbnail(101, 40, Qt::blue));
    QByteArray tooLarge = encodeCclHeader(1) + encodeCclRecord("/big.jpg", {}, qint32(big.size())) + big;
    EXPECT_EQ(problemOf(tooLarge), LoadProblem::Damaged);
}

TEST(CclLoad, UnreadableFileIsForeign)
{
    QTemporaryDir dir;
    AlbumList list;
    const auto missing = loadAlbumFile(dir.filePath("absent.ccl"), list);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().problem, LoadProblem::Foreign);
    const auto folder = loadAlbumFile(dir.path(), list);
    ASSERT_FALSE(folder);
    EXPECT_EQ(list.count(), 0);
}

TEST(CclSave, RoundTripKeepsEveryFieldAndTheOrder)
{
    QTemporaryDir dir;
    AlbumList list;
    TEnrData_C first = entryWith(640, 480, 123456, Qt::blue);
    for (AlbumField field : kAlbumFields)
        first.text(field) = QStringLiteral("é%1").arg(int(field));
    first.selected = true; // never stored
    list.append(QStringLiteral("/photos/Ελλάδα/α.jpg"), first);
    list.append(QStringLiteral("/photos/b.jpg"), entryWith(80, 100, 7, Qt::green));
    const QString path = dir.filePath("album.ccl");
    int steps = 0;
    ASSERT_TRUE(writeAlbumFile(path, list, {{}, [&] { ++steps; }}));
    EXPECT_EQ(steps, 2);

    const QByteArray bytes = readBytes(path);
    EXPECT_EQ(bytes.left(28), encodeCclHeader(2));
    AlbumList back;
    ASSERT_TRUE(loadAlbumFile(path, back));
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.path(0), QStringLiteral("/photos/Ελλάδα/α.jpg"));
    for (AlbumField field : kAlbumFields)
        EXPECT_EQ(back.entry(0).text(field), first.text(field));
    EXPECT_EQ(back.entry(0).width, 640);
    EXPECT_EQ(back.entry(0).fileSize, 123456);
    EXPECT_FALSE(back.entry(0).selected);
    EXPECT_EQ(back.entry(0).thumbnail.size(), QSize(100, 100));
    EXPECT_GT(qBlue(back.entry(0).thumbnail.pixel(50, 50)), 200);
    EXPECT_EQ(back.path(1), QStringLiteral("/photos/b.jpg"));
    EXPECT_EQ(back.entry(1).thumbnail.size(), QSize(80, 100));
}

TEST(CclSave, EntryWithoutThumbnailIsKeptWithAPlaceholder)
{
    QTemporaryDir dir;
    AlbumList list;
    TEnrData_C undecodable; // 0 x 0, empty thumbnail: a picture that could not be decoded
    undecodable.fileSize = 42;
    undecodable.comment = QStringLiteral("illisible");
    list.append(QStringLiteral("/cassée.jpg"), undecodable);
    list.append(QStringLiteral("/bonne.jpg"), entryWith(10, 10, 1));
    const QString path = dir.filePath("album.ccl");
    ASSERT_TRUE(writeAlbumFile(path, list));
    AlbumList back;
    ASSERT_TRUE(loadAlbumFile(path, back));
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.path(0), QStringLiteral("/cassée.jpg"));
    EXPECT_EQ(back.entry(0).comment, QStringLiteral("illisible"));
    EXPECT_EQ(back.entry(0).fileSize, 42);
    EXPECT_FALSE(back.entry(0).thumbnail.isNull());
}

TEST(CclSave, EmptyAlbumWritesTheHeaderOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vide.ccl");
    ASSERT_TRUE(writeAlbumFile(path, AlbumList{}));
    EXPECT_EQ(readBytes(path), encodeCclHeader(0));
}

TEST(CclSave, ReadOnlyFileIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("protégé.ccl");
    ASSERT_TRUE(writeBytes(path, "old bytes"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_TRUE(isReadOnlyFile(path));
    AlbumList list;
    list.append("/a.jpg", entryWith(10, 10, 1));
    const auto written = writeAlbumFile(path, list);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().message,
              QStringLiteral("Impossible d'enregistrer l'album :\n\nle fichier < protégé.ccl > est en lecture seule,\n"
                             "utilisez l'explorateur de Windows afin de localiser\nce fichier et de décocher cet attribut."));
    EXPECT_EQ(readBytes(path), QByteArray("old bytes"));
    EXPECT_FALSE(isReadOnlyFile(dir.filePath("absent.ccl")));
}

TEST(CclSave, FailedWriteLeavesThePreviousAlbum)
{
    QTemporaryDir dir;
    // A folder standing where the file should go: nothing can be written there, and the
    // failure says so instead of claiming success.
    const QString path = dir.filePath("dossier.ccl");
    ASSERT_TRUE(QDir().mkpath(path));
    AlbumList list;
    list.append("/a.jpg", entryWith(10, 10, 1));
    const auto written = writeAlbumFile(path, list);
    ASSERT_FALSE(written);
    EXPECT_TRUE(written.error().message.contains(QStringLiteral("dossier.ccl")));
    EXPECT_TRUE(QFileInfo(path).isDir());
}
