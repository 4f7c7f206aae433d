#pragma once
// Small pieces the rotation and batch commands share.
#include "editor/grid/grid_list.h"

#include <QGuiApplication>
#include <QString>

namespace editor {

inline const QString kCannotSaveImageMessage = QStringLiteral("Impossible d'enregistrer les modifications de l'image");

// Index of the first selected entry (-1 when none is).
inline int firstSelected(const GridList &list)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.entry(i).selected)
            return i;
    return -1;
}

// The normal cursor while a question is open in the middle of a command that shows the
// hourglass (ui::BusyCursor); the hourglass comes back after.
class CursorPause {
public:
    CursorPause() { QGuiApplication::restoreOverrideCursor(); }
    ~CursorPause() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    CursorPause(const CursorPause &) = delete;
    CursorPause &operator=(const CursorPause &) = delete;
};

// Sets a list's busy flag for the length of a command, and clears it however it ends.
class BusyList {
public:
    explicit BusyList(GridList &list) : m_state(list.state()) { m_state.busy = true; }
    ~BusyList() { m_state.busy = false; }
    BusyList(const BusyList &) = delete;
    BusyList &operator=(const BusyList &) = delete;

private:
    GridListState &m_state;
};

} // namespace editor
