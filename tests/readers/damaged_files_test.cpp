// Damaged and forged files: every reader fails cleanly instead of crashing, hanging or
// allocating what the header claims.
#include "imaging/readers/format_decoders.h"
#include "imaging/readers/picture_loader.h"
#include "imaging/readers/reader_registry.h"
#include "test_bytes.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

std::vector<QString> fixturePaths()
{
    std::vector<QString> paths;
    QDirIterator it(QStringLiteral(LUMIVELLE_FIXTURES "/images"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String(".pal")))
            paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

void expectSanePicture(const Result<imaging::LoadedPicture> &result, const QString &what)
{
    if (!result) {
        EXPECT_FALSE(result.error().message.isEmpty()) << what.toStdString();
        return;
    }
    const QImage &image = result->image;
    EXPECT_TRUE(image.format() == QImage::Format_BGR888 || image.format() == QImage::Format_ARGB32) << what.toStdString();
    EXPECT_FALSE(image.isNull()) << what.toStdString();
}

// Each fixture cut short at several places and with bytes overwritten (a fixed sequence,
// so a failure repeats): the reader of its extension must fail or give a sane picture.
TEST(DamagedFixtures, TruncatedAndCorruptedCopiesNeverBreakTheReaders)
{
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const QString &path : fixturePaths()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString extension = QFileInfo(path).suffix();
        for (int cut : {1, 2, 8, 17, 100, 512, 741, int(bytes.size() / 2), int(bytes.size() - 1)})
            if (cut < bytes.size())
                expectSanePicture(imaging::DecodePicture(bytes.first(cut), extension), path + QStringLiteral(" cut"));
        for (int round = 0; round < 12; ++round) {
            QByteArray damaged = bytes;
            const int span = round < 6 ? std::min<int>(int(damaged.size()), 64) : int(damaged.size());
            for (int i = 0; i < 4; ++i)
                damaged[next() % span] = char(next() >> 24);
            expectSanePicture(imaging::DecodePicture(damaged, extension), path + QStringLiteral(" damaged"));
        }
    }
}

