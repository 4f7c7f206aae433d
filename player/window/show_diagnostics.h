#pragma once
// What the player tells automated checks. With TOLVARINE_TRACE naming a file, one line
// per event is appended to it:
//   show <index> <width>x<height> style=<n> caption=<text>   a slide is displayed (fitted size)
//   timer on <ms> / timer off                                  the timer is enabled or disabled
//   music play <path> / music stop
//   end                                                        the show ended without loop
//   error <text>                                               a failure the viewer was told of
// With TOLVARINE_SNAPSHOT naming a folder, the control's screen is saved there as
// slide-<index>.png when each transition completes. Without the variables nothing is
// written.
#include <QImage>
#include <QString>

namespace player {

class ShowDiagnostics {
public:
    ShowDiagnostics() = default;
    ShowDiagnostics(QString traceFile, QString snapshotFolder);
    static ShowDiagnostics fromEnvironment();

    void trace(const QString &line) const;
    void snapshot(int index, const QImage &screen) const;

    bool snapshots() const { return !m_snapshotFolder.isEmpty(); }

private:
    QString m_traceFile;
    QString m_snapshotFolder;
};

} // namespace player
