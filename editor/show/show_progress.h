#pragma once
// The status line's progress bar through one long operation of the show tab: the range
// is the number of items, back to 0 when the operation ends however it ends. Pending
// events are processed between items, at most every 15 milliseconds, so the window
// repaints and answers while the operation runs without spending its time doing so.
#include <QElapsedTimer>

class QProgressBar;

namespace editor {

class ShowProgress {
public:
    ShowProgress(QProgressBar *bar, int total);
    ~ShowProgress();
    ShowProgress(const ShowProgress &) = delete;
    ShowProgress &operator=(const ShowProgress &) = delete;

    void setTotal(int total);
    void set(int done);
    void step();
    void pumpEvents();

private:
    QProgressBar *m_bar;
    QElapsedTimer m_sincePump;
};

} // namespace editor
