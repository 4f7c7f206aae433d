#pragma once
// The hourglass cursor for the length of a scope; it comes back on every path out,
// exceptions and early returns included.
#include <QCursor>
#include <QGuiApplication>

namespace ui {

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace ui
