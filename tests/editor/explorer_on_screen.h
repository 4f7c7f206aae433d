#pragma once
// A fixture with an image explorer in a shown window: its 190 x 170 preview panel beside
// its grid, and a temporary folder for the pictures.
#include "editor/explorer/image_explorer.h"
#include "editor/shell/core/editor_settings.h"
#include "explorer_test_support.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace explorer_test {

class ExplorerOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QHBoxLayout(&window);
        previewPanel->setFixedSize(190, 170);
        layout->addWidget(previewPanel);
        layout->addWidget(explorer.GrilleImage());
        window.resize(800, 500);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString file(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    editor::EditorSettings settings;
    QWidget window;
    QWidget *previewPanel = nullptr; // owned by the window
    QProgressBar progress;
    editor::ImageExplorer explorer{settings, previewPanel = new QWidget(&window), &progress};
};

} // namespace explorer_test
