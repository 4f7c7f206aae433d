// The old .spr script: the slide count rule, line endings, the fixture, malformed scripts
// named by their line, and the import that fills slides from their pictures.
#include "documents/show/old_script.h"
#include "show_test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace showdoc;
using namespace show_test;

namespace {

QByteArray slideLines(const QByteArray &path, int time = 5)
{
    return path + "\r\n" + QByteArray::number(time) + "\r\n1\r\n12632256\r\n0\r\nLégende\r\n16777215\r\n";
}

QByteArray script(int last, int slides)
{
    QByteArray text = QByteArray::number(last) + "\r\n\r\n1\r\n1\r\n";
    for (int i = 0; i < slides; ++i)
        text += slideLines("/p/" + QByteArray::number(i) + ".jpg", i + 1);
    return text;
}

} // namespace

TEST(OldScript, TheFirstLineCountsTheSlidesLessOne)
{
    EXPECT_EQ(readOldScript(script(1, 2))->slides.size(), 2u);
    EXPECT_EQ(readOldScript(script(0, 1))->slides.size(), 1u);
    EXPECT_EQ(readOldScript(script(-1, 0))->slides.size(), 0u);
    EXPECT_EQ(readOldScript(script(-1, 3))->slides.size(), 0u) << "lines after the last slide are not read";
    EXPECT_EQ(readOldScript(script(0, 2))->slides.size(), 1u);
}

TEST(OldScript, TheFixtureGivesItsOptionsAndBothSlides)
{
    const QByteArray text = readBytes(QStringLiteral(LUMIVELLE_FIXTURES "/documents/ancien.spr"));
    const auto read = readOldScript(text);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_EQ(read->options.music, QStringLiteral("/musique/ancien.wav"));
    EXPECT_FALSE(read->options.loop);
    EXPECT_TRUE(read->options.allowCopy) << "5 is on";
    EXPECT_TRUE(read->options.maxQuality);
    ASSERT_EQ(read->slides.size(), 2u);
    const TEnrData_S &a = read->slides[0].entry;
    EXPECT_EQ(read->slides[0].path, QStringLiteral("/photos/ancien/a.jpg"));
    EXPECT_EQ(a.displayTime, 6);
    EXPECT_TRUE(a.border);
    EXPECT_EQ(a.borderColour, 12632256u);
    EXPECT_EQ(a.backgroundColour, 0u);
    EXPECT_EQ(a.caption, QStringLiteral("Première image"));
    EXPECT_EQ(a.captionColour, 16777215u);
    EXPECT_EQ(a.style, 0);
    const TEnrData_S &b = read->slides[1].entry;
    EXPECT_EQ(b.displayTime, 2);
    EXPECT_FALSE(b.border);
    EXPECT_EQ(b.borderColour, 255u);
    EXPECT_EQ(b.backgroundColour, 65280u);
    EXPECT_TRUE(b.caption.isEmpty());
    EXPECT_EQ(b.captionColour, 16711680u);
}

TEST(OldScript, AnyLineEndAndLeadingBlanksReadTheSame)
{
    const QByteArray crlf = script(1, 2);
    QByteArray lf = crlf, cr = crlf;
    lf.replace("\r\n", "\n");
    cr.replace("\r\n", "\r");
    QByteArray blanks = crlf;
    blanks.replace(0, 1, "   1"); // "1" of the first line
    for (const QByteArray &text : {lf, cr, blanks, crlf + "\r\n\r\n"}) {
        const auto read = readOldScript(text);
        ASSERT_TRUE(read) << read.error().message.toStdString();
        ASSERT_EQ(read->slides.size(), 2u);
        EXPECT_EQ(read->slides[1].path, QStringLiteral("/p/1.jpg"));
        EXPECT_EQ(read->slides[1].entry.displayTime, 2);
        EXPECT_EQ(read->slides[1].entry.caption, QStringLiteral("Légende"));
        EXPECT_TRUE(read->options.music.isEmpty()) << "an empty line is an empty music path";
    }
}

TEST(OldScript, OddValuesAreKeptWithinTheirFields)
{
    QByteArray text = "0\r\nC:\\Sons\\\xE9t\xE9.wav\r\n0\r\n0\r\n/p/a.jpg\r\n3\r\n7\r\n-1\r\n4294967295\r\n"
                      + QByteArray(100, 'c') + "\r\n-16777216\r\n";
    const auto read = readOldScript(text);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_EQ(read->options.music, QStringLiteral("C:\\Sons\\été.wav"));
    const TEnrData_S &e = read->slides[0].entry;
    EXPECT_TRUE(e.border) << "any value but 0 is on";
    EXPECT_EQ(e.borderColour, 0xFFFFFFFFu);
    EXPECT_EQ(e.backgroundColour, 0xFFFFFFFFu);
    EXPECT_EQ(e.captionColour, 0xFF000000u);
    EXPECT_EQ(e.caption, QString(80, QLatin1Char('c')));
}

