// Rotation through the window: the keys and the toolbar buttons turn the picture of the
// active tab's one selected entry, write it back and refresh that tab.
#include "editor/tools/form_save.h"
#include "editor/tools/rotation_commands.h"
#include "imaging/jpeg_codec.h"
#include "imaging/tools/rotate_bitmap.h"
#include "tools_window_fixture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace editor;
using namespace tools_test;
using namespace tools_window_test;

namespace {

using TestList = EntryList<TEnrData>;

TEnrData selectedEntry(int width, int height)
{
    TEnrData entry;
    entry.width = width;
    entry.height = height;
    entry.selected = true;
    entry.thumbnail = QImage(10, 10, QImage::Format_BGR888);
    entry.thumbnail.fill(Qt::black);
    return entry;
}

} // namespace

class RotationTest : public ToolsWindowTest {
protected:
    void writePictures() override
    {
        writeBmp(file("Scan.BMP"), numbered(64, 48));
        writeAll(file("photo.jpg"), *imaging::encodeJpeg(numbered(80, 60), 90));
        ASSERT_TRUE(numbered(30, 20).save(file("carte.png")));
    }
    void SetUp() override
    {
        ToolsWindowTest::SetUp();
        window().setList(GridSlot::Show, &slides);
        window().setList(GridSlot::Album, &album);
        window().stateProvider().slides = [this] {
            return ListState{!slides.isEmpty(), slides.selectedCount(), slides.state().busy};
        };
        window().stateProvider().album = [this] {
            return ListState{!album.isEmpty(), album.selectedCount(), album.state().busy};
        };
        window().stateProvider().showOpen = [] { return true; };
        window().stateProvider().albumOpen = [] { return true; };
        window().documents().markShowModified = [this] { ++showMarked; };
        window().documents().markAlbumModified = [this] { ++albumMarked; };
    }
    void TearDown() override
    {
        window().setList(GridSlot::Show, nullptr);
        window().setList(GridSlot::Album, nullptr);
        ToolsWindowTest::TearDown();
    }
    QToolButton *toolbarButton(const QString &tip)
    {
        for (QToolButton *b : window().findChildren<QToolButton *>())
            if (b->toolTip() == tip)
                return b;
        return nullptr;
    }

    TestList slides, album;
    int showMarked = 0, albumMarked = 0;
};

TEST_F(RotationTest, ExplorerKeysAndButtonsTurnTheCurrentPictureAndRefreshItsThumbnail)
{
    const QByteArray original = readAll(file("Scan.BMP"));
    clickExplorerEntry("Scan.BMP");
    ASSERT_EQ(explorerList().selectedCount(), 1);
    const int scan = explorerIndex("Scan.BMP");

    press(Qt::CTRL | Qt::Key_F10); // 90 degrés à droite
    EXPECT_EQ(loaded(file("Scan.BMP")), *imagetools::RotateBitmap(270, numbered(64, 48)));
    EXPECT_EQ(explorerList().entry(scan).width, 48);
    EXPECT_EQ(explorerList().entry(scan).height, 64);
    EXPECT_EQ(explorerList().entry(scan).thumbnail.size(), QSize(48, 64)); // never enlarged

    QToolButton *left = toolbarButton(QStringLiteral("Pivoter l'image de 90 degrés à gauche"));
    ASSERT_TRUE(left);
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_EQ(readAll(file("Scan.BMP")), original); // right then left: the same file
    EXPECT_EQ(explorerList().entry(scan).width, 64);

    press(Qt::CTRL | Qt::Key_F12); // 180 degrés
    EXPECT_EQ(loaded(file("Scan.BMP")), *imagetools::RotateBitmap(180, numbered(64, 48)));
    EXPECT_TRUE(m_prompter.asked.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(showMarked + albumMarked, 0);
}

TEST_F(RotationTest, NothingTurnsWithoutExactlyOneSelectedEntry)
{
    const QByteArray before = readAll(file("Scan.BMP")) + readAll(file("photo.jpg"));
    press(Qt::CTRL | Qt::Key_A);
    ASSERT_GT(explorerList().selectedCount(), 1);
    press(Qt::CTRL | Qt::Key_F10);
    QTest::mouseClick(toolbarButton(QStringLiteral("Pivoter l'image de 90 degrés à droite")), Qt::LeftButton);
    EXPECT_EQ(readAll(file("Scan.BMP")) + readAll(file("photo.jpg")), before);
    // On the show tab the explorer's keys do nothing.
    clickExplorerEntry("Scan.BMP");
    window().setActiveTab(2);
    press(Qt::CTRL | Qt::Key_F10);
    EXPECT_EQ(readAll(file("Scan.BMP")) + readAll(file("photo.jpg")), before);
}

TEST_F(RotationTest, AFailedWriteTellsTheUserAndKeepsTheFile)
{
    clickExplorerEntry("photo.jpg");
    ASSERT_EQ(explorerList().selectedCount(), 1);
    ASSERT_TRUE(explorerList().entry(explorerIndex("photo.jpg")).selected);
    const QByteArray before = readAll(file("photo.jpg"));
    {
        FileSizeLimit full(1000);
        press(Qt::CTRL | Qt::Key_F11);
    }
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Error);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("Impossible d'enregistrer les modifications de l'image"));
    EXPECT_EQ(readAll(file("photo.jpg")), before);
    EXPECT_EQ(explorerList().entry(explorerIndex("photo.jpg")).width, 80);
}

