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
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || !m_splitter->mayMove())
            return;
        const QPoint at = parentWidget()->mapFromGlobal(event->globalPosition().toPoint());
        const int wanted = (orientation() == Qt::Horizontal ? at.x() : at.y()) - m_offset;
        const int total = orientation() == Qt::Horizontal ? m_splitter->width() : m_splitter->height();
        if (GuardedSplitter::acceptsSize(wanted) &&
            GuardedSplitter::acceptsSize(total - wanted - m_splitter->handleWidth()))
            moveSplitter(wanted);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_offset = orientation() == Qt::Horizontal ? event->position().toPoint().x()
                                                       : event->position().toPoint().y();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            emit m_splitter->handleReleased();
    }

private:
    GuardedSplitter *m_splitter;
    int m_offset = 0;
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
