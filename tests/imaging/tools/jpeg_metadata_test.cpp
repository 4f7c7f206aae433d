#include "imaging/exif/exif_reader.h"
#include "imaging/tools/jpeg_metadata.h"
#include "jpeg_segments_builder.h"

#include <gtest/gtest.h>

using namespace segments_test;
using imagetools::patchTurnedExif;
using imagetools::spliceKeptSegments;

namespace {

const QByteArray kStart("\xFF\xD8", 2);
// What follows the head of a stream: a quantisation table marker and some data.
const QByteArray kBody = QByteArray("\xFF\xDB\x00\x04\x01\x02", 6) + QByteArray("\xFF\xDA\x00\x02scan\xFF\xD9", 10);

// A stream as an encoder writes it: its own JFIF segment, then the rest.
QByteArray encodedStream(const QByteArray &head = app0Jfif())
{
    return kStart + head + kBody;
}

// The value of a SHORT or LONG tag in an EXIF segment, read back with the program's reader.
exif::TImageInfo readBack(const QByteArray &file)
{
    exif::TImageInfo info;
    EXPECT_TRUE(exif::readJpegExif(file, info));
    return info;
}

} // namespace

TEST(SpliceKeptSegments, PutsTheKeptSegmentsInOrderInPlaceOfTheStreamsOwnHead)
{
    const QByteArray exifBlock = exifSegment({});
    const QByteArray app0 = segment(0xE0, "kept JFIF");
    const QByteArray com = comment("legende");
    struct Case {
        exif::KeptJpegSegments kept;
        QByteArray expectedHead;
    };
    const Case cases[] = {
        {{app0, exifBlock, iptc(), com}, exifBlock + iptc() + com}, // EXIF wins over APP0
        {{app0, {}, iptc(), com}, app0 + iptc() + com},
        {{{}, exifBlock, {}, {}}, exifBlock},
        {{{}, {}, iptc(), {}}, iptc()},
        {{{}, {}, {}, com}, com},
        {{app0, {}, {}, {}}, app0},
        {{}, {}},
    };
    for (const Case &c : cases) {
        auto spliced = spliceKeptSegments(encodedStream(), c.kept);
        ASSERT_TRUE(spliced);
        EXPECT_EQ(*spliced, kStart + c.expectedHead + kBody); // the stream's own APP0 is gone
        // In place, over the stream's own head, with just the room needed or more.
        for (qsizetype room : {imagetools::keptHeadSize(c.kept), imagetools::keptHeadSize(c.kept) + 5}) {
            QByteArray bytes = QByteArray(room, 'r') + encodedStream();
            const auto start = imagetools::spliceKeptSegmentsInPlace(bytes, room, c.kept);
            ASSERT_TRUE(start);
            EXPECT_EQ(bytes.sliced(*start), *spliced);
        }
    }
}

TEST(SpliceKeptSegments, SkipsEachOfTheStreamsHeadSegmentsOnceAndOnlyInTheirOrder)
{
    const exif::KeptJpegSegments kept{{}, {}, {}, comment("kept")};
    const QByteArray own = app0Jfif() + exifSegment({}) + iptc() + comment("own");
    EXPECT_EQ(*spliceKeptSegments(kStart + own + kBody, kept), kStart + comment("kept") + kBody);
    // Without an APP0 the others are still skipped.
    EXPECT_EQ(*spliceKeptSegments(kStart + comment("own") + kBody, kept), kStart + comment("kept") + kBody);
    // A second APP0, or an APP0 after the comment, is not at the head: it stays.
    EXPECT_EQ(*spliceKeptSegments(kStart + app0Jfif() + app0Jfif() + kBody, kept),
              kStart + comment("kept") + app0Jfif() + kBody);
    EXPECT_EQ(*spliceKeptSegments(kStart + comment("own") + app0Jfif() + kBody, kept),
              kStart + comment("kept") + app0Jfif() + kBody);
}

TEST(SpliceKeptSegments, RefusesAStreamItCannotWalk)
{
    const exif::KeptJpegSegments kept{{}, exifSegment({}), {}, {}};
    QByteArray tooLittleRoom = QByteArray(3, 'r') + encodedStream(QByteArray());
    EXPECT_FALSE(imagetools::spliceKeptSegmentsInPlace(tooLittleRoom, 3, kept));
    EXPECT_FALSE(spliceKeptSegments(QByteArray("\x89PNG"), kept));
    QByteArray cut = encodedStream();
    cut.truncate(8); // the JFIF segment breaks off
    EXPECT_FALSE(spliceKeptSegments(cut, kept));
    EXPECT_FALSE(spliceKeptSegments(kStart + QByteArray("\xFF\xE0\x00\x01", 4) + kBody, kept)); // length below 2
}

