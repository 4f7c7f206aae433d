#pragma once
// The long album loops (loading, saving, adding pictures) drive the progress bar one step
// per entry and let the window process pending events while they run. Events are
// processed at most every few milliseconds: an album of ten thousand entries would
// otherwise spend more time in the event loop than on its entries.
#include "editor/grid/grid_list.h"
#include "editor/shell/status_line.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <optional>

namespace editor {

class AlbumProgress {
public:
    explicit AlbumProgress(QProgressBar *bar) : m_bar(bar) { m_sinceEvents.start(); }

    void start(int total) { m_steps.emplace(m_bar, total); }
    void step()
    {
        if (m_steps)
            m_steps->step();
        if (m_sinceEvents.elapsed() >= kEventInterval) {
            QCoreApplication::processEvents();
            m_sinceEvents.restart();
        }
    }

private:
    static constexpr qint64 kEventInterval = 15; // milliseconds

    QProgressBar *m_bar;
    std::optional<ProgressSteps> m_steps;
    QElapsedTimer m_sinceEvents;
};

// Sets the list's busy flag for the length of a scope.
class BusyList {
public:
    explicit BusyList(GridListState &state) : m_state(state), m_was(state.busy) { state.busy = true; }
    ~BusyList() { m_state.busy = m_was; }
    BusyList(const BusyList &) = delete;
    BusyList &operator=(const BusyList &) = delete;

private:
    GridListState &m_state;
    bool m_was;
};

} // namespace editor
