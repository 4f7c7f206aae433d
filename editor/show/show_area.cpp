#include "editor/show/show_area.h"

#include "documents/show/show_build.h"
#include "editor/files/shell_launch.h"
#include "editor/grid/grid_slot_view.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/main_window.h"
#include "editor/show/form_projet.h"
#include "editor/show/show_dialogs.h"
#include "editor/show/slide_panel.h"
#include "ui/busy_cursor.h"
#include "ui/qb_panel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QVBoxLayout>

namespace editor {

ShowArea::ShowArea(TMainLumivelle3000 &window, std::unique_ptr<ShowDialogs> dialogs)
    : QObject(&window), m_window(window), m_dialogs(std::move(dialogs)),
      m_playerPath(showdoc::playerBeside(QCoreApplication::applicationFilePath()))
{
    m_launch = [&window](const QString &executable) {
        const QFileInfo file(executable);
        ShellLaunch(&window, file.fileName(), QString(), file.path());
    };
    auto *grid = new ThumbnailGrid;
    grid->setObjectName(QStringLiteral("GrilleScript"));
    m_grid = grid;
    window.setGrid(GridSlot::Show, new GridSlotView(grid, window.settings(), false));
    window.setList(GridSlot::Show, &m_doc.slides);
    InitSlideList();

    ui::QB_Panel *place = window.slidePanelPlace();
    QPalette white = place->palette();
    white.setColor(QPalette::Window, Qt::white);
    place->setPalette(white);
    place->setAutoFillBackground(true);
    auto *placeLayout = new QVBoxLayout(place);
    placeLayout->setContentsMargins(0, 1, 0, 0);
    m_panel = new SlidePanel(m_doc.slides, *m_dialogs, place);
    placeLayout->addWidget(m_panel);
    m_formProjet = new TFormProjet(*m_dialogs, &window);

    connectCommands();
    connectWindow();
}

ShowArea::~ShowArea() = default;

void ShowArea::connectWindow()
{
    connect(m_grid, &ThumbnailGrid::clicked, this, &ShowArea::GrilleScriptClick);
    connect(m_grid, &ThumbnailGrid::laidOut, this, &ShowArea::GrilleScriptClick);
    connect(m_grid, &ThumbnailGrid::reordered, this, &ShowArea::markModified);
    connect(m_panel, &SlidePanel::slidesChanged, this, &ShowArea::markModified);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_window.popupContextMenu(MenuId::PopupListScript, m_grid->viewport()->mapToGlobal(at));
    });

    CommandStateProvider &state = m_window.stateProvider();
    state.slides = [this] {
        return ListState{!m_doc.slides.isEmpty(), m_doc.slides.selectedCount(), busy()};
    };
    state.showOpen = [this] { return m_doc.isOpen(); };

    OpenDocuments &documents = m_window.documents();
    documents.showModified = [this] { return m_doc.isOpen() && m_doc.modified; };
    documents.saveShow = [this] { return SaveProjetExecute(); };
    documents.showPath = [this] { return m_doc.path; };
    documents.markShowModified = [this] { markModified(); };

    m_window.openShowProject = [this](const QString &path) {
        m_doc.path = path;
        LoadProject(path);
    };
    m_window.firstShownSteps.push_back([this] { GrilleScriptClick(); });
    m_window.exitSteps.push_back([this] { m_doc.slides.clear(); });
}

void ShowArea::connectCommands()
{
    using C = CommandId;
    const std::pair<CommandId, void (ShowArea::*)()> handlers[] = {
        {C::Ajouter, &ShowArea::AjouterExecute},
        {C::AddFileLumiv, &ShowArea::AddFileLumivExecute},
        {C::Supprimer, &ShowArea::SupprimerExecute},
        {C::ModPath_S, &ShowArea::ModPath_SExecute},
        {C::RefreshVignetteLumiv, &ShowArea::RefreshVignetteLumivExecute},
        {C::VueImageScript, &ShowArea::VueImageScriptExecute},
        {C::RetoucherScript, &ShowArea::RetoucherScriptExecute},
        {C::OptionLumivelle, &ShowArea::OptionLumivelleExecute},
        {C::AllStyle_Image, &ShowArea::AllStyle_ImageExecute},
        {C::NewProject, &ShowArea::NewProjectExecute},
        {C::OpenProjet, &ShowArea::OpenProjetExecute},
        {C::SaveProjetAs, &ShowArea::SaveProjetAsExecute},
        {C::OpenAncienScript, &ShowArea::OpenAncienScriptExecute},
        {C::Lumivelle, &ShowArea::BuildShow},
    };
    for (const auto &[id, handler] : handlers)
        m_window.command(id).setHandler([this, handler = handler] { (this->*handler)(); });
    m_window.command(C::SaveProjet).setHandler([this] { SaveProjetExecute(); });
}

showdoc::ShowProject ShowArea::project() const
{
    return {m_formProjet->options(), m_doc.slides.slides()};
}

void ShowArea::setOptions(const showdoc::ShowOptions &options)
{
    m_formProjet->setOptions(options);
}

void ShowArea::markModified()
{
    m_doc.modified = true;
}

void ShowArea::InitSlideList()
{
    m_doc.slides.clear();
    GridListState &state = m_doc.slides.state();
    state.busy = false;
    state.dragging = false;
    state.currentPath.clear();
    state.currentIndex = -1;
    m_grid->setList(&m_doc.slides);
}

void ShowArea::ClearSlideList()
{
    GridListState &state = m_doc.slides.state();
    const bool wasBusy = std::exchange(state.busy, true);
    m_doc.slides.clear();
    if (m_grid)
        m_grid->LayoutGrid(); // one empty cell
    state.currentPath.clear();
    state.currentIndex = -1;
    state.busy = wasBusy;
}

void ShowArea::LayoutGrid()
{
    if (m_grid)
        m_grid->LayoutGrid();
}

void ShowArea::GrilleScriptClick()
{
    m_panel->fill(slidePanelView(m_doc.slides));
}

void ShowArea::appendSlides(std::vector<showdoc::ShowSlide> &&slides)
{
    m_doc.slides.reserve(m_doc.slides.count() + int(slides.size()));
    for (showdoc::ShowSlide &slide : slides)
        m_doc.slides.append(std::move(slide.path), std::move(slide.entry));
}

void ShowArea::closeShow()
{
    ClearSlideList();
    m_doc.path.clear();
}

ShowArea *installShowArea(TMainLumivelle3000 &window, std::unique_ptr<ShowDialogs> dialogs)
{
    return new ShowArea(window, std::move(dialogs));
}

ShowArea *installShowArea(TMainLumivelle3000 &window)
{
    return installShowArea(window, std::make_unique<WidgetShowDialogs>(&window));
}

} // namespace editor
