// Fax pages without a TIFF header: Group 3 one-dimensional lines, each after an
// end-of-line code, in either bit order.
#include "imaging/readers/format_decoders.h"
#include "imaging/readers/picture_loader.h"
#include "test_pattern.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace imaging::readers;

// Packs a string of '0' and '1' into bytes, first bit in the most significant place,
// padding the last byte with 0 bits.
QByteArray packBits(const std::string &bits)
{
    QByteArray bytes((qsizetype(bits.size()) + 7) / 8, '\0');
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1')
            bytes[qsizetype(i / 8)] = char(bytes[qsizetype(i / 8)] | (0x80 >> (i % 8)));
    return bytes;
}

TEST(RawFax, HandCodedLinesMostSignificantBitFirst)
{
    const std::string eol = "000000000001";
    const std::string whiteLine = "010011011" "00110101";                       // white 1728 + white 0
    const std::string blackLine = "00110101" "0000001100101" "0000110111";      // white 0, black 1728 + black 0
    std::string page = eol + whiteLine + eol + blackLine + eol + whiteLine;
    for (int i = 0; i < 6; ++i)
        page += eol; // end of page
    auto picture = decodeTiff(packBits(page));
    ASSERT_TRUE(picture) << picture.error().message.toStdString();
    EXPECT_EQ(picture->size(), QSize(1728, 3));
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture->pixel(1727, 1), qRgb(0, 0, 0));
    EXPECT_EQ(picture->pixel(900, 2), qRgb(255, 255, 255));
    // Not a fax page: no end-of-line code at the start, or a single one.
    EXPECT_FALSE(decodeTiff(packBits("1" + page)));
    EXPECT_FALSE(decodeTiff(packBits(eol + whiteLine + "1111111111111111")));
}

TEST(RawFax, FixturePageWithoutItsHeaderLeastSignificantBitFirst)
{
    // The fixture's single strip (tags 273 and 279: offset 8, 1501 bytes) is a class F
    // page: byte-aligned end-of-line codes, bits stored least significant first.
    QFile file(QStringLiteral(LUMIVELLE_FIXTURES "/images/fax/fax_g3_1d_classF_1728x200.fax"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll().mid(8, 1501);
    const auto loaded = imaging::DecodePicture(page, u"fax");
    ASSERT_TRUE(loaded) << loaded.error().message.toStdString();
    EXPECT_EQ(loaded->image.size(), QSize(1728, 200));
    const auto mismatch = readers_test::firstMismatch(loaded->image, readers_test::expectationFor(QStringLiteral("fax/")));
    EXPECT_FALSE(mismatch.has_value()) << mismatch.value_or(QString()).toStdString();
    // A page cut short shows the lines it still holds.
    const auto cut = decodeTiff(page.first(700));
    ASSERT_TRUE(cut) << cut.error().message.toStdString();
    EXPECT_GT(cut->height(), 50);
    EXPECT_LT(cut->height(), 200);
}

} // namespace
