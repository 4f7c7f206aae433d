// The explorer inside the main window: the folder tree starts scans, Escape pressed in the
// window stops them, the count reaches the status line, the commands reach the grid and
// the enabling rules see the explorer list.
#include "editor/explorer/explorer_window.h"
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "editor/shell/status_line.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "imaging/jpeg_codec.h"
#include "explorer_test_support.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace editor;
using namespace explorer_test;

namespace {

class ExplorerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 12; ++i) {
            QImage picture(400, 300, QImage::Format_BGR888);
            picture.fill(QColor(20 * i, 100, 200 - 10 * i));
            ASSERT_TRUE(imaging::saveJpegFile(picture, folder.filePath(QStringLiteral("img%1.jpg").arg(i, 2, 10, QLatin1Char('0'))), 85));
        }
        config = std::make_unique<ConfigFile>(configDir.filePath(QStringLiteral("Lumivelle.cfg")));
        window = std::make_unique<TMainLumivelle3000>(*config);
        explorer = installImageExplorer(*window);
        selectInTree(folder.path());
        window->resize(900, 650);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The folder the tree shows at start is scanned once the window is up.
        ASSERT_TRUE(QTest::qWaitFor([&] { return explorer->list().count() == 12 && !explorer->isBusy(); }, 10000));
    }

    void selectInTree(const QString &path)
    {
        QTreeView *tree = window->folderTree();
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        tree->setCurrentIndex(model->index(path));
    }
    QString countText() const { return window->statusLine()->panelText(2); }

    QTemporaryDir configDir, folder;
    std::unique_ptr<ConfigFile> config;
    std::unique_ptr<TMainLumivelle3000> window;
    ImageExplorer *explorer = nullptr;
};

TEST_F(ExplorerWindowTest, StartScanFillsGridCountAndPreview)
{
    EXPECT_EQ(window->grid(GridSlot::Explorer)->widget(), explorer->GrilleImage());
    EXPECT_EQ(countText(), QStringLiteral(" 12 élément(s) trouvé(s)"));
    // Layouts after a resize keep the current path, not the current index.
    EXPECT_EQ(explorer->list().state().currentPath, folder.filePath(QStringLiteral("img00.jpg")));
    EXPECT_TRUE(explorer->list().entry(0).selected);
    EXPECT_FALSE(explorer->preview().isEmpty());
    EXPECT_EQ(explorer->preview().imageView()->parentWidget(), window->previewPanel());
    const CommandState state = window->currentState();
    EXPECT_TRUE(state.explorer.notEmpty);
    EXPECT_EQ(state.explorer.selected, 1);
    EXPECT_FALSE(state.explorer.busy);
}

TEST_F(ExplorerWindowTest, EscapeInTheWindowStopsTheScanAndTheTreeWaits)
{
    QTemporaryDir other;
    bool busySeen = false;
    QObject::connect(explorer, &ImageExplorer::countChanged, [&] {
        if (explorer->list().count() != 2)
            return;
        busySeen = window->currentState().explorer.busy;
        selectInTree(other.path()); // refused while the list is busy
        QTest::keyClick(explorer->GrilleImage(), Qt::Key_Escape);
    });
    window->command(CommandId::Actualiser).execute();
    EXPECT_TRUE(busySeen);
    EXPECT_EQ(explorer->list().count(), 2);
    EXPECT_EQ(countText(), QStringLiteral(" 2 élément(s) trouvé(s)"));
    EXPECT_EQ(explorer->currentFolder(), folder.path());
    QTest::qWait(20);
    auto *model = qobject_cast<QFileSystemModel *>(window->folderTree()->model());
    EXPECT_EQ(model->filePath(window->folderTree()->currentIndex()), folder.path());
}

TEST_F(ExplorerWindowTest, CommandsReachTheExplorerGridOnItsTabOnly)
{
    window->command(CommandId::SelectAll).execute();
    EXPECT_EQ(explorer->list().selectedCount(), 12);
    window->command(CommandId::InvertSelect).execute();
    EXPECT_EQ(explorer->list().selectedCount(), 0);

    window->setActiveTab(2);
    window->command(CommandId::SelectAll).execute();
    EXPECT_EQ(explorer->list().selectedCount(), 0);
    window->setActiveTab(1);

    explorer->GrilleImage()->SetSelected(3, true);
    const QString third = explorer->list().path(3);
    window->command(CommandId::Tri).execute(); // already sorted: order and flags stay
    EXPECT_EQ(explorer->list().path(3), third);
    EXPECT_EQ(explorer->list().selectedCount(), 1);
}

TEST_F(ExplorerWindowTest, OptionsColoursReachTheGrid)
{
    window->settings().colosel = 0x0000FF;
    window->settings().colonorm = 0x00FF00;
    window->grid(GridSlot::Explorer)->setGridColour(0xFF0000);
    const GridLook &look = explorer->GrilleImage()->look();
    EXPECT_EQ(look.colosel, 0x0000FFu);
    EXPECT_EQ(look.colonorm, 0x00FF00u);
    EXPECT_EQ(look.cologrid, 0xFF0000u);
    window->grid(GridSlot::Explorer)->setExtraCellHeight(6);
    EXPECT_EQ(explorer->GrilleImage()->cellHeight(), 106);
}

} // namespace
