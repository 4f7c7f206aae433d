#pragma once
// The show tab ("     Images du lumivelle     "): the open show (ShowDocument), its grid
// GrilleScript above the slide panel QB_PanelLumiv, the show options dialog TFormProjet
// (created once; its controls hold the options), and the handlers of the show's
// commands: adding, removing, moving and refreshing slides, the options and parameter
// copies, the project files, the old script import and the build of the show executable.
//
// The area plugs into the main window: it registers its list and grid, feeds the enabling
// rules (slides, show open), answers the window's closing question and writes DerFile
// through the open documents, and loads a .dap given on the command line.
#include "documents/show/slide_entry.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/show/show_document.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

namespace editor {

class ShowDialogs;
class SlidePanel;
class TFormProjet;
class TMainLumivelle3000;
class ShowProgress;

class ShowArea : public QObject {
    Q_OBJECT

public:
    ShowArea(TMainLumivelle3000 &window, std::unique_ptr<ShowDialogs> dialogs);
    ~ShowArea() override;

    ShowDocument &document() { return m_doc; }
    SlideList &slides() { return m_doc.slides; }
    ThumbnailGrid *GrilleScript() const { return m_grid; }
    SlidePanel *panel() const { return m_panel; }
    TFormProjet *formProjet() const { return m_formProjet; }
    // The whole show as a plain value (pictures and thumbnails shared).
    showdoc::ShowProject project() const;
    // The player program the build copies: Tolvarine.bin beside the editor's own file,
    // symbolic links resolved, unless set.
    QString playerPath() const { return m_playerPath; }
    void setPlayerPath(const QString &path) { m_playerPath = path; }
    // Starts a built show; ShellLaunch from the show's folder by default.
    void setLauncher(std::function<void(const QString &executable)> launch) { m_launch = std::move(launch); }

    // Slide list (show_area.cpp, show_area_slides.cpp).
    void InitSlideList();
    void ClearSlideList();
    void LayoutGrid();
    void GrilleScriptClick();
    void markModified();
    void AjouterExecute();
    void AddFileLumivExecute();
    void SupprimerExecute();
    void ModPath_SExecute();
    void RefreshVignetteLumivExecute();
    void VueImageScriptExecute();
    void RetoucherScriptExecute();
    void OptionLumivelleExecute();
    void AllStyle_ImageExecute();

    // Project files and the build (show_area_project.cpp).
    // The save question before new, open and import: false when the command must stop.
    bool askToSaveShow();
    void NewProjectExecute();
    void OpenProjetExecute();
    bool SaveProjetExecute();
    void SaveProjetAsExecute();
    void OpenAncienScriptExecute();
    bool LoadProject(const QString &path);
    void BuildShow();

private:
    void connectCommands();
    void connectWindow();
    bool busy() const { return m_doc.slides.state().busy; }
    // The file name the replace question may stop; false when the user cancelled.
    bool mayReplace(const QString &path);
    void setOptions(const showdoc::ShowOptions &options);
    void appendSlides(std::vector<showdoc::ShowSlide> &&slides);
    void closeShow();

    TMainLumivelle3000 &m_window;
    std::unique_ptr<ShowDialogs> m_dialogs;
    ShowDocument m_doc;
    QPointer<ThumbnailGrid> m_grid; // the window's tab owns it and may delete it first
    SlidePanel *m_panel = nullptr;
    TFormProjet *m_formProjet = nullptr;
    QString m_playerPath;
    std::function<void(const QString &)> m_launch;
};

// Puts the show tab into the window, with the platform's dialogs. Lives as long as the
// window.
ShowArea *installShowArea(TMainLumivelle3000 &window);
// The same with other dialogs (tests).
ShowArea *installShowArea(TMainLumivelle3000 &window, std::unique_ptr<ShowDialogs> dialogs);

} // namespace editor
