// Every picture of the shared fixtures loads with its stated size and shows the pattern.
#include "imaging/readers/picture_loader.h"
#include "test_pattern.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using namespace readers_test;

struct FixtureRow {
    QString path;  // relative to the fixtures folder
    int width = 0;
    int height = 0;
};

std::vector<FixtureRow> imageRows()
{
    std::vector<FixtureRow> rows;
    QFile manifest(QStringLiteral(LUMIVELLE_FIXTURES "/manifest.tsv"));
    if (!manifest.open(QIODevice::ReadOnly))
        return rows;
    manifest.readLine(); // column names
    while (!manifest.atEnd()) {
        const QStringList cells = QString::fromUtf8(manifest.readLine()).split(QLatin1Char('\t'));
        if (cells.size() < 3 || !cells[0].startsWith(QLatin1String("images/")) || cells[1].toInt() == 0)
            continue;
        rows.push_back({cells[0], cells[1].toInt(), cells[2].toInt()});
    }
    return rows;
}

std::string testName(const testing::TestParamInfo<FixtureRow> &info)
{
    QString name = QFileInfo(info.param.path).fileName();
    for (QChar &c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    return name.toStdString();
}

class FixturePicture : public testing::TestWithParam<FixtureRow> {};

TEST_P(FixturePicture, LoadsWithItsSizeAndPattern)
{
    const FixtureRow &row = GetParam();
    const auto loaded = imaging::LoadPicture(QStringLiteral(LUMIVELLE_FIXTURES "/") + row.path);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message.toStdString();
    const QImage &picture = loaded->image;
    ASSERT_EQ(picture.size(), QSize(row.width, row.height));
    ASSERT_TRUE(picture.format() == QImage::Format_BGR888 || picture.format() == QImage::Format_ARGB32);
    const Expectation expectation = expectationFor(row.path);
    EXPECT_EQ(picture.format() == QImage::Format_ARGB32, expectation.alpha != Alpha::None || row.path.startsWith(QLatin1String("images/ico/")));
    EXPECT_EQ(loaded->plainBitmap, row.path.startsWith(QLatin1String("images/bmp/")));
    const auto mismatch = firstMismatch(picture, expectation);
    EXPECT_FALSE(mismatch.has_value()) << mismatch.value_or(QString()).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Manifest, FixturePicture, testing::ValuesIn(imageRows()), testName);

TEST(FixtureManifest, ListsEveryExtensionOfTheProgram)
{
    QSet<QString> seen;
    for (const FixtureRow &row : imageRows())
        seen.insert(QFileInfo(row.path).suffix().toLower());
    for (const imaging::ImageExtension &e : imaging::ExtensionList())
        EXPECT_TRUE(seen.contains(e.extension)) << e.extension.toStdString();
}

} // namespace
