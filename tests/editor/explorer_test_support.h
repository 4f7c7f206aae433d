#pragma once
// What the explorer tests share: the application object, a plain list of test entries,
// and helpers that press and release the mouse on a grid's cells.
#include "editor/grid/grid_list.h"
#include "editor/grid/thumbnail_grid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace explorer_test {

inline QApplication &application()
{
    static int argc = 1;
    static char name[] = "explorer_tests";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}

// Creates the application before the first test fixture makes a widget.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { application(); }
};
inline ::testing::Environment *const kApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

using TestList = editor::EntryList<editor::TEnrData>;

// Entries "/pics/Img0.JPG", "/pics/Img1.JPG"... with 60x40 thumbnails of distinct greys.
inline void fill(TestList &list, int count)
{
    for (int i = 0; i < count; ++i) {
        editor::TEnrData entry;
        entry.width = 600;
        entry.height = 400;
        entry.fileSize = 1000 * (i + 1);
        entry.thumbnail = QImage(60, 40, QImage::Format_BGR888);
        entry.thumbnail.fill(QColor(i * 10, i * 10, i * 10));
        list.append(QStringLiteral("/pics/Img%1.JPG").arg(i), entry);
    }
}

inline QStringList paths(const editor::GridList &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.path(i);
    return out;
}

inline std::vector<int> selected(const editor::GridList &list)
{
    std::vector<int> out;
    for (int i = 0; i < list.count(); ++i)
        if (list.entry(i).selected)
            out.push_back(i);
    return out;
}

inline QPoint cellCentre(const editor::ThumbnailGrid &grid, int index)
{
    return grid.cellRect(index).center();
}

inline void click(editor::ThumbnailGrid &grid, int index, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, cellCentre(grid, index));
}

// Presses on one cell, moves over and releases on another, as a drag does.
inline void drag(editor::ThumbnailGrid &grid, int from, QPoint to)
{
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, from));
    QTest::mouseMove(grid.viewport(), to);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, to);
}

} // namespace explorer_test