TEST(PatchTurnedExif, OrientationBecomesNormalAndTheDimensionsGiveTheWrittenPicture)
{
    for (bool bigEndian : {false, true})
        for (bool asLong : {false, true}) {
            const QByteArray original = exifSegment({bigEndian, 6, 4000, 3000, asLong, asLong});
            QByteArray patched = original;
            const auto patch = patchTurnedExif(patched, QSize(3000, 4000));
            EXPECT_TRUE(patch.orientation);
            EXPECT_TRUE(patch.dimensions);
            EXPECT_EQ(patched, exifSegment({bigEndian, 1, 3000, 4000, asLong, asLong})) << bigEndian << asLong;
            const exif::TImageInfo info = readBack(kStart + patched + kBody);
            EXPECT_EQ(info.width, 3000);
            EXPECT_EQ(info.height, 4000);
            EXPECT_EQ(info.cameraMake, QStringLiteral("Test"));

            QByteArray halfTurn = original;
            EXPECT_FALSE(patchTurnedExif(halfTurn, QSize(4000, 3000)).dimensions);
            EXPECT_EQ(halfTurn, exifSegment({bigEndian, 1, 4000, 3000, asLong, asLong}));
        }
    // A photo stored 4000 x 3000 with orientation 6 is read upright (3000 x 4000); a
    // quarter turn writes it 4000 x 3000 again, which the tags already said.
    QByteArray readUpright = exifSegment({false, 6, 4000, 3000});
    const auto patch = patchTurnedExif(readUpright, QSize(4000, 3000));
    EXPECT_TRUE(patch.orientation);
    EXPECT_FALSE(patch.dimensions);
    EXPECT_EQ(readUpright, exifSegment({false, 1, 4000, 3000}));
}

TEST(PatchTurnedExif, ChangesNothingElseAndLeavesMissingTagsMissing)
{
    QByteArray noOrientation = exifSegment({false, std::nullopt, 640, 480});
    const auto patch = patchTurnedExif(noOrientation, QSize(480, 640));
    EXPECT_FALSE(patch.orientation);
    EXPECT_EQ(noOrientation, exifSegment({false, std::nullopt, 480, 640}));

    QByteArray oneDimension = exifSegment({true, 3, 640, std::nullopt});
    EXPECT_FALSE(patchTurnedExif(oneDimension, QSize(480, 640)).dimensions);
    EXPECT_EQ(oneDimension, exifSegment({true, 1, 640, std::nullopt}));

    // Each value is written in its own field's type; a height too large for its SHORT
    // field leaves both as they were.
    QByteArray mixed = exifSegment({false, 8, 5000, 3000, true, false});
    EXPECT_TRUE(patchTurnedExif(mixed, QSize(3000, 5000)).dimensions);
    EXPECT_EQ(mixed, exifSegment({false, 1, 3000, 5000, true, false}));
    QByteArray tooWide = exifSegment({true, 8, 70000, 3000, true, false});
    EXPECT_FALSE(patchTurnedExif(tooWide, QSize(3000, 70000)).dimensions);
    EXPECT_EQ(tooWide, exifSegment({true, 1, 70000, 3000, true, false}));
}

TEST(PatchTurnedExif, LeavesDamagedOrForeignSegmentsAlone)
{
    const QByteArray whole = exifSegment({false, 6, 4000, 3000});
    for (int cut : {4, 10, 16, 24, 40, int(whole.size()) - 30}) {
        QByteArray damaged = whole.first(cut);
        const QByteArray before = damaged;
        patchTurnedExif(damaged, QSize(3000, 4000));
        // Whatever it found inside the bytes it may patch, it never grows or moves them.
        EXPECT_EQ(damaged.size(), before.size()) << cut;
    }
    QByteArray notExif = segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    const QByteArray before = notExif;
    EXPECT_FALSE(patchTurnedExif(notExif, QSize(3000, 4000)).orientation);
    EXPECT_EQ(notExif, before);
}
