// Photos whose orientation tag says they are stored turned or mirrored come back upright,
// with their upright size, from JPEG and from TIFF files; the switch and the callers that
// turn the small picture themselves get them as stored.
#include "imaging/readers/picture_loader.h"
#include "oriented_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace oriented_test;
using imaging::Orientation;

namespace {

constexpr int kBlock = 16;

// Sets the readers' switch for the life of the object.
class OrientSwitch {
public:
    explicit OrientSwitch(bool on) : m_before(imaging::autoOrient()) { imaging::setAutoOrient(on); }
    ~OrientSwitch() { imaging::setAutoOrient(m_before); }

private:
    bool m_before;
};

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

imaging::PictureRequest asked(imaging::Orienting orienting, bool callerTurns = false)
{
    imaging::PictureRequest request;
    request.orienting = orienting;
    request.callerTurns = callerTurns;
    return request;
}

class EightOrientations : public ::testing::TestWithParam<int> {
protected:
    Orientation orientation() const { return imaging::orientationFromTag(GetParam()); }
    const QImage upright = blocks(kBlock);           // 48 x 32
    const QImage stored = storedFor(upright, orientation());
};

TEST_P(EightOrientations, AJpegComesUprightWithItsUprightSize)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("photo.jpg"), jpegWithOrientation(stored, GetParam()));
    const auto loaded = imaging::LoadPicture(path);
    ASSERT_TRUE(loaded) << loaded.error().message.toStdString();
    EXPECT_EQ(loaded->image.size(), QSize(48, 32));
    EXPECT_EQ(loaded->fullSize, QSize(48, 32));
    EXPECT_EQ(loaded->turn, Orientation::Normal);
    EXPECT_LE(blockCentreDifference(loaded->image, upright, kBlock), 12);
    EXPECT_EQ(*imaging::ReadPictureSize(path), QSize(48, 32));

    // As stored: on request, with the switch off, or for a caller that turns it itself.
    const auto asStored = imaging::LoadPicture(path, asked(imaging::Orienting::AsStored));
    EXPECT_LE(blockCentreDifference(asStored->image, stored, kBlock), 12);
    EXPECT_EQ(asStored->fullSize, stored.size());
    const auto forCaller = imaging::LoadPicture(path, asked(imaging::Orienting::Setting, true));
    EXPECT_LE(blockCentreDifference(forCaller->image, stored, kBlock), 12);
    EXPECT_EQ(forCaller->turn, orientation());
    EXPECT_EQ(forCaller->fullSize, QSize(48, 32));
    EXPECT_LE(blockCentreDifference(imaging::turnUpright(forCaller->image, forCaller->turn), upright, kBlock), 12);
    OrientSwitch off(false);
    EXPECT_LE(blockCentreDifference(imaging::LoadPicture(path)->image, stored, kBlock), 12);
    EXPECT_EQ(*imaging::ReadPictureSize(path), stored.size());
    EXPECT_EQ(imaging::LoadPicture(path, asked(imaging::Orienting::Upright))->image.size(), QSize(48, 32));
    EXPECT_EQ(imaging::LoadPicture(path, asked(imaging::Orienting::Setting, true))->turn, Orientation::Normal);
}

TEST_P(EightOrientations, ATiffComesUprightThroughEitherReader)
{
    // 8-bit samples take the strip reader, 16-bit ones libtiff's RGBA reader.
    for (int bits : {8, 16}) {
        const auto loaded = imaging::DecodePicture(tiffWithOrientation(stored, GetParam(), bits), u"tif");
        ASSERT_TRUE(loaded) << bits << ": " << loaded.error().message.toStdString();
        EXPECT_EQ(loaded->image.convertToFormat(QImage::Format_BGR888), upright) << bits;
        EXPECT_EQ(loaded->fullSize, QSize(48, 32));
        const auto asStored = imaging::DecodePicture(tiffWithOrientation(stored, GetParam(), bits), u"tif", {},
                                                     asked(imaging::Orienting::AsStored));
        EXPECT_EQ(asStored->image.convertToFormat(QImage::Format_BGR888), stored) << bits;
    }
}

INSTANTIATE_TEST_SUITE_P(Orientation, EightOrientations, ::testing::Range(1, 9));

// The bound of a reduced JPEG decode is asked of the upright picture: stored 128 x 64
// with orientation 6, shown 64 x 128; at least 16 x 32 gives the quarter scale, 16 x 32.
TEST(OrientedJpeg, AReducedDecodeIsBoundedInTheUprightFrame)
{
    const QImage upright = blocks(32).transformed(QTransform().rotate(90)).convertToFormat(QImage::Format_BGR888);
    ASSERT_EQ(upright.size(), QSize(64, 96));
    const QByteArray jpeg = jpegWithOrientation(storedFor(upright, Orientation::Rotate90), 6);
    imaging::PictureRequest request;
    request.atLeast = QSize(16, 24);
    const auto loaded = imaging::DecodePicture(jpeg, u"jpg", {}, request);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->image.size(), QSize(16, 24));
    EXPECT_EQ(loaded->fullSize, QSize(64, 96));
    EXPECT_LE(blockCentreDifference(loaded->image.scaled(64, 96), upright, 32), 40);

    // The bound may follow from the full upright size.
    QSize seen;
    request.atLeastFor = [&seen](QSize full) {
        seen = full;
        return QSize(full.width() / 2, full.height() / 2);
    };
    EXPECT_EQ(imaging::DecodePicture(jpeg, u"jpg", {}, request)->image.size(), QSize(32, 48));
    EXPECT_EQ(seen, QSize(64, 96));
}

// Values outside 1 to 8, a tag in a block that is not EXIF, and pictures of other formats
// leave the picture as stored.
TEST(OrientedJpeg, UnknownValuesAndForeignBlocksChangeNothing)
{
    const QImage picture = blocks(kBlock);
    for (int value : {0, 9, 255}) {
        const auto loaded = imaging::DecodePicture(jpegWithOrientation(picture, value), u"jpg");
        ASSERT_TRUE(loaded);
        EXPECT_LE(blockCentreDifference(loaded->image, picture, kBlock), 12) << value;
    }
    QByteArray xmp = jpegWithOrientation(picture, 6);
    xmp.replace(QByteArray("Exif\0\0", 6), QByteArray("Exof\0\0", 6));
    EXPECT_EQ(imaging::DecodePicture(xmp, u"jpg")->image.size(), picture.size());
    // A JPEG named .tif is read as the JPEG it is, and turned as one.
    const auto misnamed = imaging::DecodePicture(jpegWithOrientation(storedFor(picture, Orientation::Rotate270), 8), u"tif");
    ASSERT_TRUE(misnamed);
    EXPECT_LE(blockCentreDifference(misnamed->image, picture, kBlock), 12);
}

} // namespace
