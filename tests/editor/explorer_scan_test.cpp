// The explorer tab's list: scanning a folder into the grid, stopping a scan, the first
// entry made current, the quick preview and the thumbnail refresh.
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"
#include "imaging/jpeg_codec.h"
#include "explorer_on_screen.h"
#include "explorer_test_support.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace editor;
using namespace explorer_test;

namespace {

QImage plain(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_BGR888);
    picture.fill(colour);
    return picture;
}

// Records the warnings instead of showing them.
class WarningRecorder : public messages::Prompter {
public:
    QStringList warnings;
    messages::Answer ask(messages::Kind kind, const QString &text, messages::Buttons) override
    {
        if (kind == messages::Kind::Warning)
            warnings << text;
        return messages::Answer::Ok;
    }
};

class ScanTest : public ExplorerOnScreenTest {
protected:
    void SetUp() override
    {
        ExplorerOnScreenTest::SetUp();
        counts = std::make_unique<QSignalSpy>(&explorer, &ImageExplorer::countChanged);
    }

    void jpeg(const QString &name, int width, int height, QColor colour = Qt::red)
    {
        ASSERT_TRUE(imaging::saveJpegFile(plain(width, height, colour), file(name), 90));
    }
    void png(const QString &name, int width, int height) { ASSERT_TRUE(plain(width, height, Qt::blue).save(file(name))); }
    QString lastCount() const { return counts->isEmpty() ? QString() : counts->last().at(0).toString(); }
    QLabel *imageView() const { return explorer.preview().imageView(); }

    std::unique_ptr<QSignalSpy> counts;
    WarningRecorder recorder;
    messages::ScopedPrompter prompter{recorder};
};

