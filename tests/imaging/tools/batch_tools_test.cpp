#include "imaging/jpeg_codec.h"
#include "imaging/tools/batch_resize.h"
#include "imaging/tools/jpeg_conversion.h"
#include "tools_test_support.h"

#include <QTemporaryDir>

using namespace tools_test;
using namespace imagetools;

TEST(ResizedSize, OnlyTheDecidingSideIsFitted)
{
    const QSize box(1024, 768);
    EXPECT_EQ(resizedSize({3000, 2000}, box, true), QSize(1024, 683)); // 682.67
    EXPECT_EQ(resizedSize({2000, 3000}, box, true), QSize(512, 768));
    EXPECT_EQ(resizedSize({1000, 700}, box, true), std::nullopt);      // fits: skipped
    EXPECT_EQ(resizedSize({1200, 700}, box, true), QSize(1024, 597));  // 597.33
    EXPECT_EQ(resizedSize({2000, 2000}, box, true), QSize(768, 768));  // square: the height rule
    EXPECT_EQ(resizedSize({4000, 1000}, {640, 480}, true), QSize(640, 160));
    EXPECT_EQ(resizedSize({1000, 900}, {640, 480}, true), QSize(640, 576)); // taller than the box
    EXPECT_EQ(resizedSize({1024, 768}, box, true), std::nullopt);            // exactly the box
    // Without "larger only" small pictures are enlarged the same way.
    EXPECT_EQ(resizedSize({1000, 700}, box, false), QSize(1024, 717)); // 716.8
    EXPECT_EQ(resizedSize({300, 400}, box, false), QSize(576, 768));
    // Halves go to the even neighbour, on either side.
    EXPECT_EQ(resizedSize({8, 3}, {4, 4}, false), QSize(4, 2)); // 1.5
    EXPECT_EQ(resizedSize({8, 5}, {4, 4}, false), QSize(4, 2)); // 2.5
    EXPECT_EQ(resizedSize({8, 7}, {4, 4}, false), QSize(4, 4)); // 3.5
    EXPECT_EQ(resizedSize({5, 8}, {4, 4}, false), QSize(2, 4)); // 2.5
    EXPECT_EQ(resizedSize({3, 8}, {4, 4}, false), QSize(2, 4)); // 1.5
}

TEST(ResizeTargetPath, CopiesKeepTheRealNameAndTheirOwnLowerCaseTail)
{
    ResizeOptions same;
    EXPECT_EQ(resizeTargetPath("/p/photo.jpg", same), "/p/photo(1).jpg");
    EXPECT_EQ(resizeTargetPath("/p/photo.jpeg", same), "/p/photo.(1).jpg"); // four characters go
    EXPECT_EQ(resizeTargetPath("/p/Photo.JPG", same), "/p/Photo(1).jpg");
    EXPECT_EQ(resizeTargetPath("/p/Scan.BMP", same), "/p/Scan(1).bmp");
    ResizeOptions other{{640, 480}, true, 2, CopyStyle::OtherFolder, "/out/"};
    EXPECT_EQ(resizeTargetPath("/p/Photo.JPG", other), "/out/Photo.JPG");
    other.folder = "/out";
    EXPECT_EQ(resizeTargetPath("/p/Photo.JPG", other), "/out/Photo.JPG");
    ResizeOptions inPlace{{640, 480}, true, 2, CopyStyle::InPlace, {}};
    EXPECT_EQ(resizeTargetPath("/p/Photo.JPG", inPlace), "/p/Photo.JPG");
    EXPECT_TRUE(isResizableFile("/p/a.JPEG"));
    EXPECT_FALSE(isResizableFile("/p/a.png"));
    EXPECT_EQ(filterListTexts().size(), 8);
    EXPECT_EQ(filterListTexts()[2], QStringLiteral("Filtre Triangle"));
}

class ResizeBatchTest : public ::testing::TestWithParam<bool> {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    bool readAhead() const { return GetParam(); }
    QTemporaryDir m_dir;
};