TEST(OldScript, AMalformedScriptIsRefusedNamingItsLine)
{
    struct Case {
        QByteArray text;
        QString message;
    };
    QByteArray badTime = script(1, 2);
    badTime.replace("\r\n2\r\n1\r\n", "\r\ndeux\r\n1\r\n"); // slide 2's time, line 13
    const Case cases[] = {
        {"un\r\n", QStringLiteral("Ligne 1 du script : « un » n'est pas un nombre entier.")},
        {"", QStringLiteral("Script incomplet : la ligne 1 manque.")},
        {"1\r\n/m.wav\r\n", QStringLiteral("Script incomplet : la ligne 3 manque.")},
        {badTime, QStringLiteral("Ligne 13 du script : « deux » n'est pas un nombre entier.")},
        {script(2, 2), QStringLiteral("Script incomplet : la ligne 19 manque.")},
        {"0\r\n\r\n1\r\n1\r\n/a.jpg\r\n99999999999\r\n", QStringLiteral("Ligne 6 du script : « 99999999999 » n'est pas un nombre entier.")},
        {"2147483647\r\n\r\n1\r\n1\r\n", QStringLiteral("Script incomplet : la ligne 5 manque.")},
    };
    for (const Case &c : cases) {
        const auto read = readOldScript(c.text);
        ASSERT_FALSE(read) << c.text.toStdString();
        EXPECT_EQ(read.error().message, c.message);
    }
}

TEST(OldScript, TheProjectIsNamedAfterTheScriptButNeverIsTheScript)
{
    EXPECT_EQ(projectPathForScript(QStringLiteral("/shows/Noel.spr")), QStringLiteral("/shows/Noel.dap"));
    EXPECT_EQ(projectPathForScript(QStringLiteral("/shows/a.b.spr")), QStringLiteral("/shows/a.b.dap"));
    EXPECT_EQ(projectPathForScript(QStringLiteral("/shows/sans")), QStringLiteral("/shows/sans.dap"));
    EXPECT_EQ(projectPathForScript(QStringLiteral("/shows/deja.dap")), QStringLiteral("/shows/deja.dap.dap"));
}

TEST(OldScriptImport, SlidesAreFilledFromTheirPicturesAndMissingOnesLeftOut)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.png"));
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    ASSERT_TRUE(solid(400, 300, Qt::green).save(a));
    ASSERT_TRUE(writeBytes(broken, "not a picture"));
    const QByteArray text = "2\r\n\r\n1\r\n0\r\n" + slideLines(a.toUtf8(), 4) + slideLines("/nowhere/b.jpg")
                            + slideLines(broken.toUtf8(), 9);
    const QString scriptPath = dir.filePath(QStringLiteral("old.spr"));
    ASSERT_TRUE(writeBytes(scriptPath, text));

    int steps = 0;
    const auto imported = importOldScript(scriptPath, true, [&](int, int total) {
        ++steps;
        EXPECT_EQ(total, 3);
    });
    ASSERT_TRUE(imported) << imported.error().message.toStdString();
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(imported->missingPictures, QStringList{QStringLiteral("/nowhere/b.jpg")});
    EXPECT_FALSE(imported->project.options.allowCopy);
    ASSERT_EQ(imported->project.slides.size(), 2u);
    const ShowSlide &first = imported->project.slides[0];
    EXPECT_EQ(first.entry.width, 400);
    EXPECT_EQ(first.entry.height, 300);
    EXPECT_EQ(first.entry.thumbnail.size(), QSize(100, 75));
    EXPECT_GT(first.entry.fileSize, 0);
    EXPECT_EQ(first.entry.displayTime, 4);
    const ShowSlide &second = imported->project.slides[1];
    EXPECT_EQ(second.path, broken) << "a picture that cannot be read is still a slide";
    EXPECT_TRUE(second.entry.thumbnail.isNull());
    EXPECT_EQ(second.entry.width, 0);
    EXPECT_EQ(second.entry.fileSize, 13);
    EXPECT_EQ(second.entry.displayTime, 9);

    EXPECT_FALSE(importOldScript(dir.filePath(QStringLiteral("none.spr")), true));
}