TEST_F(ScanTest, ListsPicturesInNameOrderAndPreviewsTheFirst)
{
    jpeg(QStringLiteral("a.JPG"), 640, 480);
    png(QStringLiteral("B.png"), 50, 60);
    QFile text(file(QStringLiteral("c.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    jpeg(QStringLiteral(".d.jpg"), 20, 20);
    QFile broken(file(QStringLiteral("e.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8 not a picture");
    broken.close();

    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    ExplorerList &list = explorer.list();
    EXPECT_EQ(paths(list), (QStringList{file(QStringLiteral("a.JPG")), file(QStringLiteral("B.png"))}));
    EXPECT_EQ(list.entry(0).thumbnail.size(), QSize(100, 75));
    EXPECT_EQ(list.entry(1).width, 50);
    EXPECT_EQ(selected(list), std::vector<int>{0});
    EXPECT_EQ(list.state().currentIndex, 0);
    EXPECT_EQ(list.state().currentPath, file(QStringLiteral("a.JPG")));
    EXPECT_EQ(lastCount(), QStringLiteral(" 2 élément(s) trouvé(s)"));
    EXPECT_FALSE(list.state().busy);
    EXPECT_EQ(progress.value(), 0);

    // 640 x 480 in the 190 x 170 panel: 180 x 135, centred at 5, 17.
    EXPECT_EQ(imageView()->geometry(), QRect(5, 17, 180, 135));
    EXPECT_TRUE(imageView()->isVisible());
    EXPECT_EQ(list.lastPreviewedPath, file(QStringLiteral("a.JPG")));

    click(*explorer.GrilleImage(), 1);
    EXPECT_EQ(imageView()->geometry(), QRect(70, 55, 50, 60));
}

TEST_F(ScanTest, EscapeStopsOnlyTheScanThatRuns)
{
    for (int i = 0; i < 30; ++i)
        jpeg(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), 300, 200);
    QObject::connect(&explorer, &ImageExplorer::countChanged, [this] {
        if (explorer.list().count() == 3)
            explorer.list().cancel = true; // what Escape does
    });
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_EQ(explorer.list().count(), 3);
    EXPECT_EQ(lastCount(), QStringLiteral(" 3 élément(s) trouvé(s)"));
    EXPECT_EQ(explorer.GrilleImage()->rowCount(), 1);
    // The entries come as the workers finish them, each at its place in name order.
    const QStringList listed = paths(explorer.list());
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end())) << listed.join(u' ').toStdString();
    EXPECT_FALSE(explorer.isBusy());

    // The flag is still set from the last Escape; the next scan clears it and runs to the end.
    explorer.list().cancel = true;
    QObject::disconnect(&explorer, &ImageExplorer::countChanged, nullptr, nullptr);
    explorer.ActualiserExecute();
    EXPECT_EQ(explorer.list().count(), 30);
    EXPECT_EQ(explorer.list().state().currentIndex, 0);
}

TEST_F(ScanTest, WhileBusyTheFolderAndRefreshAreRefused)
{
    for (int i = 0; i < 4; ++i)
        jpeg(QStringLiteral("p%1.jpg").arg(i), 30, 20);
    QTemporaryDir other;
    bool refused = false;
    QObject::connect(&explorer, &ImageExplorer::countChanged, [&] {
        if (explorer.list().count() != 1)
            return;
        refused = !explorer.folderSelected(other.path());
        explorer.ActualiserExecute();
    });
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    EXPECT_TRUE(refused);
    EXPECT_EQ(explorer.currentFolder(), dir.path());
    EXPECT_EQ(explorer.list().count(), 4);
}

TEST_F(ScanTest, OtherCallersLeaveNoEntrySelected)
{
    jpeg(QStringLiteral("a.jpg"), 30, 20);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    explorer.ScanFolder(ImageExplorer::ScanStart::Other);
    EXPECT_EQ(explorer.list().count(), 1);
    EXPECT_TRUE(selected(explorer.list()).empty());
    EXPECT_EQ(explorer.list().state().currentIndex, -1);
    EXPECT_TRUE(explorer.preview().isEmpty());
}

TEST_F(ScanTest, PreviewSwitchedOffReadsNothing)
{
    jpeg(QStringLiteral("a.jpg"), 64, 48);
    jpeg(QStringLiteral("b.jpg"), 48, 64);
    settings.Apercu = false;
    explorer.setPreviewOn(false);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    click(*explorer.GrilleImage(), 1);
    EXPECT_TRUE(explorer.preview().isEmpty());

    settings.Apercu = true;
    explorer.setPreviewOn(true);
    click(*explorer.GrilleImage(), 1); // the same image: still nothing to draw
    EXPECT_TRUE(explorer.preview().isEmpty());
    click(*explorer.GrilleImage(), 0);
    EXPECT_EQ(explorer.preview().picture().size(), QSize(64, 48));

    explorer.setPreviewOn(false);
    EXPECT_TRUE(explorer.preview().isEmpty());
    explorer.setPreviewOn(true);
    explorer.previewSplitterMoved(); // a splitter move redraws it
    EXPECT_EQ(explorer.preview().picture().size(), QSize(64, 48));
}

TEST_F(ScanTest, RefreshRemakesSelectedThumbnailsAndWarnsForVanishedFiles)
{
    jpeg(QStringLiteral("a.jpg"), 200, 100);
    jpeg(QStringLiteral("b.jpg"), 200, 100);
    jpeg(QStringLiteral("c.jpg"), 200, 100);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    click(*explorer.GrilleImage(), 2, Qt::ControlModifier); // a and c selected

    jpeg(QStringLiteral("a.jpg"), 100, 300, Qt::green);
    jpeg(QStringLiteral("b.jpg"), 100, 300, Qt::green); // not selected: stays as it was
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("c.jpg"))));
    explorer.RefreshVignetteExecute();

    const ExplorerList &list = explorer.list();
    EXPECT_EQ(list.entry(0).height, 300);
    EXPECT_EQ(list.entry(0).thumbnail.size(), QSize(33, 100));
    EXPECT_EQ(list.entry(1).height, 100);
    EXPECT_EQ(list.entry(2).height, 100);
    EXPECT_EQ(selected(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(recorder.warnings, QStringList{QStringLiteral("Le fichier n'existe plus à l'emplacement d'origine !")});
    EXPECT_EQ(progress.value(), 0);
}

TEST_F(ScanTest, ReloadOfAnUnreadableFileKeepsTheEntry)
{
    jpeg(QStringLiteral("a.jpg"), 200, 100);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    QFile damaged(file(QStringLiteral("a.jpg")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("junk");
    damaged.close();
    explorer.ReloadEntry(0);
    EXPECT_EQ(explorer.list().entry(0).width, 200);
    EXPECT_EQ(explorer.list().entry(0).thumbnail.size(), QSize(100, 50));
    EXPECT_TRUE(explorer.list().entry(0).selected);
    EXPECT_FALSE(explorer.isBusy());
}

TEST_F(ScanTest, ClearingEmptiesListPreviewAndCount)
{
    jpeg(QStringLiteral("a.jpg"), 200, 100);
    ASSERT_TRUE(explorer.folderSelected(dir.path()));
    explorer.ClearExplorerList();
    EXPECT_TRUE(explorer.list().isEmpty());
    EXPECT_TRUE(explorer.preview().isEmpty());
    EXPECT_TRUE(explorer.list().lastPreviewedPath.isEmpty());
    EXPECT_TRUE(explorer.list().state().currentPath.isEmpty());
    EXPECT_EQ(explorer.list().state().currentIndex, -1);
    EXPECT_EQ(lastCount(), QStringLiteral(" 0 élément(s) trouvé(s)"));
}

} // namespace
