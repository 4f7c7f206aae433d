#include "editor/shell/guarded_splitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace editor {

namespace {

class GuardedHandle : public QSplitterHandle {
public:
    GuardedHandle(Qt::Orientation orientation, GuardedSplitter *parent)
        : QSplitterHandle(orientation, parent), m_splitter(parent)
    {
    }

protected:
    // The drag is measured from where it started, so the panel sizes follow the mouse
    // exactly whatever the width of the handle's grab area.
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || !m_splitter->mayMove())
            return;
        const QPoint moved = event->globalPosition().toPoint() - m_pressedAt;
        const int delta = orientation() == Qt::Horizontal ? moved.x() : moved.y();
        const int first = m_firstAtPress + delta;
        const int second = m_secondAtPress - delta;
        if (GuardedSplitter::acceptsSize(first) && GuardedSplitter::acceptsSize(second))
            moveSplitter(first);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        m_pressedAt = event->globalPosition().toPoint();
        m_firstAtPress = m_splitter->firstSize();
        m_secondAtPress = m_splitter->secondSize();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            emit m_splitter->handleReleased();
    }

private:
    GuardedSplitter *m_splitter;
    QPoint m_pressedAt;
    int m_firstAtPress = 0;
    int m_secondAtPress = 0;
};

} // namespace

GuardedSplitter::GuardedSplitter(Qt::Orientation orientation, int handleWidth, QWidget *parent)
    : QSplitter(orientation, parent)
{
    setHandleWidth(handleWidth);
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

QSplitterHandle *GuardedSplitter::createHandle()
{
    return new GuardedHandle(orientation(), this);
}

void GuardedSplitter::setFirstSize(int size)
{
    const int total = orientation() == Qt::Horizontal ? width() : height();
    setSizes({size, std::max(total - size - handleWidth(), 1)});
}

int GuardedSplitter::firstSize() const
{
    const QList<int> all = sizes();
    return all.isEmpty() ? 0 : all.first();
}

void GuardedSplitter::setSecondSize(int size)
{
    const int total = orientation() == Qt::Horizontal ? width() : height();
    setSizes({std::max(total - size - handleWidth(), 1), size});
}

int GuardedSplitter::secondSize() const
{
    const QList<int> all = sizes();
    return all.size() < 2 ? 0 : all.at(1);
}

} // namespace editor