TEST_P(ResizeBatchTest, CopiesInTheSameFolderAreWrittenBesideAndRunTwiceOverwriteTheSameCopy)
{
    writeAll(file("Photo.JPG"), *imaging::encodeJpeg(numbered(300, 200), 90));
    writeBmp(file("scan.bmp"), numbered(120, 160));
    writeBmp(file("small.bmp"), numbered(50, 40));
    ResizeOptions options{{100, 100}, true, 2, CopyStyle::SameFolder, {}};
    for (int run = 0; run < 2; ++run) {
        ResizeBatch batch({file("Photo.JPG"), file("scan.bmp"), file("small.bmp")}, options, readAhead());
        ResizeResult photo = batch.run(0);
        EXPECT_EQ(photo.status, ResizeStatus::Written);
        EXPECT_EQ(photo.target, file("Photo(1).jpg"));
        EXPECT_EQ(photo.size, QSize(100, 67));
        EXPECT_EQ(batch.run(1).status, ResizeStatus::Written);
        EXPECT_EQ(batch.run(2).status, ResizeStatus::Skipped); // smaller than the box
    }
    EXPECT_EQ(loaded(file("Photo(1).jpg")).size(), QSize(100, 67));
    EXPECT_EQ(imaging::readJpegInfo(readAll(file("Photo(1).jpg")))->components, 3);
    const QImage scan = loaded(file("scan(1).bmp"));
    EXPECT_EQ(scan.size(), QSize(75, 100));
    EXPECT_TRUE(readAll(file("scan(1).bmp")).startsWith("BM"));
    EXPECT_EQ(names(m_dir.path()), (QStringList{"Photo(1).jpg", "Photo.JPG", "scan(1).bmp", "scan.bmp", "small.bmp"}));
}

TEST_P(ResizeBatchTest, InPlaceAndOtherFolderCopiesAndUnreadableFiles)
{
    QDir(m_dir.path()).mkdir("out");
    writeBmp(file("a.bmp"), numbered(40, 20));
    writeAll(file("b.jpg"), "broken");
    writeBmp(file("c.bmp"), numbered(20, 40));
    const QStringList sources{file("a.bmp"), file("b.jpg"), file("c.bmp")};

    ResizeBatch copies(sources, {{10, 10}, false, 1, CopyStyle::OtherFolder, file("out")}, readAhead());
    EXPECT_EQ(copies.run(0).status, ResizeStatus::Written);
    const ResizeResult broken = copies.run(1);
    EXPECT_EQ(broken.status, ResizeStatus::Unreadable);
    EXPECT_FALSE(broken.failure.isEmpty());
    EXPECT_EQ(copies.run(2).status, ResizeStatus::Written);
    EXPECT_EQ(names(file("out")), (QStringList{"a.bmp", "c.bmp"}));
    EXPECT_EQ(loaded(file("out/a.bmp")).size(), QSize(10, 5));

    ResizeBatch inPlace(sources, {{80, 80}, false, 0, CopyStyle::InPlace, {}}, readAhead());
    for (int i = 0; i < 3; ++i)
        inPlace.run(i);
    EXPECT_EQ(loaded(file("a.bmp")).size(), QSize(80, 40)); // enlarged: not larger only
    EXPECT_EQ(loaded(file("c.bmp")).size(), QSize(40, 80));
    EXPECT_EQ(readAll(file("b.jpg")), "broken");
}

TEST_P(ResizeBatchTest, AFileAnEarlierItemWritesIsReadAfterThatWrite)
{
    // photo.jpg writes photo(1).jpg, which is the next item: it must be read as just
    // written (100 wide, so skipped), not as it was before (300 wide).
    writeAll(file("photo.jpg"), *imaging::encodeJpeg(numbered(300, 200), 90));
    writeAll(file("photo(1).jpg"), *imaging::encodeJpeg(numbered(300, 200), 90));
    ResizeBatch batch({file("photo.jpg"), file("photo(1).jpg")}, {{100, 100}, true, 2, CopyStyle::SameFolder, {}},
                      readAhead());
    EXPECT_FALSE(batch.reader().mayReadAhead(1));
    EXPECT_EQ(batch.run(0).status, ResizeStatus::Written);
    EXPECT_EQ(batch.run(1).status, ResizeStatus::Skipped);
    EXPECT_FALSE(QFile::exists(file("photo(1)(1).jpg")));
    EXPECT_EQ(batch.reader().readsAhead(), 0);
}

TEST_P(ResizeBatchTest, AWriteThatFailsHalfWayLeavesTheOriginalInPlace)
{
    writeBmp(file("big.bmp"), numbered(200, 200));
    const QByteArray before = readAll(file("big.bmp"));
    ResizeBatch batch({file("big.bmp")}, {{100, 100}, true, 2, CopyStyle::InPlace, {}}, readAhead());
    FileSizeLimit full(2000);
    const ResizeResult result = batch.run(0);
    EXPECT_EQ(result.status, ResizeStatus::WriteFailed);
    EXPECT_EQ(readAll(file("big.bmp")), before);
    EXPECT_EQ(names(m_dir.path()), QStringList{"big.bmp"});
}

