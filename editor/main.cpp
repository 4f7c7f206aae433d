// The Lumivelle editor: one running instance per user, then the main window.
//
// The areas of the editor (explorer, show, albums, web gallery, batch tools) are put into
// the window here, each by its own installer, once they exist: they connect the handlers
// of their commands, feed the enabling rules and add their start-up and exit steps.
#include "editor/albums/album_area.h"
#include "editor/explorer/explorer_commands.h"
#include "editor/explorer/explorer_window.h"
#include "editor/shell/core/config_file.h"
#include "ui/french_ui.h"
#include "editor/shell/help.h"
#include "ui/lumivelle_application.h"
#include "editor/shell/main_window.h"
#include "ui/messages.h"
#include "editor/shell/single_instance.h"
#include "editor/show/show_area.h"
#include "editor/shell/termination_signals.h"
#include "editor/tools/image_tools.h"
#include "editor/web/web_gallery_command.h"

#include <QDir>
#include <QIcon>
#include <QScreen>

using namespace editor;

int main(int argc, char **argv)
{
    ui::LumivelleApplication app(argc, argv);
    ui::setProgramTitle(QStringLiteral("Lumivelle"));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/lumivelle_128.png")));
    app.setDesktopFileName(QStringLiteral("lumivelle"));
    ui::installFontSubstitutions();
    ui::installFrenchTranslations(app);

    // Taking the name is what tells two editors started at the same moment apart: only
    // one of them can hold it. One that cannot take it for another reason still starts.
    SingleInstance instance;
    if (!instance.listen() && instance.otherInstanceRunning()) {
        messages::plain(SingleInstance::kAlreadyRunningMessage);
        instance.activateOtherInstance();
        return 0;
    }
    quitOnTerminationSignals(app);

    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    setHelpFile(helpFileFor(QCoreApplication::applicationFilePath()));
    ConfigFile config(QDir(configDirectory()).filePath(QStringLiteral("Lumivelle.cfg")));

    TMainLumivelle3000 window(config);
    installExplorerCommands(window, *installImageExplorer(window));
    installShowArea(window);
    installAlbumArea(window);
    installImageTools(window);
    installWebGallery(window);
    window.setCommandLine(QCoreApplication::arguments().mid(1));
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        if (window.isMinimized())
            window.showMaximized();
        window.raise();
        window.activateWindow();
    });
    // Without a window manager "maximised" means nothing, so the window also takes the
    // screen's available area itself.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
