#include "imaging/exif/exif_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/tools/rotate_and_save.h"
#include "imaging/tools/rotate_bitmap.h"
#include "jpeg_segments_builder.h"
#include "tools_test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

using namespace tools_test;
using namespace imagetools;

namespace {

// A format question that records whether it was asked and gives `answer`.
struct Question {
    std::optional<SaveFormat> answer;
    int asked = 0;
    FormatQuestion ask()
    {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

const QByteArray kStart("\xFF\xD8", 2);

// A JPEG file of `picture` whose head holds `head` instead of the encoder's JFIF segment.
QByteArray jpegWithHead(const QImage &picture, const QByteArray &head)
{
    const QByteArray encoded = *imaging::encodeJpeg(picture, 95);
    const qsizetype afterApp0 = 4 + qFromBigEndian<quint16>(encoded.data() + 4);
    return kStart + head + encoded.sliced(afterApp0);
}

} // namespace

class RotateAndSaveTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    Question question;
};

TEST_F(RotateAndSaveTest, RightThenLeftRestoresABitmapFileExactly)
{
    const QString path = file("Scan.BMP");
    writeBmp(path, numbered(67, 45));
    const QByteArray original = readAll(path);

    const RotateResult right = RotateAndSave(270, path, question.ask());
    EXPECT_EQ(right.status, RotateStatus::WrittenOverFile);
    EXPECT_EQ(right.writtenPath, path);
    EXPECT_EQ(loaded(path), *RotateBitmap(270, numbered(67, 45)));
    EXPECT_EQ(RotateAndSave(90, path, question.ask()).status, RotateStatus::WrittenOverFile);
    EXPECT_EQ(readAll(path), original);
    EXPECT_EQ(RotateAndSave(180, path, question.ask()).status, RotateStatus::WrittenOverFile);
    EXPECT_EQ(loaded(path).size(), QSize(67, 45));
    EXPECT_EQ(question.asked, 0);
    EXPECT_EQ(names(m_dir.path()), QStringList{"Scan.BMP"});
}

// The mean difference of two pictures of the same size, per channel (255 when the sizes differ).
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_BGR888), y = b.convertToFormat(QImage::Format_BGR888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(x.constScanLine(row)[i]) - int(y.constScanLine(row)[i]));
    return sum / (3.0 * x.width() * x.height());
}

// Smooth, so that JPEG keeps it close, and different under every turn and mirror: blue
// grows to the right, green downwards, red towards the top right corner.
QImage gradient(int w, int h)
{
    QImage picture(w, h, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < w; ++x) {
            line[3 * x] = uchar(255 * x / (w - 1));
            line[3 * x + 1] = uchar(255 * y / (h - 1));
            line[3 * x + 2] = uchar(255 * (x + h - 1 - y) / (w + h - 2));
        }
    }
    return picture;
}

// Sets the readers' orientation switch for the life of the object.
class OrientSwitch {
public:
    explicit OrientSwitch(bool on) : m_before(imaging::autoOrient()) { imaging::setAutoOrient(on); }
    ~OrientSwitch() { imaging::setAutoOrient(m_before); }

private:
    bool m_before;
};

