// The commands the shell carries out itself: options, preview switch, About, help, the
// full-screen view key F4, the toolbar's rotation on the active tab and quitting.
#include "editor/shell/main_window.h"

#include "editor/shell/about_dialog.h"
#include "editor/shell/form_option.h"
#include "editor/shell/guarded_splitter.h"
#include "editor/shell/help.h"
#include "editor/shell/thumbnail_grid_view.h"
#include "imaging/readers/picture_loader.h"

#include <QFileInfo>

namespace editor {

namespace {

bool folderExists(const QString &path)
{
    return QFileInfo(path).isDir();
}

} // namespace

void TMainLumivelle3000::connectShellCommands()
{
    command(CommandId::Quitter).setHandler([this] { close(); });
    command(CommandId::Option).setHandler([this] { OptionExecute(); });
    command(CommandId::ApercuActif).setHandler([this] { ApercuActifExecute(); });
    command(CommandId::AProposde).setHandler([this] { AProposdeExecute(); });
    command(CommandId::Help).setHandler([] { ShowHelpTopic(QStringLiteral("home.htm")); });
    command(CommandId::HelpAuthor).setHandler([] { ShowHelpTopic(QStringLiteral("auteur.htm")); });
    command(CommandId::VueImage).setHandler([this] { VueImageExecute(); });
}

void TMainLumivelle3000::OptionExecute()
{
    TFormOption dialog(optionValuesFrom(m_settings, &folderExists), this);
    if (dialog.exec() == QDialog::Accepted)
        applyOptions(dialog.values());
}

void TMainLumivelle3000::applyOptions(const OptionValues &values)
{
    const OptionChanges changes = applyOptionValues(m_settings, values, &folderExists);
    if (changes.autoOrient)
        imaging::setAutoOrient(m_settings.AutoOrient); // pictures read from now on
    for (ThumbnailGridView *grid : m_grids) {
        if (changes.colours)
            grid->setGridColour(m_settings.cologrid);
        if (changes.infoVignette) {
            grid->setExtraCellHeight(extraCellHeight(m_settings.InfoVignette));
            if (grid->hasEntries())
                grid->layoutGrid();
        }
    }
}

void TMainLumivelle3000::ApercuActifExecute()
{
    m_settings.Apercu = !m_settings.Apercu;
    command(CommandId::ApercuActif).setChecked(m_settings.Apercu);
    if (m_settings.Apercu)
        m_previewSplitter->setSecondSize(m_settings.PanelView);
    else if (m_previewPanel->isVisible())
        m_settings.PanelView = m_previewPanel->height();
    m_previewPanel->setVisible(m_settings.Apercu);
    emit previewSwitched(m_settings.Apercu);
}

void TMainLumivelle3000::AProposdeExecute()
{
    AboutDialog about(this);
    about.exec();
}

void TMainLumivelle3000::VueImageExecute()
{
    static constexpr CommandId kByTab[] = {CommandId::VueImageList, CommandId::VueImageScript,
                                           CommandId::VueImageCollec};
    command(kByTab[activeTab() - 1]).execute();
}

void TMainLumivelle3000::rotateOnActiveTab(int which)
{
    static constexpr CommandId kRight[] = {CommandId::RotateListRight, CommandId::RotateScriptRight,
                                           CommandId::RotateCollecRight};
    static constexpr CommandId kLeft[] = {CommandId::RotateListLeft, CommandId::RotateScriptLeft,
                                          CommandId::RotateCollecLeft};
    command((which == 0 ? kRight : kLeft)[activeTab() - 1]).execute();
}

} // namespace editor
