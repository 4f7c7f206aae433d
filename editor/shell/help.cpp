#include "editor/shell/help.h"

#include "editor/shell/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWindow>

namespace editor {

namespace {

QString g_helpFile;
bool g_helpExists = false;
QPointer<HelpViewer> g_viewer;

} // namespace

QString helpFileFor(const QString &programPath)
{
    const QFileInfo program(programPath);
    return program.dir().filePath(program.completeBaseName() + QStringLiteral(".chm"));
}

void setHelpFile(const QString &chmPath)
{
    g_helpFile = chmPath;
    g_helpExists = QFileInfo(chmPath).isFile();
    delete g_viewer;
}

bool helpFileAvailable()
{
    return g_helpExists;
}

void ShowHelpTopic(const QString &topic)
{
    if (!g_helpExists)
        return;
    if (!g_viewer) {
        auto file = ChmFile::open(g_helpFile);
        if (!file)
            return;
        g_viewer = new HelpViewer(std::move(*file));
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        // The help window never keeps the program running once the main window is closed.
        g_viewer->setAttribute(Qt::WA_QuitOnClose, false);
    }
    // The "&Aide" buttons sit in modal dialogs, which block every other window. The help
    // window becomes a transient child of the open dialog, so it can be scrolled and its
    // links followed while the dialog stays open.
    QWidget *modal = QApplication::activeModalWidget();
    g_viewer->winId();
    g_viewer->windowHandle()->setTransientParent(modal && modal != g_viewer ? modal->windowHandle() : nullptr);
    g_viewer->showTopic(topic);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
}

HelpViewer *currentHelpViewer()
{
    return g_viewer;
}

} // namespace editor