TEST_P(ResizeBatchTest, ReadingAheadGivesTheSameFiles)
{
    QStringList sources;
    for (int i = 0; i < 4; ++i) {
        sources << file(QStringLiteral("p%1.jpg").arg(i));
        writeAll(sources.last(), *imaging::encodeJpeg(numbered(160 + 10 * i, 120), 85));
    }
    QDir(m_dir.path()).mkdir("one");
    QDir(m_dir.path()).mkdir("two");
    ResizeBatch sequential(sources, {{64, 64}, true, 6, CopyStyle::OtherFolder, file("one")}, false);
    ResizeBatch ahead(sources, {{64, 64}, true, 6, CopyStyle::OtherFolder, file("two")}, readAhead());
    for (int i = 0; i < 4; ++i) {
        sequential.run(i);
        ahead.run(i);
        EXPECT_EQ(readAll(file("one/" + QFileInfo(sources[i]).fileName())),
                  readAll(file("two/" + QFileInfo(sources[i]).fileName())));
    }
    EXPECT_EQ(ahead.reader().readsAhead(), readAhead() ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, ResizeBatchTest, ::testing::Bool());

class ConvertBatchTest : public ResizeBatchTest {};

TEST(ConvertTargetPath, ReplacesTheExtensionAndKeepsAJpegItsOwnName)
{
    EXPECT_EQ(convertTargetPath("/p/Carte.PNG", "/out"), "/out/Carte.jpg");
    EXPECT_EQ(convertTargetPath("/p/Carte.PNG", "/out/"), "/out/Carte.jpg");
    EXPECT_EQ(convertTargetPath("/p/Photo.JPG", "/p"), "/p/Photo.JPG");
    EXPECT_EQ(convertTargetPath("/p/photo.jpeg", "/p"), "/p/photo.jpg");
    EXPECT_EQ(convertTargetPath("/p/x.tar.tif", "/q"), "/q/x.tar.jpg");
}

TEST_P(ConvertBatchTest, ConvertsAnyFormatAtTheQualityAndReadsAWrittenTargetAfterItsWrite)
{
    // x.bmp is converted to x.jpg, which comes next: it must be read as just written.
    writeBmp(file("x.bmp"), numbered(64, 48));
    writeAll(file("x.jpg"), *imaging::encodeJpeg(numbered(30, 30), 90));
    ASSERT_TRUE(numbered(20, 10).save(file("y.png")));
    writeAll(file("z.gif"), "GIF89a broken");
    ConvertBatch batch({file("x.bmp"), file("x.jpg"), file("y.png"), file("z.gif")}, m_dir.path(), 30, readAhead());
    EXPECT_FALSE(batch.reader().mayReadAhead(1));
    EXPECT_EQ(batch.run(0).status, ConvertStatus::Written);
    const ConvertResult second = batch.run(1);
    EXPECT_EQ(second.status, ConvertStatus::Written);
    EXPECT_EQ(second.target, file("x.jpg"));
    EXPECT_EQ(loaded(file("x.jpg")).size(), QSize(64, 48)); // re-encoded from the bitmap's JPEG
    EXPECT_EQ(batch.run(2).target, file("y.jpg"));
    EXPECT_EQ(loaded(file("y.jpg")).size(), QSize(20, 10));
    EXPECT_EQ(batch.run(3).status, ConvertStatus::Unreadable);
    EXPECT_FALSE(QFile::exists(file("z.jpg")));
    // Quality 30 against 100: a smaller file.
    ConvertBatch best({file("y.png")}, file("best"), 100, false);
    QDir(m_dir.path()).mkdir("best");
    EXPECT_EQ(best.run(0).status, ConvertStatus::Written);
    EXPECT_GT(readAll(file("best/y.jpg")).size(), readAll(file("y.jpg")).size());
}

TEST_P(ConvertBatchTest, AWriteThatFailsLeavesTheTargetAsItWas)
{
    writeBmp(file("x.bmp"), numbered(200, 200));
    writeAll(file("x.jpg"), "old target");
    ConvertBatch batch({file("x.bmp")}, m_dir.path(), 100, readAhead());
    FileSizeLimit full(1000);
    const ConvertResult result = batch.run(0);
    EXPECT_EQ(result.status, ConvertStatus::WriteFailed);
    EXPECT_EQ(readAll(file("x.jpg")), "old target");
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, ConvertBatchTest, ::testing::Bool());
