// The "WEB" section of the configuration file: first-use values, the thirteen keys as
// written, and what a damaged value gives.
#include "editor/shell/core/config_file.h"
#include "editor/web/web_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;

TEST(WebSettings, FirstUseValues)
{
    const ConfigFile empty;
    const webgallery::GalleryOptions o = readWebSettings(empty);
    EXPECT_EQ(o.title, QString());
    EXPECT_EQ(o.columns, 5);
    EXPECT_EQ(o.rows, 10);
    EXPECT_EQ(o.border, 1);
    EXPECT_FALSE(o.thumbnailBorder);
    EXPECT_FALSE(o.captions);
    EXPECT_EQ(o.pageColour, 0u);
    EXPECT_EQ(o.textColour, 16777215u);
    EXPECT_EQ(o.lineColour, 12632256u);
}

TEST(WebSettings, WrittenKeysReadBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumivelle.cfg"));
    webgallery::GalleryOptions o;
    o.title = QStringLiteral("Vacances d'été");
    o.columns = 7;
    o.rows = 250;
    o.border = 0;
    o.thumbnailBorder = true;
    o.captions = true;
    o.copyright = QStringLiteral("© Zoë");
    o.email = QStringLiteral("zoe@exemple.fr");
    o.linkText = QStringLiteral("Accueil");
    o.url = QStringLiteral("../index.htm");
    o.pageColour = makeColour(255, 0, 128);
    {
        ConfigFile config(path);
        ASSERT_TRUE(config.writeString(QStringLiteral("Application"), QStringLiteral("FilterOk"), QStringLiteral("1")));
        ASSERT_TRUE(writeWebSettings(config, o));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char *line : {"[WEB]", "Title=Vacances d'été", "Col=7", "Line=250", "SizeBorder=0", "BorderVignette=1",
                             "AddComment=1", "Copyright=© Zoë", "EMail=zoe@exemple.fr", "UrlText=Accueil",
                             "URL=../index.htm", "ColorPage=8388863", "ColorText=16777215", "ColorLine=12632256",
                             "FilterOk=1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;

    const webgallery::GalleryOptions back = readWebSettings(ConfigFile(path));
    EXPECT_EQ(back.title, o.title);
    EXPECT_EQ(back.columns, 7);
    EXPECT_EQ(back.rows, 250);
    EXPECT_EQ(back.border, 0);
    EXPECT_TRUE(back.thumbnailBorder && back.captions);
    EXPECT_EQ(back.copyright, o.copyright);
    EXPECT_EQ(back.url, o.url);
    EXPECT_EQ(back.pageColour, o.pageColour);
}

TEST(WebSettings, ValuesThatAreNotNumbersGiveTheFirstUseOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumivelle.cfg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[WEB]\r\nCol=beaucoup\r\nLine=-4\r\nColorText=blanc\r\nAddComment=2\r\n");
    file.close();
    const webgallery::GalleryOptions o = readWebSettings(ConfigFile(path));
    EXPECT_EQ(o.columns, 5);
    EXPECT_EQ(o.rows, -4); // as stored: the dialog's field brings it to its minimum
    EXPECT_EQ(o.textColour, 16777215u);
    EXPECT_TRUE(o.captions);
}
