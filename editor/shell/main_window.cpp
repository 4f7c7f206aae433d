#include "editor/shell/main_window.h"

#include "editor/shell/core/command_line.h"
#include "editor/shell/core/config_file.h"
#include "editor/shell/guarded_splitter.h"
#include "ui/messages.h"
#include "ui/qb_panel.h"
#include "editor/shell/status_line.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "imaging/readers/picture_loader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace editor {

namespace {

constexpr Colour kPanelLineColour = makeColour(216, 216, 216);

QWidget *whitePanel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    panel->setAutoFillBackground(true);
    return panel;
}

// Holds a grid widget and lets it be replaced by the area's own grid.
QWidget *gridHolder(QWidget *parent, ThumbnailGridView *grid)
{
    auto *holder = whitePanel(parent);
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid->widget());
    return holder;
}

QTreeView *buildFolderTree(QWidget *parent)
{
    auto *model = new QFileSystemModel(parent);
    model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    model->setRootPath(QDir::rootPath());
    auto *tree = new QTreeView(parent);
    tree->setObjectName(QStringLiteral("DirTree"));
    tree->setModel(model);
    tree->setHeaderHidden(true);
    for (int column = 1; column < model->columnCount(); ++column)
        tree->hideColumn(column);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection stays visible when the tree loses the focus.
    QPalette keep = tree->palette();
    keep.setColor(QPalette::Inactive, QPalette::Highlight, keep.color(QPalette::Active, QPalette::Highlight));
    keep.setColor(QPalette::Inactive, QPalette::HighlightedText,
                  keep.color(QPalette::Active, QPalette::HighlightedText));
    tree->setPalette(keep);
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, tree,
                     [tree](const QModelIndex &current) { tree->expand(current); });
    QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    tree->setCurrentIndex(model->index(start));
    return tree;
}

} // namespace

TMainLumivelle3000::TMainLumivelle3000(ConfigFile &config, QWidget *parent)
    : QMainWindow(parent), m_config(config)
{
    setObjectName(QStringLiteral("TMainLumivelle3000"));
    setWindowTitle(QStringLiteral("Lumivelle"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(800, 600);
    for (GridSlot slot : {GridSlot::Explorer, GridSlot::Show, GridSlot::Album})
        m_grids[std::size_t(slot)] = new EmptyThumbnailGrid(this);
    buildMenus();
    buildToolBar();
    buildTabs();
    connect(&m_histories, &FolderHistories::changed, this, [this] {
        command(CommandId::BackDir).setEnabled(!m_histories.back().isEmpty());
        command(CommandId::NextDir).setEnabled(!m_histories.forward().isEmpty());
    });
    connectShellCommands();
    readSettings();
    qApp->installEventFilter(this);
}

TMainLumivelle3000::~TMainLumivelle3000()
{
    qApp->removeEventFilter(this);
    writeSettingsAtExit();
}

void TMainLumivelle3000::buildTabs()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    m_tabs->addTab(buildExplorerTab(), QStringLiteral("     Explorateur d'images     "));
    m_tabs->addTab(buildShowTab(), QStringLiteral("     Images du lumivelle     "));
    m_tabs->addTab(buildAlbumTab(), QStringLiteral("     Images de l'album     "));
    m_statusLine = new StatusLine(central);
    m_statusLine->setObjectName(QStringLiteral("StatusBar"));
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_statusLine);
    setCentralWidget(central);
}

QWidget *TMainLumivelle3000::buildExplorerTab()
{
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("Tab1"));
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    m_folderSplitter = new GuardedSplitter(Qt::Horizontal, 1, tab);
    m_previewSplitter = new GuardedSplitter(Qt::Vertical, 2, m_folderSplitter);
    m_folderPanel = m_previewSplitter;
    m_folderPanel->setObjectName(QStringLiteral("PanelDirTree"));
    m_folderTree = buildFolderTree(m_previewSplitter);
    m_previewPanel = whitePanel(m_previewSplitter);
    m_previewPanel->setObjectName(QStringLiteral("PanelView"));
    m_previewPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    m_previewSplitter->addWidget(m_folderTree);
    m_previewSplitter->addWidget(m_previewPanel);
    m_gridHolders[0] = gridHolder(m_folderSplitter, m_grids[0]);
    m_folderSplitter->addWidget(m_previewSplitter);
    m_folderSplitter->addWidget(m_gridHolders[0]);
    m_folderSplitter->setStretchFactor(1, 1);
    m_previewSplitter->setStretchFactor(0, 1);
    for (GuardedSplitter *splitter : {m_folderSplitter, m_previewSplitter})
        splitter->setMayMove([this] { return !currentState().explorer.busy; });
    connect(m_folderSplitter, &GuardedSplitter::handleReleased, this,
            &TMainLumivelle3000::folderSplitterReleased);
    connect(m_previewSplitter, &GuardedSplitter::handleReleased, this,
            &TMainLumivelle3000::previewSplitterReleased);
    connect(m_folderTree, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        popupContextMenu(MenuId::PopupDirTree, m_folderTree->viewport()->mapToGlobal(at));
    });
    connect(m_previewPanel, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        popupContextMenu(MenuId::PopupMenuView, m_previewPanel->mapToGlobal(at));
    });
    layout->addWidget(m_folderSplitter);
    return tab;
}

