#pragma once
// What the main window needs of each of its three thumbnail grids (explorer, show,
// album): the grid areas put their grid widget in the window through this interface.
// Until an area provides its grid, the window shows an empty grid of its own.
#include "base/colour.h"

#include <QWidget>

namespace editor {

class ThumbnailGridView {
public:
    virtual ~ThumbnailGridView() = default;
    virtual QWidget *widget() = 0;
    virtual bool hasEntries() const = 0;
    // The background colour of the grid and the outline of its cells; repaints the grid.
    virtual void setGridColour(Colour cologrid) = 0;
    // The height under each thumbnail (35 with the name and size lines, 6 without).
    virtual void setExtraCellHeight(int height) = 0;
    // Recomputes the columns and rows.
    virtual void layoutGrid() = 0;
    virtual void repaintGrid() { widget()->update(); }
};

// An empty grid: the background colour and nothing else.
class EmptyThumbnailGrid final : public QWidget, public ThumbnailGridView {
    Q_OBJECT
public:
    explicit EmptyThumbnailGrid(QWidget *parent = nullptr);
    QWidget *widget() override { return this; }
    bool hasEntries() const override { return false; }
    void setGridColour(Colour cologrid) override;
    void setExtraCellHeight(int) override {}
    void layoutGrid() override {}
};

} // namespace editor