// A file cut short never decodes into a wrong picture: the reader fails, or what it gives
// is the whole file's picture (the part cut off held nothing the picture needs). Every
// fixture is cut after each eighth of its bytes and one byte before its end.
TEST(DamagedFixtures, ACutFileFailsOrGivesTheWholePicture)
{
    QStringList wrong;
    for (const QString &path : fixturePaths()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString extension = QFileInfo(path).suffix();
        const auto whole = imaging::DecodePicture(bytes, extension);
        if (!whole)
            continue;
        std::vector<qsizetype> cuts{bytes.size() - 1};
        for (int eighth = 1; eighth < 8; ++eighth)
            cuts.push_back(bytes.size() * eighth / 8);
        for (const qsizetype cut : cuts) {
            const auto part = imaging::DecodePicture(bytes.first(cut), extension);
            if (part && part->image != whole->image)
                wrong << QStringLiteral("%1 cut at %2 of %3").arg(QFileInfo(path).fileName()).arg(cut).arg(bytes.size());
        }
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// A header of each family claiming a picture wider than 30000 pixels (or, for one, more
// than 400 megapixels).
std::vector<std::pair<const char *, QByteArray>> oversizedHeaders()
{
    Bytes bmp;
    bmp.text("BM").le32(0).le32(0).le32(54).le32(40).le32(30001).le32(1).le16(1).le16(24).zeros(24).zeros(200);
    Bytes tga;
    tga.u8s({0, 0, 2}).zeros(9).le16(30001).le16(1).u8(24).u8(0).zeros(100);
    Bytes pcx;
    pcx.u8s({0x0A, 5, 1, 8}).le16(0).le16(0).le16(30000).le16(0).zeros(53).u8(1).le16(30002).zeros(60).zeros(100);
    Bytes sgi;
    sgi.be16(474).u8(0).u8(1).be16(2).be16(40000).be16(1).be16(1).padTo(512).zeros(100);
    Bytes psd;
    psd.text("8BPS").be16(1).zeros(6).be16(3).be32(1).be32(30001).be16(8).be16(3).zeros(12).be16(0).zeros(100);
    Bytes cel;
    cel.le16(0x9119).le16(40000).le16(1).zeros(4).u8(8).u8(0).zeros(20).zeros(800);
    Bytes cut;
    cut.le16(40000).le16(1).le16(0).zeros(100);
    Bytes rla;
    rla.be16(0).be16(0).be16(0).be16(0).be16(0).be16(30000).be16(0).be16(0).be16(1).be16(0).be16(3).padTo(658).be16(8).padTo(744);
    Bytes pnm;
    pnm.text("P6 30001 1 255\n").zeros(100000);
    Bytes ihdr;
    ihdr.text("IHDR").be32(30001).be32(1).u8s({8, 2, 0, 0, 0});
    Bytes png;
    png.raw(QByteArray("\x89PNG\r\n\x1a\n", 8)).be32(13).raw(ihdr)
        .be32(crc32(0, reinterpret_cast<const Bytef *>(ihdr.data().data()), uInt(ihdr.size()))).zeros(50);
    Bytes gif;
    gif.text("GIF89a").le16(40000).le16(1).u8s({0, 0, 0}).u8(0x2C).le16(0).le16(0).le16(40000).le16(1).u8(0).u8(2).zeros(30);
    Bytes tiff;
    tiff.text("II").le16(42).le32(8).le16(5).le16(256).le16(4).le32(1).le32(30001).le16(257).le16(4).le32(1).le32(1)
        .le16(258).le16(3).le32(1).le32(8).le16(273).le16(4).le32(1).le32(80).le16(279).le16(4).le32(1).le32(30001)
        .le32(0).zeros(100);
    Bytes jpeg;
    jpeg.u8s({0xFF, 0xD8, 0xFF, 0xC0}).be16(11).u8(8).be16(1).be16(65000).u8(1).u8s({1, 0x11, 0})
        .u8s({0xFF, 0xDA}).be16(8).u8s({1, 1, 0, 0, 63, 0}).u8s({0xFF, 0xD9});
    Bytes flic;
    flic.le32(0).le16(0xAF12).le16(1).le16(40000).le16(1).le16(8).padTo(128).le32(16).le16(0xF1FA).zeros(10);
    Bytes ico;
    ico.le16(0).le16(1).le16(1).u8s({0, 0, 0, 0}).le16(1).le16(32).le32(40 + 100).le32(22)
        .le32(40).le32(30001).le32(2).le16(1).le16(32).zeros(24).zeros(100);
    // 25000 x 25000: each side allowed, 625 megapixels are not.
    Bytes squareTga;
    squareTga.u8s({0, 0, 2}).zeros(9).le16(25000).le16(25000).u8(24).u8(0).zeros(100);
    return {{"bmp", bmp}, {"tga", tga}, {"pcx", pcx}, {"sgi", sgi}, {"psd", psd}, {"cel", cel}, {"cel", flic},
            {"cut", cut}, {"rla", rla}, {"pnm", pnm}, {"png", png}, {"gif", gif}, {"tiff", tiff}, {"jpeg", jpeg},
            {"ico", ico}, {"tga", squareTga}};
}

TEST(DamagedFixtures, PicturesOverThirtyThousandPixelsASideAreRefusedAtOnce)
{
    for (const auto &[id, bytes] : oversizedHeaders()) {
        const ReaderFamily *family = nullptr;
        for (const ReaderFamily &f : readerFamilies())
            if (qstrcmp(f.id, id) == 0)
                family = &f;
        ASSERT_NE(family, nullptr) << id;
        const auto result = family->decode({bytes, {}, {}});
        ASSERT_FALSE(result.has_value()) << id;
        EXPECT_TRUE(result.error().message.contains(QStringLiteral("trop grande"))) << id << ": " << result.error().message.toStdString();
    }
}

// A TIFF claiming 65280 samples a pixel once made libtiff fill a 390 MB strip buffer for
// a 67 x 45 picture.
TEST(DamagedFixtures, AbsurdTiffSampleCountsAreRefused)
{
    Bytes tiff;
    tiff.text("II").le16(42).le32(8).le16(6).le16(256).le16(3).le32(1).le32(67).le16(257).le16(3).le32(1).le32(45)
        .le16(258).le16(3).le32(1).le32(16).le16(273).le16(4).le32(1).le32(100).le16(277).le16(3).le32(1).le32(65280)
        .le16(279).le16(4).le32(1).le32(50).le32(0).zeros(60);
    const auto result = decodeTiff(tiff);
    ASSERT_FALSE(result.has_value());
    EXPECT_TRUE(result.error().message.contains(QStringLiteral("65280"))) << result.error().message.toStdString();
}

} // namespace