TEST_F(RotationTest, OnTheShowTabTheSlidePictureTurnsAndTheShowIsModified)
{
    slides.append(file("photo.jpg"), selectedEntry(80, 60));
    window().setActiveTab(2);
    press(Qt::SHIFT | Qt::Key_F11); // 90 degrés à gauche
    EXPECT_EQ(loaded(file("photo.jpg")).size(), QSize(60, 80));
    EXPECT_EQ(slides.entry(0).width, 60);
    EXPECT_EQ(slides.entry(0).height, 80);
    EXPECT_EQ(slides.entry(0).thumbnail.size(), QSize(60, 80));
    EXPECT_TRUE(slides.entry(0).selected);
    EXPECT_EQ(showMarked, 1);

    slides.state().busy = true; // nothing while the list is being rebuilt
    press(Qt::SHIFT | Qt::Key_F11);
    QTest::mouseClick(toolbarButton(QStringLiteral("Pivoter l'image de 90 degrés à gauche")), Qt::LeftButton);
    EXPECT_EQ(loaded(file("photo.jpg")).size(), QSize(60, 80));
    EXPECT_EQ(showMarked, 1);
    EXPECT_EQ(albumMarked, 0);
}

TEST_F(RotationTest, OnTheAlbumTabOtherFormatsAskAndTheAlbumIsModifiedEvenWithoutAFile)
{
    const QByteArray png = readAll(file("carte.png"));
    album.append(file("carte.png"), selectedEntry(30, 20));
    window().setActiveTab(3);

    whenOpen<TFormSave>([](TFormSave &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choix du format d'enregistrement"));
        EXPECT_TRUE(dialog.radioJpeg->isChecked());
        clickBox(dialog.radioBitmap);
        QTest::mouseClick(dialog.findChild<QPushButton *>("ButtonOk"), Qt::LeftButton);
    });
    press(Qt::SHIFT | Qt::Key_F10);
    EXPECT_EQ(loaded(file("carte.bmp")), *imagetools::RotateBitmap(270, numbered(30, 20)));
    EXPECT_EQ(readAll(file("carte.png")), png);
    EXPECT_EQ(albumMarked, 1);
    // The explorer was read again: it lists the new file and selects nothing.
    EXPECT_TRUE(explorerPaths().contains(file("carte.bmp")));
    EXPECT_EQ(explorerList().selectedCount(), 0);

    whenOpen<TFormSave>([](TFormSave &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>("ButtonAnnuler"), Qt::LeftButton);
    });
    press(Qt::SHIFT | Qt::Key_F12);
    EXPECT_FALSE(QFile::exists(file("carte.jpg")));
    EXPECT_EQ(albumMarked, 2);

    album.clear();
    album.append(file("gone.jpg"), selectedEntry(10, 10));
    press(Qt::SHIFT | Qt::Key_F10);
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].kind, messages::Kind::Information);
    EXPECT_EQ(m_prompter.asked[0].text, QStringLiteral("L'image n'est pas accessible depuis son emplacement d'origine."));
    EXPECT_EQ(albumMarked, 3);
    EXPECT_EQ(showMarked, 0);
}

TEST(RotationAngle, TagsGiveCounterClockwiseAngles)
{
    EXPECT_EQ(rotationAngle(1), 270);
    EXPECT_EQ(rotationAngle(2), 90);
    EXPECT_EQ(rotationAngle(3), 180);
    EXPECT_EQ(rotationAngle(0), 0);
    EXPECT_EQ(rotationAngle(4), 0);
}
