// Scanning folders that hold files meant to hurt: a picture of 20000 x 20000 pixels, a
// sparse .jpg of 40 GB, a named pipe and a file another program keeps shortening. The
// scan ends, lists every readable picture in name order, and the program lives on.
#include "editor/explorer/image_explorer.h"
#include "imaging/jpeg_codec.h"
#include "explorer_on_screen.h"
#include "explorer_test_support.h"

#include <QFile>
#include <QtEndian>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <zlib.h>

using namespace editor;
using namespace explorer_test;

namespace {

constexpr int kHugeSide = 20000;

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.data()), uInt(body.size()))), crc.data());
    return chunk + body + crc;
}

// A 20000 x 20000 RGB PNG of one colour (about 1.2 MB), compressed row by row.
void writeHugePng(const QString &path)
{
    QByteArray header(13, '\0');
    qToBigEndian(quint32(kHugeSide), header.data());
    qToBigEndian(quint32(kHugeSide), header.data() + 4);
    header[8] = 8, header[9] = 2; // 8 bits, RGB
    QByteArray row(1 + 3 * kHugeSide, '\x60');
    row[0] = 0; // no filter
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, 1), Z_OK);
    QByteArray compressed, buffer(1 << 16, '\0');
    for (int y = 0; y <= kHugeSide; ++y) {
        const bool last = y == kHugeSide;
        z.next_in = reinterpret_cast<Bytef *>(last ? nullptr : row.data());
        z.avail_in = last ? 0 : uInt(row.size());
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(buffer.constData(), buffer.size() - qsizetype(z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", compressed)
               + pngChunk("IEND", {}));
}

class HostileFilesTest : public ExplorerOnScreenTest {
protected:
    void smallJpeg(const char *name)
    {
        QImage picture(120, 80, QImage::Format_BGR888);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(imaging::saveJpegFile(picture, file(QString::fromUtf8(name)), 90));
    }
};

TEST_F(HostileFilesTest, AHugePictureHoldsUpOnlyItsOwnCell)
{
    writeHugePng(file(QStringLiteral("a_huge.png")));
    for (const char *name : {"b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "g.jpg"})
        smallJpeg(name);
    QStringList firstListed; // the list when the first entry came in
    QObject::connect(&explorer, &ImageExplorer::countChanged, [&] {
        if (firstListed.isEmpty() && explorer.list().count() > 0)
            firstListed = paths(explorer.list());
    });
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    ASSERT_EQ(firstListed.size(), 1);
    EXPECT_NE(firstListed.first().toStdString(), file(QStringLiteral("a_huge.png")).toStdString())
        << "the small pictures come while it decodes";
    const QStringList listed = paths(explorer.list());
    ASSERT_EQ(listed.size(), 7);
    EXPECT_EQ(listed.first(), file(QStringLiteral("a_huge.png"))) << "and it takes its place in name order";
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end())) << listed.join(u' ').toStdString();
    EXPECT_EQ(explorer.list().entry(0).width, kHugeSide);
    EXPECT_EQ(explorer.list().entry(0).thumbnail.size(), QSize(100, 100));
    EXPECT_EQ(explorer.list().state().currentIndex, 0);
}

TEST_F(HostileFilesTest, TheScanEndsAndListsEveryReadablePicture)
{
    writeHugePng(file(QStringLiteral("c_huge.png")));
    // A JPEG head, then 40 GB of nothing: the file system stores no data for it.
    smallJpeg("b_sparse.jpg");
    QFile sparse(file(QStringLiteral("b_sparse.jpg")));
    ASSERT_TRUE(sparse.resize(qint64(40) << 30));
    ASSERT_EQ(mkfifo(QFile::encodeName(file(QStringLiteral("d_pipe.jpg"))).constData(), 0600), 0);
    smallJpeg("a.jpg");
    smallJpeg("f.jpg");

    // Another program writes a picture over and over and cuts it short each time.
    smallJpeg("e_shrinking.jpg");
    QFile whole(file(QStringLiteral("e_shrinking.jpg")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray picture = whole.readAll();
    whole.close();
    std::atomic<bool> stop = false;
    std::thread shrinker([&] {
        QFile out(file(QStringLiteral("e_shrinking.jpg")));
        while (!stop) {
            if (out.open(QIODevice::WriteOnly)) {
                out.write(picture);
                out.flush();
                out.resize(picture.size() / 3);
                out.close();
            }
        }
    });
    const bool accepted = explorer.folderSelected(dir.path());
    stop = true;
    shrinker.join();

    ASSERT_TRUE(accepted);
    EXPECT_FALSE(explorer.isBusy());
    QStringList listed = paths(explorer.list());
    listed.removeAll(file(QStringLiteral("e_shrinking.jpg"))); // read whole or cut short: either may happen
    EXPECT_EQ(listed, (QStringList{file(QStringLiteral("a.jpg")), file(QStringLiteral("c_huge.png")),
                                   file(QStringLiteral("f.jpg"))}));
    for (int i = 0; i < explorer.list().count(); ++i)
        EXPECT_FALSE(explorer.list().entry(i).thumbnail.isNull()) << i;
}

} // namespace
