// The project commands (new, open, save, save as, import of an old script), the save
// question they share with the window's closing, and the build of the show executable.
#include "documents/show/old_script.h"
#include "documents/show/project_file.h"
#include "documents/show/show_build.h"
#include "editor/shell/close_questions.h"
#include "editor/shell/main_window.h"
#include "editor/show/form_projet.h"
#include "editor/show/show_area.h"
#include "editor/show/show_dialogs.h"
#include "editor/show/show_progress.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace editor {

namespace {

const QString kNotCompatible = QStringLiteral("Fichier non compatible avec cette version de Lumivelle");
const QString kPicturesGone = QStringLiteral("Certains fichiers n'existent plus à l'emplacement spécifié");

} // namespace

bool ShowArea::askToSaveShow()
{
    if (!m_doc.isOpen() || !m_doc.modified)
        return true;
    switch (messages::confirm(kSaveShowQuestion, messages::Buttons::YesNoCancel)) {
    case messages::Answer::Cancel:
        return false;
    case messages::Answer::Yes:
        // A save that fails (read-only file, full disk) stops the command: the show stays
        // open and modified, and nothing is lost.
        return SaveProjetExecute();
    default:
        return true;
    }
}

bool ShowArea::mayReplace(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString question = QStringLiteral("Le fichier < ") + QFileInfo(path).fileName()
                             + QStringLiteral(" > existe déjà\rremplacer le fichier existant ?");
    return messages::confirm(question, messages::Buttons::YesCancel) == messages::Answer::Yes;
}

void ShowArea::NewProjectExecute()
{
    if (busy() || !askToSaveShow())
        return;
    const auto path = m_dialogs->saveProject(QStringLiteral("Enregistrer le nouveau lumivelle sous..."));
    if (!path || !mayReplace(*path))
        return;
    ClearSlideList();
    m_doc.path = *path;
    GrilleScriptClick();
    m_doc.modified = false;
    setOptions(showdoc::ShowOptions{});
}

void ShowArea::OpenProjetExecute()
{
    if (busy() || !askToSaveShow())
        return;
    const auto path = m_dialogs->openProject();
    if (!path || !QFileInfo(*path).isFile())
        return;
    m_doc.path = *path;
    LoadProject(*path);
}

bool ShowArea::LoadProject(const QString &path)
{
    showdoc::LoadedProject loaded;
    {
        ui::BusyCursor hourglass;
        ClearSlideList();
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        ShowProgress progress(m_window.progressBar(), 0);
        loaded = showdoc::LoadProjectFile(path, [&progress](int done, int total) {
            progress.setTotal(total);
            progress.set(done);
        });
    }
    if (loaded.headerRead)
        setOptions(loaded.project.options);
    switch (loaded.verdict) {
    case showdoc::ProjectVerdict::Loaded:
        appendSlides(std::move(loaded.project.slides));
        if (loaded.missingPictures)
            messages::information(kPicturesGone);
        break;
    case showdoc::ProjectVerdict::Incompatible:
        messages::warning(kNotCompatible);
        m_doc.path.clear();
        break;
    case showdoc::ProjectVerdict::Damaged:
        if (loaded.missingPictures)
            messages::information(kPicturesGone);
        messages::error(kNotCompatible);
        closeShow();
        break;
    }
    m_window.setActiveTab(2);
    LayoutGrid();
    GrilleScriptClick();
    m_doc.modified = false;
    return loaded.verdict == showdoc::ProjectVerdict::Loaded;
}

bool ShowArea::SaveProjetExecute()
{
    if (!m_doc.isOpen() || busy())
        return false;
    const QString path = m_doc.path;
    if (showdoc::isReadOnlyFile(path)) {
        messages::error(showdoc::readOnlyMessage(path));
        return false;
    }
    Result<void> saved;
    {
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        ShowProgress progress(m_window.progressBar(), m_doc.slides.count());
        saved = showdoc::SaveProjectFile(path, project(), [&progress](int done, int) { progress.set(done); });
    }
    if (!saved) {
        messages::error(saved.error().message);
        return false;
    }
    m_doc.modified = false;
    return true;
}

void ShowArea::SaveProjetAsExecute()
{
    if (busy())
        return;
    const auto path = m_dialogs->saveProject(QStringLiteral("Enregistrer le lumivelle sous..."));
    if (!path || !mayReplace(*path))
        return;
    m_doc.path = *path;
    SaveProjetExecute();
}

void ShowArea::OpenAncienScriptExecute()
{
    if (busy() || !askToSaveShow())
        return;
    const auto script = m_dialogs->openOldScript();
    if (!script)
        return;
    ClearSlideList();
    Result<showdoc::ImportedScript> imported;
    {
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        ShowProgress progress(m_window.progressBar(), 0);
        imported = showdoc::importOldScript(*script, m_window.settings().FilterOk, [&progress](int done, int total) {
            progress.setTotal(total);
            progress.set(done);
        });
    }
    m_doc.modified = false;
    if (!imported) {
        // The show is closed: no slide stays without a show, and no show is left named
        // after the script, which a save would overwrite.
        closeShow();
        GrilleScriptClick();
        messages::error(imported.error().message);
        return;
    }
    setOptions(imported->project.options);
    appendSlides(std::move(imported->project.slides));
    m_window.setActiveTab(2);
    LayoutGrid();
    m_doc.path = showdoc::projectPathForScript(*script);
    GrilleScriptClick();
    if (!imported->missingPictures.isEmpty())
        messages::information(kPicturesGone);
}

void ShowArea::BuildShow()
{
    if (m_window.activeTab() != 2 || !m_doc.isOpen() || busy())
        return;
    if (m_doc.slides.isEmpty()) {
        messages::information(showdoc::buildFailureMessage(showdoc::BuildError::NoSlides));
        return;
    }
    SaveProjetExecute(); // a failure is reported there and does not stop the build
    if (!QFileInfo(m_playerPath).isFile()) {
        messages::error(showdoc::buildFailureMessage(showdoc::BuildError::PlayerMissing));
        return;
    }
    const QString executable = showdoc::executablePathFor(m_doc.path);
    std::expected<showdoc::BuildReport, showdoc::BuildFailure> built;
    {
        ui::BusyCursor hourglass;
        QScopedValueRollback busyFlag(m_doc.slides.state().busy, true);
        ShowProgress progress(m_window.progressBar(), m_doc.slides.count());
        showdoc::BuildHooks hooks;
        hooks.progress = [&progress](int done) { progress.set(done); };
        hooks.idle = [&progress] { progress.pumpEvents(); };
        built = showdoc::buildShowExecutable(project(), m_playerPath, executable, hooks);
    }
    if (!built) {
        messages::error(showdoc::buildFailureMessage(built.error().error));
        return;
    }
    if (QFileInfo::exists(executable) && m_launch)
        m_launch(executable);
}

} // namespace editor