// A camera stored the photo 640 x 480 with orientation 6: it is shown 480 x 640. A quarter
// turn left turns what is shown and writes it upright with orientation 1, so every
// viewer shows it turned once, never twice.
TEST_F(RotateAndSaveTest, AJpegIsTurnedAsShownAndKeepsItsMetadataWithOrientationNormal)
{
    const QString path = file("Photo.JPG"); // upper case: a JPEG all the same, and it keeps its name
    const QByteArray exifBlock = segments_test::exifSegment({true, 6, 640, 480});
    const QByteArray comment = segments_test::comment("Vacances");
    const QImage stored = gradient(640, 480);
    writeAll(path, jpegWithHead(stored, exifBlock + segments_test::iptc() + comment));
    const QImage shown = imaging::turnUpright(stored, imaging::Orientation::Rotate90);
    ASSERT_LT(meanDifference(loaded(path), shown), 3);

    const RotateResult result = RotateAndSave(90, path, question.ask());
    ASSERT_EQ(result.status, RotateStatus::WrittenOverFile) << result.failure.toStdString();
    EXPECT_TRUE(result.exif.orientation);
    EXPECT_FALSE(result.exif.dimensions); // written 640 x 480, as the tags already said
    const QByteArray written = readAll(path);
    // The kept segments first, the orientation normal, then the new stream without its own
    // JFIF segment.
    const QByteArray head = kStart + segments_test::exifSegment({true, 1, 640, 480}) + segments_test::iptc() + comment;
    EXPECT_TRUE(written.startsWith(head));
    EXPECT_EQ(uchar(written[head.size()]), 0xFF);
    EXPECT_NE(uchar(written[head.size() + 1]), 0xE0);
    const QImage once = *RotateBitmap(90, shown);
    EXPECT_LT(meanDifference(loaded(path), once), 3);
    EXPECT_EQ(loaded(path).size(), QSize(640, 480)); // turned twice, it would stand 480 x 640
    {
        OrientSwitch off(false); // orientation 1: the same picture either way
        EXPECT_LT(meanDifference(loaded(path), once), 3);
    }
    exif::TImageInfo exifInfo;
    ASSERT_TRUE(exif::ReadExif(path, exifInfo));
    EXPECT_EQ(exifInfo.cameraMake, QStringLiteral("Test"));
    EXPECT_EQ(exifInfo.width, 640);
    EXPECT_EQ(names(m_dir.path()), QStringList{"Photo.JPG"});

    // A half turn keeps the size and the orientation normal; a turn right then leaves the
    // photo upside down from where it started.
    ASSERT_EQ(RotateAndSave(180, path, question.ask()).status, RotateStatus::WrittenOverFile);
    EXPECT_TRUE(readAll(path).startsWith(kStart + segments_test::exifSegment({true, 1, 640, 480})));
    EXPECT_LT(meanDifference(loaded(path), *RotateBitmap(180, once)), 4);
    ASSERT_EQ(RotateAndSave(270, path, question.ask()).status, RotateStatus::WrittenOverFile);
    EXPECT_LT(meanDifference(loaded(path), *RotateBitmap(180, shown)), 5);
    EXPECT_EQ(question.asked, 0);
}

// With the switch off the picture is shown as stored: the turn starts from there, and
// the orientation written is normal all the same.
TEST_F(RotateAndSaveTest, WithTheOrientationSwitchOffTheStoredPictureIsTurned)
{
    OrientSwitch off(false);
    const QString path = file("photo.jpg");
    const QImage stored = gradient(640, 480);
    writeAll(path, jpegWithHead(stored, segments_test::exifSegment({false, 8, 640, 480})));
    const RotateResult result = RotateAndSave(270, path, question.ask());
    ASSERT_EQ(result.status, RotateStatus::WrittenOverFile);
    EXPECT_TRUE(result.exif.orientation);
    EXPECT_TRUE(result.exif.dimensions);
    EXPECT_TRUE(readAll(path).startsWith(kStart + segments_test::exifSegment({false, 1, 480, 640})));
    const QImage once = *RotateBitmap(270, stored);
    EXPECT_LT(meanDifference(loaded(path), once), 3);
    OrientSwitch on(true);
    EXPECT_LT(meanDifference(loaded(path), once), 3);
}

TEST_F(RotateAndSaveTest, AJpegWithoutMetadataKeepsItsOwnJfifSegment)
{
    const QString path = file("plain.jpeg");
    writeAll(path, *imaging::encodeJpeg(numbered(64, 48), 90));
    ASSERT_EQ(RotateAndSave(270, path, question.ask()).status, RotateStatus::WrittenOverFile);
    const QByteArray written = readAll(path);
    EXPECT_EQ(written.sliced(2, 2), QByteArray("\xFF\xE0", 2));
    EXPECT_EQ(loaded(path).size(), QSize(48, 64));
}

