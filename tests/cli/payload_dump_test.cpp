// lumivelle-cli payload dump: the header, one line per record and the reader's verdict, on
// a show file written byte by byte.
#include "tests/cli_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

struct DumpRun {
    int exitCode = -1;
    QStringList out;
    QString err;
};

DumpRun dump(const QString &path)
{
    const CliRun run = runCli({QStringLiteral("payload"), QStringLiteral("dump"), path});
    return {run.exitCode, QString::fromUtf8(run.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
            QString::fromUtf8(run.errors)};
}

void put32(QByteArray &b, int at, qint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

QByteArray record(qint32 imageSize, qint32 style)
{
    QByteArray r(112, '\0');
    put32(r, 0, imageSize);
    put32(r, 4, 7);           // display time
    put32(r, 8, 0x0000FF);    // border colour: red
    r[12] = 1;                // border
    put32(r, 16, 0x123456);   // background
    r[20] = 3;
    r.replace(21, 3, "\xC9t\xE9", 3); // "Été" in code page 1252
    put32(r, 104, 0xC0C0C0);  // caption colour
    put32(r, 108, style);
    return r;
}

} // namespace

TEST(PayloadDump, PrintsEveryRecordAndWhereReadingStopped)
{
    QTemporaryDir dir;
    QByteArray file(10, '\x90'); // the "player"
    QByteArray header(84, '\0');
    header[0] = 8;
    header.replace(1, 8, "f\xEAte.mp3", 8);
    header[81] = 1;
    file += header + record(3, 56) + QByteArray("\xFF\xD8\xD9", 3) + record(0, 4) + record(-1, 9);
    QByteArray trailer(4, '\0');
    put32(trailer, 0, 10);
    file += trailer;
    const QString path = dir.filePath(QStringLiteral("show.exe"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    const DumpRun run = dump(path);
    EXPECT_EQ(run.exitCode, 1) << "a payload cut short is bad input";
    const QString common = QStringLiteral("time=7 border=1 border-colour=0000FF background=123456 caption-colour=C0C0C0");
    EXPECT_EQ(run.out, (QStringList{
                           QStringLiteral("header offset 10"),
                           QStringLiteral("music \"fête.mp3\" loop=1 copy=0 max-quality=0"),
                           QStringLiteral("record 0 offset=94 image-size=3 %1 style=56 caption=\"Été\"").arg(common),
                           QStringLiteral("record 1 offset=209 image-size=0 %1 style=4 caption=\"Été\"").arg(common),
                           QStringLiteral("verdict: 1 playable slide(s), 1 empty record(s); stopped at offset 321: "
                                          "taille d'image négative"),
                       }));
}

TEST(PayloadDump, AFileWithoutPayloadIsOneLineOnStandardError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.bin"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(300, '\x7F'));
    out.close();
    const DumpRun run = dump(path);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("ne contient pas de lumivelle")));
}

namespace {

// A file of 3 GB of zeros reads as a payload at offset 0 holding 28 million empty
// records: they come out as one line, and the dump keeps none of them in memory.
TEST(PayloadDump, GigabytesOfEmptyRecordsAreOneLineAndNoMemory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zeros.exe"));
    QFile zeros(path);
    ASSERT_TRUE(zeros.open(QIODevice::WriteOnly));
    ASSERT_TRUE(zeros.resize(qint64(3) << 30)); // sparse: no disk space taken
    zeros.close();

    const DumpRun run = dump(path);
    rusage children{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &children), 0);
    EXPECT_EQ(run.exitCode, 1);
    const qint64 records = ((qint64(3) << 30) - 4 - 84) / 112;
    const QString common = QStringLiteral("time=0 border=0 border-colour=000000 background=000000 caption-colour=000000");
    EXPECT_EQ(run.out, (QStringList{
                           QStringLiteral("header offset 0"),
                           QStringLiteral("music \"\" loop=0 copy=0 max-quality=0"),
                           QStringLiteral("record 0 offset=84 image-size=0 %1 style=0 caption=\"\"").arg(common),
                           QStringLiteral("records 1-%1 same as record 0").arg(records - 1),
                           QStringLiteral("verdict: 0 playable slide(s), %1 empty record(s); stopped at offset %2: "
                                          "fiche de diapositive incomplète")
                               .arg(records)
                               .arg(84 + records * 112),
                       }));
    EXPECT_LT(children.ru_maxrss, 200 * 1024) << "kilobytes at the most of the dump process";
}

// Only runs of the same empty record are shortened; records that differ keep their lines.
TEST(PayloadDump, OnlyRepeatsOfTheSameEmptyRecordAreShortened)
{
    QTemporaryDir dir;
    QByteArray file(10, '\x90');
    file += QByteArray(84, '\0');
    file += record(0, 1) + record(0, 1) + record(0, 1) + record(0, 2) + record(3, 2) + QByteArray("\xFF\xD8\xD9", 3)
        + record(0, 2) + record(0, 2);
    QByteArray trailer(4, '\0');
    put32(trailer, 0, 10);
    file += trailer;
    const QString path = dir.filePath(QStringLiteral("show.exe"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    const DumpRun run = dump(path);
    EXPECT_EQ(run.exitCode, 0);
    QStringList shape;
    for (const QString &line : run.out)
        shape << line.section(u' ', 0, 1);
    EXPECT_EQ(shape, (QStringList{"header offset", "music \"\"", "record 0", "records 1-2", "record 3", "record 4",
                                  "record 5", "records 6-6", "verdict: 1"}));
    EXPECT_EQ(run.out[3], QStringLiteral("records 1-2 same as record 0"));
}

} // namespace
