// Windows metafiles written record by record: sizes, mapping, objects, state, clipping,
// paths, text and damaged files.
#include "imaging/readers/format_decoders.h"
#include "gui_environment.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

namespace {

using namespace imaging::readers;
using readers_test::Bytes;

constexpr QRgb kWhite = 0xFFFFFFFF;

// WMF records: a size in 16-bit words, a function, 16-bit parameters.
void wmfRecord(Bytes &b, int function, std::initializer_list<int> params)
{
    b.le32(3 + qint64(params.size())).le16(function);
    for (int p : params)
        b.le16(p);
}

// The 18-byte standard header (disk metafile, version 3).
Bytes wmfHeader()
{
    Bytes b;
    b.le16(2).le16(9).le16(0x0300).le32(0).le16(8).le32(0).le16(0);
    return b;
}

Bytes placeable(int right, int bottom, int unitsPerInch)
{
    Bytes b;
    b.le32(0x9AC6CDD7).le16(0).le16(0).le16(0).le16(right).le16(bottom).le16(unitsPerInch).le32(0).le16(0);
    return b.raw(wmfHeader());
}

void wmfSolidBrush(Bytes &b, QRgb c)
{
    wmfRecord(b, 0x02FC, {0, qRed(c) | qGreen(c) << 8, qBlue(c), 0}); // CREATEBRUSHINDIRECT
}

void wmfEnd(Bytes &b)
{
    wmfRecord(b, 0x0000, {});
}

TEST(Wmf, BareFilesTakeTheirWindowAsPixels)
{
    Bytes b = wmfHeader();
    wmfRecord(b, 0x020C, {20, 40});            // SETWINDOWEXT y, x
    wmfRecord(b, 0x02FA, {5, 0, 0, 0, 0});     // CREATEPENINDIRECT: null pen -> object 0
    wmfRecord(b, 0x012D, {0});
    wmfSolidBrush(b, qRgb(255, 0, 0));         // object 1
    wmfRecord(b, 0x012D, {1});
    wmfRecord(b, 0x041B, {20, 20, 0, 0});      // RECTANGLE bottom, right, top, left
    wmfEnd(b);
    ASSERT_EQ(metafileSize(b), QSize(40, 20));
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), QImage::Format_BGR888);
    EXPECT_EQ(picture->pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(30, 10), kWhite);
}

TEST(Wmf, PlaceableBoxesAreSeenAtNinetySixDotsAndKeptToTwoThousandPixels)
{
    Bytes small = placeable(1440, 720, 1440);  // one inch by half an inch
    wmfEnd(small);
    Bytes big = placeable(8000, 2000, 96);
    wmfEnd(big);
    EXPECT_EQ(metafileSize(small), QSize(96, 48));
    EXPECT_EQ(metafileSize(big), QSize(2000, 500));
    auto picture = decodeMetafile(big);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(2000, 500));
    EXPECT_EQ(picture->pixel(1000, 250), kWhite);
}

TEST(Wmf, RestoringTheStateBringsBackTheBrushAndTheClip)
{
    Bytes b = placeable(100, 100, 96);
    wmfRecord(b, 0x02FA, {5, 0, 0, 0, 0});
    wmfRecord(b, 0x012D, {0});
    wmfSolidBrush(b, qRgb(255, 0, 0));         // 1
    wmfSolidBrush(b, qRgb(0, 0, 255));         // 2
    wmfRecord(b, 0x012D, {1});
    wmfRecord(b, 0x001E, {});                  // SAVEDC
    wmfRecord(b, 0x012D, {2});
    wmfRecord(b, 0x0416, {50, 50, 0, 0});      // INTERSECTCLIPRECT: top-left quarter
    wmfRecord(b, 0x041B, {100, 100, 0, 0});
    wmfRecord(b, 0x0127, {-1});                // RESTOREDC
    wmfRecord(b, 0x041B, {100, 100, 75, 75});  // red, unclipped
    wmfEnd(b);
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(25, 25), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(60, 60), kWhite);
    EXPECT_EQ(picture->pixel(90, 90), qRgb(255, 0, 0));
}

TEST(Wmf, DamagedRecordsAreSkippedButACutFileFails)
{
    Bytes b = placeable(10, 10, 96);
    wmfSolidBrush(b, qRgb(0, 255, 0));
    wmfRecord(b, 0x012D, {0});
    wmfRecord(b, 0x012D, {999});                  // no such object
    wmfRecord(b, 0x01F0, {77});                   // DELETEOBJECT of nothing
    wmfRecord(b, 0x4242, {1, 2, 3});              // unknown
    wmfRecord(b, 0x0324, {1000, 1, 1});           // POLYGON claiming 1000 points
    wmfRecord(b, 0x041B, {10, 10, 0, 0});
    Bytes whole = b;
    wmfEnd(whole);
    auto picture = decodeMetafile(whole);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(5, 5), qRgb(0, 255, 0));
    // Records that stop before the end-of-file record: a part of the drawing is missing.
    EXPECT_FALSE(decodeMetafile(b));
    b.le32(1000000).le16(0x041B);                 // a record longer than the file
    wmfEnd(b);
    EXPECT_FALSE(decodeMetafile(b));
    EXPECT_FALSE(decodeMetafile(Bytes().le32(0x9AC6CDD7).zeros(30)));
    Bytes noSize = wmfHeader();
    wmfEnd(noSize);
    EXPECT_FALSE(decodeMetafile(noSize));
}

// EMF records: type, size, then 32-bit fields.
void emfRecord(Bytes &b, int type, std::initializer_list<qint64> fields)
{
    b.le32(type).le32(8 + 4 * qint64(fields.size()));
    for (qint64 f : fields)
        b.le32(f);
}

