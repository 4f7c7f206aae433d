#pragma once
// The splitters of the explorer tab: a drag is followed only while the panel being sized
// stays above 100 pixels and the explorer list is not busy; releasing the handle is
// reported so the explorer can lay out its grid and redraw the preview.
#include <QSplitter>
#include <functional>

namespace editor {

class GuardedSplitter : public QSplitter {
    Q_OBJECT
public:
    static constexpr int kSmallestPanel = 100;

    GuardedSplitter(Qt::Orientation orientation, int handleWidth, QWidget *parent = nullptr);
    // Answers whether a drag may move the handle now (the explorer list is not busy).
    void setMayMove(std::function<bool()> mayMove) { m_mayMove = std::move(mayMove); }
    bool mayMove() const { return !m_mayMove || m_mayMove(); }
    // The size of the first panel the drag would give: accepted above 100 pixels.
    static bool acceptsSize(int size) { return size > kSmallestPanel; }
    // Sets the size of the first panel, the rest going to the second.
    void setFirstSize(int size);
    int firstSize() const;
    // Sets the size of the second panel, the rest going to the first.
    void setSecondSize(int size);
    int secondSize() const;

signals:
    void handleReleased();

protected:
    QSplitterHandle *createHandle() override;

private:
    std::function<bool()> m_mayMove;
};

} // namespace editor
