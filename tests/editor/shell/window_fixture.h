#pragma once
// A main window over a configuration file in a temporary folder, with its questions
// answered by a RecordingPrompter.
#include "editor/shell/core/config_file.h"
#include "editor/shell/main_window.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "tests/recording_prompter.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// A grid that counts what the window asks of it.
class CountingGrid final : public QWidget, public editor::ThumbnailGridView {
public:
    bool entries = false;
    int layouts = 0;
    int extraHeight = -1;
    Colour colour = 0;
    int colourChanges = 0;
    QWidget *widget() override { return this; }
    bool hasEntries() const override { return entries; }
    void setGridColour(Colour c) override { colour = c; ++colourChanges; }
    void setExtraCellHeight(int height) override { extraHeight = height; }
    void layoutGrid() override { ++layouts; }
};

class WindowTest : public ::testing::Test {
protected:
    QString configPath() const { return m_dir.filePath("Lumivelle.cfg"); }
    void writeConfig(const QByteArray &text);
    editor::TMainLumivelle3000 &openWindow();
    void closeWindow() { m_window.reset(); m_config.reset(); }
    editor::TMainLumivelle3000 &window() { return *m_window; }
    void TearDown() override { closeWindow(); }

    QTemporaryDir m_dir;
    RecordingPrompter m_prompter;
    std::unique_ptr<editor::ConfigFile> m_config;
    std::unique_ptr<editor::TMainLumivelle3000> m_window;
};