TEST_F(RotateAndSaveTest, OtherFormatsAreWrittenBesideInTheChosenFormat)
{
    const QString png = file("Carte.png");
    ASSERT_TRUE(numbered(64, 48).save(png));
    const QByteArray original = readAll(png);

    question.answer = std::nullopt; // "&Annuler"
    EXPECT_EQ(RotateAndSave(90, png, question.ask()).status, RotateStatus::Cancelled);
    EXPECT_EQ(names(m_dir.path()), QStringList{"Carte.png"});

    question.answer = SaveFormat::Jpeg;
    RotateResult result = RotateAndSave(90, png, question.ask());
    EXPECT_EQ(result.status, RotateStatus::WrittenBeside);
    EXPECT_EQ(result.writtenPath, file("Carte.jpg"));
    EXPECT_EQ(loaded(file("Carte.jpg")).size(), QSize(48, 64));

    question.answer = SaveFormat::Bitmap;
    result = RotateAndSave(270, png, question.ask());
    EXPECT_EQ(result.writtenPath, file("Carte.bmp"));
    EXPECT_EQ(loaded(file("Carte.bmp")), *RotateBitmap(270, numbered(64, 48)));
    EXPECT_EQ(question.asked, 3);
    EXPECT_EQ(readAll(png), original);
    EXPECT_EQ(names(m_dir.path()), (QStringList{"Carte.bmp", "Carte.jpg", "Carte.png"}));
}

TEST_F(RotateAndSaveTest, MissingAndUnreadableFilesAreLeftAlone)
{
    EXPECT_EQ(RotateAndSave(90, file("absent.jpg"), question.ask()).status, RotateStatus::Missing);
    writeAll(file("broken.jpg"), "not a picture at all");
    EXPECT_EQ(RotateAndSave(90, file("broken.jpg"), question.ask()).status, RotateStatus::Unreadable);
    EXPECT_EQ(readAll(file("broken.jpg")), "not a picture at all");
    EXPECT_EQ(names(m_dir.path()), QStringList{"broken.jpg"});
    EXPECT_EQ(question.asked, 0);
}

TEST_F(RotateAndSaveTest, AWriteThatFailsHalfWayLeavesTheOriginalByteForByte)
{
    const QString jpeg = file("photo.jpg");
    writeAll(jpeg, jpegWithHead(numbered(300, 200), segments_test::exifSegment({false, 6, 300, 200})));
    const QString bmp = file("scan.bmp");
    writeBmp(bmp, numbered(300, 200));
    const QByteArray jpegBefore = readAll(jpeg), bmpBefore = readAll(bmp);
    {
        FileSizeLimit full(4096);
        const RotateResult result = RotateAndSave(90, jpeg, question.ask());
        EXPECT_EQ(result.status, RotateStatus::WriteFailed);
        EXPECT_FALSE(result.failure.isEmpty());
        EXPECT_EQ(RotateAndSave(270, bmp, question.ask()).status, RotateStatus::WriteFailed);
    }
    EXPECT_EQ(readAll(jpeg), jpegBefore);
    EXPECT_EQ(readAll(bmp), bmpBefore);
    EXPECT_EQ(names(m_dir.path()), (QStringList{"photo.jpg", "scan.bmp"}));
}

TEST(BesidePath, ReplacesOnlyTheExtension)
{
    EXPECT_EQ(besidePath("/a/Carte.PNG", SaveFormat::Jpeg), "/a/Carte.jpg");
    EXPECT_EQ(besidePath("/a.b/x.tar.tif", SaveFormat::Bitmap), "/a.b/x.tar.bmp");
    EXPECT_EQ(besidePath("/a.b/noext", SaveFormat::Jpeg), "/a.b/noext.jpg");
    EXPECT_EQ(fileKindOf("/x/A.JPEG"), FileKind::Jpeg);
    EXPECT_EQ(fileKindOf("/x/a.Bmp"), FileKind::Bitmap);
    EXPECT_EQ(fileKindOf("/x/a.jpe"), FileKind::Other);
}
