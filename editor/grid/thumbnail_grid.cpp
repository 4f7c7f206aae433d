#include "editor/grid/thumbnail_grid.h"

#include "editor/grid/grid_geometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace editor {

ThumbnailGrid::ThumbnailGrid(QWidget *parent)
    : QAbstractScrollArea(parent), m_selection([this](int index) { repaintCell(index); })
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(true);
    viewport()->setAutoFillBackground(false);
}

void ThumbnailGrid::setList(GridList *list)
{
    m_selection.setList(list);
    LayoutGrid();
}

void ThumbnailGrid::setLook(const GridLook &look)
{
    const bool heightChanged = look.infoVignette != m_look.infoVignette;
    m_look = look;
    if (heightChanged)
        updateScrollRange();
    viewport()->update();
}

int ThumbnailGrid::rowCount() const
{
    return rowsForCount(list() ? list()->count() : 0, m_columns);
}

int ThumbnailGrid::cellHeight() const
{
    return editor::cellHeight(m_look.infoVignette);
}

int ThumbnailGrid::scrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

int ThumbnailGrid::contentOffset() const
{
    return verticalScrollBar()->value();
}

QRect ThumbnailGrid::cellRect(int index) const
{
    return cellRectForIndex(index, m_columns, cellHeight()).translated(0, -contentOffset());
}

int ThumbnailGrid::indexAt(QPoint viewportPoint) const
{
    return cellIndexAt(viewportPoint + QPoint(0, contentOffset()), m_columns, rowCount(), cellHeight());
}

void ThumbnailGrid::setColumnsFromWidth()
{
    m_columns = columnsForWidth(width(), scrollBarWidth());
    updateScrollRange();
}

void ThumbnailGrid::LayoutGrid()
{
    GridList *l = list();
    const bool wasBusy = l && l->state().busy;
    if (l)
        l->state().busy = true;
    setColumnsFromWidth();
    viewport()->update();
    if (l) {
        l->state().busy = wasBusy;
        l->state().currentIndex = -1;
        l->state().currentPath.clear();
    }
    emit laidOut();
}

void ThumbnailGrid::layoutKeepingCurrentPath()
{
    const QString path = list() ? list()->state().currentPath : QString();
    LayoutGrid();
    if (list())
        list()->state().currentPath = path;
}

void ThumbnailGrid::entryAppended()
{
    updateScrollRange();
    if (list() && !list()->isEmpty())
        repaintCell(list()->count() - 1);
}

void ThumbnailGrid::entriesChanged()
{
    updateScrollRange();
    viewport()->update();
}

std::pair<int, int> ThumbnailGrid::visibleRange() const
{
    const int count = list() ? list()->count() : 0;
    const int h = cellHeight();
    const int firstRow = contentOffset() / h;
    const int lastRow = (contentOffset() + std::max(1, viewport()->height()) - 1) / h;
    return {firstRow * m_columns, std::min(count, (lastRow + 1) * m_columns) - 1};
}

void ThumbnailGrid::updateScrollRange()
{
    const int contentHeight = rowCount() * cellHeight();
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, std::max(0, contentHeight - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(cellHeight());
}

void ThumbnailGrid::scrollToIndex(int index)
{
    if (index < 0)
        return;
    const int top = (index / m_columns) * cellHeight();
    QScrollBar *bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + cellHeight() > bar->value() + viewport()->height())
        bar->setValue(top + cellHeight() - viewport()->height());
}

void ThumbnailGrid::repaintCell(int index)
{
    viewport()->update(cellRect(index));
}

void ThumbnailGrid::Tri()
{
    GridList *l = list();
    if (!l || l->state().busy)
        return;
    l->sortByPath();
    if (!l->isEmpty())
        LayoutGrid();
    emit reordered();
}

void ThumbnailGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, toQColor(m_look.cologrid));
    GridList *l = list();
    if (!l)
        return;
    const auto [firstShown, lastShown] = visibleRange();
    l->aboutToDraw(firstShown, lastShown);
    const int h = cellHeight();
    const int firstRow = std::max(0, (area.top() + contentOffset()) / h);
    const int lastRow = std::min(rowCount() - 1, (area.bottom() + contentOffset()) / h);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            const int index = row * m_columns + column;
            if (!l->contains(index))
                break;
            const QRect cell = cellRect(index);
            if (cell.intersects(area))
                DrawThumbnailCell(painter, cell, &l->entry(index), l->path(index), m_look);
        }
    }
}

void ThumbnailGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        return;
    m_selection.press(indexAt(event->position().toPoint()), event->modifiers());
    emit clicked();
}

void ThumbnailGrid::mouseMoveEvent(QMouseEvent *)
{
    if (list() && list()->state().dragging)
        viewport()->setCursor(Qt::DragMoveCursor);
}

void ThumbnailGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        return;
    const bool moved = m_selection.release(indexAt(event->position().toPoint()));
    viewport()->unsetCursor();
    if (moved) {
        viewport()->update();
        emit reordered();
    }
}

void ThumbnailGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Home: case Qt::Key_PageUp: case Qt::Key_End: case Qt::Key_PageDown:
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down:
        break;
    default:
        event->ignore();
        return;
    }
    if (const int target = m_selection.key(event->key()); target >= 0) {
        scrollToIndex(target);
        emit clicked();
    }
}

void ThumbnailGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (list() && list()->state().busy)
        updateScrollRange();
    else
        layoutKeepingCurrentPath();
}

void ThumbnailGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace editor