QWidget *TMainLumivelle3000::buildShowTab()
{
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("Tab2"));
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_gridHolders[1] = gridHolder(tab, m_grids[1]);
    m_slidePanel = new ui::QB_Panel(tab);
    m_slidePanel->setObjectName(QStringLiteral("QB_PanelLumiv"));
    m_slidePanel->setBorder(ui::TBorder_Shape::bsTopLine, kPanelLineColour);
    m_slidePanel->setFixedHeight(72);
    layout->addWidget(m_gridHolders[1], 1);
    layout->addWidget(m_slidePanel);
    return tab;
}

QWidget *TMainLumivelle3000::buildAlbumTab()
{
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("Tab3"));
    auto *layout = new QHBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_albumPanel = new ui::QB_Panel(tab);
    m_albumPanel->setObjectName(QStringLiteral("QB_PanelCollec"));
    m_albumPanel->setBorder(ui::TBorder_Shape::bsRightLine, kPanelLineColour);
    m_albumPanel->setFixedWidth(163);
    m_gridHolders[2] = gridHolder(tab, m_grids[2]);
    layout->addWidget(m_albumPanel);
    layout->addWidget(m_gridHolders[2], 1);
    return tab;
}

void TMainLumivelle3000::setGrid(GridSlot slot, ThumbnailGridView *grid)
{
    const std::size_t i = std::size_t(slot);
    QLayout *layout = m_gridHolders[i]->layout();
    ThumbnailGridView *old = m_grids[i];
    delete layout->replaceWidget(old->widget(), grid->widget()); // the old widget's layout item
    if (auto *empty = dynamic_cast<EmptyThumbnailGrid *>(old))
        empty->deleteLater();
    m_grids[i] = grid;
    grid->setGridColour(m_settings.cologrid);
    grid->setExtraCellHeight(extraCellHeight(m_settings.InfoVignette));
}

QProgressBar *TMainLumivelle3000::progressBar() const
{
    return m_statusLine->progressBar();
}

int TMainLumivelle3000::activeTab() const
{
    return m_tabs->currentIndex() + 1;
}

void TMainLumivelle3000::setActiveTab(int tab)
{
    m_tabs->setCurrentIndex(tab - 1);
}

CommandState TMainLumivelle3000::currentState() const
{
    return m_stateProvider.snapshot(activeTab(), m_settings.Apercu);
}

void TMainLumivelle3000::readSettings()
{
    m_settings = readEditorSettings(m_config, [](const QString &path) {
        return !path.isEmpty() && QFileInfo(path).isFile();
    });
    for (ThumbnailGridView *grid : m_grids) {
        grid->setGridColour(m_settings.cologrid);
        grid->setExtraCellHeight(extraCellHeight(m_settings.InfoVignette));
    }
    m_previewPanel->setVisible(m_settings.Apercu);
    command(CommandId::ApercuActif).setChecked(m_settings.Apercu);
    imaging::setAutoOrient(m_settings.AutoOrient);
}

// The stored sizes are checked against the window as it is laid out on the screen.
void TMainLumivelle3000::applyPanelSizes()
{
    const int tabWidth = m_folderSplitter->width();
    m_settings.PanelDirTree = correctedPanelDirTree(m_settings.PanelDirTree, tabWidth);
    m_folderSplitter->setFirstSize(m_settings.PanelDirTree);
    m_settings.PanelView = correctedPanelView(m_settings.PanelView, m_folderSplitter->height());
    m_previewSplitter->setSecondSize(m_settings.PanelView);
}

void TMainLumivelle3000::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    QTimer::singleShot(0, this, &TMainLumivelle3000::firstShown);
}

void TMainLumivelle3000::firstShown()
{
    applyPanelSizes();
    for (const auto &step : firstShownSteps)
        step();
    setActiveTab(1);
    for (ThumbnailGridView *grid : m_grids)
        grid->layoutGrid();
    const CommandLineAction action = commandLineAction(
        m_commandLine, [](const QString &path) { return QFileInfo(path).isFile(); });
    if (action.kind == CommandLineAction::Kind::Refuse)
        messages::warning(kUnhandledFileMessage);
    else if (action.kind == CommandLineAction::Kind::OpenShow && openShowProject)
        openShowProject(action.path);
    else if (action.kind == CommandLineAction::Kind::OpenAlbum && openAlbum)
        openAlbum(action.path);
}

void TMainLumivelle3000::writeSettingsAtExit()
{
    if (m_settingsWritten)
        return;
    m_settingsWritten = true;
    ExitState exit;
    exit.openShowPath = m_documents.showPath ? m_documents.showPath() : QString();
    exit.panelDirTree = m_shownOnce ? m_folderPanel->width() : m_settings.PanelDirTree;
    exit.panelView = m_shownOnce && m_previewPanel->isVisible() ? m_previewPanel->height()
                                                                 : m_settings.PanelView;
    (void)writeEditorSettings(m_config, m_settings, exit); // exit goes on whatever happens
    for (const auto &step : exitSteps) {
        try {
            step();
        } catch (...) {
            // An error at exit ends nothing: the program still ends.
        }
    }
}

bool TMainLumivelle3000::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusLine->showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainLumivelle3000::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!m_shownOnce || currentState().explorer.busy)
        return;
    for (ThumbnailGridView *grid : m_grids)
        grid->layoutGrid();
    emit windowResized();
}

void TMainLumivelle3000::closeEvent(QCloseEvent *event)
{
    if (!confirmClose(m_documents)) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace editor