// A header of 108 bytes for a picture of w x h pixels on a 96-dpi reference device.
Bytes emfHeader(int w, int h)
{
    Bytes b;
    const int frameW = int(std::lround(w * 2540.0 / 96)), frameH = int(std::lround(h * 2540.0 / 96));
    b.le32(1).le32(108).le32(0).le32(0).le32(w - 1).le32(h - 1).le32(0).le32(0).le32(frameW).le32(frameH);
    b.text(" EMF").le32(0x10000).le32(0).le32(0).le16(0).le16(0).le32(0).le32(0).le32(0);
    b.le32(1920).le32(1080).le32(508).le32(286).le32(0).le32(0).le32(0).le32(508000).le32(285750);
    return b;
}

void emfSolidBrush(Bytes &b, int index, QRgb c)
{
    emfRecord(b, 39, {index, 0, qRed(c) | qGreen(c) << 8 | qBlue(c) << 16, 0});
    emfRecord(b, 37, {index});
}

void emfNullPen(Bytes &b)
{
    emfRecord(b, 37, {0x80000008}); // stock NULL_PEN
}

TEST(Emf, AnisotropicMappingAndWorldTransform)
{
    Bytes b = emfHeader(100, 100);
    emfNullPen(b);
    emfSolidBrush(b, 1, qRgb(255, 0, 0));
    emfRecord(b, 17, {8});            // MM_ANISOTROPIC
    emfRecord(b, 9, {1000, 1000});    // window extent
    emfRecord(b, 11, {100, 100});     // viewport extent: 10 logical units a pixel
    emfRecord(b, 43, {0, 0, 200, 200});
    // World transform: a translation of 500 logical units to the right.
    Bytes xform;
    b.le32(35).le32(32);
    for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 500.0f, 0.0f}) {
        quint32 bits;
        std::memcpy(&bits, &f, 4);
        b.le32(bits);
    }
    emfSolidBrush(b, 2, qRgb(0, 0, 255));
    emfRecord(b, 43, {0, 0, 200, 200});
    emfRecord(b, 14, {0, 16, 20});
    ASSERT_EQ(metafileSize(b), QSize(100, 100));
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(60, 10), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(30, 10), kWhite);
    EXPECT_EQ(picture->pixel(10, 30), kWhite);
}

TEST(Emf, MetricMappingPutsTheOriginAtTheBottom)
{
    Bytes b = emfHeader(100, 100);
    emfNullPen(b);
    emfSolidBrush(b, 1, qRgb(0, 255, 0));
    emfRecord(b, 17, {2});              // MM_LOMETRIC: 0.1 mm, y upwards
    emfRecord(b, 12, {0, 100});         // viewport origin at the bottom-left pixel row
    emfRecord(b, 43, {0, 53, 53, 0});   // 5.3 mm square = 20 pixels, above the origin
    emfRecord(b, 14, {0, 16, 20});
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(10, 90), qRgb(0, 255, 0));
    EXPECT_EQ(picture->pixel(10, 70), kWhite);
}

TEST(Emf, PathsFillWhatTheyEnclose)
{
    Bytes b = emfHeader(40, 40);
    emfNullPen(b);
    emfSolidBrush(b, 1, qRgb(0, 0, 255));
    emfRecord(b, 59, {});                // BEGINPATH
    emfRecord(b, 27, {0, 0});            // MOVETOEX
    emfRecord(b, 54, {40, 0});           // LINETO
    emfRecord(b, 54, {0, 40});
    emfRecord(b, 61, {});                // CLOSEFIGURE
    emfRecord(b, 60, {});                // ENDPATH
    emfRecord(b, 62, {0, 0, 40, 40});    // FILLPATH
    emfRecord(b, 14, {0, 16, 20});
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(35, 35), kWhite);
}

TEST(Emf, TextIsDrawnInTheTextColour)
{
    readers_test::ensureGuiApplication();
    Bytes b = emfHeader(60, 30);
    emfRecord(b, 24, {0x0000FF});        // SETTEXTCOLOR red
    emfRecord(b, 18, {1});               // transparent background
    // EXTCREATEFONTINDIRECTW: slot 1, height -20, weight 700, face left empty.
    b.le32(82).le32(8 + 4 + 92).le32(1).le32(-20).le32(0).le32(0).le32(0).le32(700).zeros(8).zeros(64);
    emfRecord(b, 37, {1});
    // EXTTEXTOUTW "HH" at (5, 5): bounds, graphics mode, scales, then the text record.
    b.le32(84).le32(76 + 4).zeros(16).le32(1).zeros(8).le32(5).le32(5).le32(2).le32(76).le32(0).zeros(16).le32(0);
    b.le16('H').le16('H');
    emfRecord(b, 14, {0, 16, 20});
    auto picture = decodeMetafile(b);
    ASSERT_TRUE(picture);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            red += qRed(picture->pixel(x, y)) > 200 && qGreen(picture->pixel(x, y)) < 80 ? 1 : 0;
    EXPECT_GT(red, 20);
}

TEST(Emf, FramelessFilesUseTheirBoundsAndBrokenOnesFail)
{
    Bytes b = emfHeader(30, 20);
    b.patchLe32(32, 0).patchLe32(36, 0); // empty frame
    emfRecord(b, 14, {0, 16, 20});
    EXPECT_EQ(metafileSize(b), QSize(30, 20));
    Bytes broken = emfHeader(30, 20);
    emfRecord(broken, 43, {0, 0, 10, 10});
    broken.le32(43).le32(4); // a record shorter than its own header: playback cannot go on
    emfRecord(broken, 14, {0, 16, 20});
    EXPECT_FALSE(decodeMetafile(broken).has_value());
    EXPECT_FALSE(decodeMetafile(QByteArray(emfHeader(30, 20)).first(50)));
}

} // namespace
