// The toolbar: icons with tooltips, grouped by thin separators and the labels
// "Lumivelle", "Album" and "Commun". Its buttons are always enabled and run the command
// handlers directly; each handler checks its own conditions.
#include "editor/shell/main_window.h"

#include <QIcon>
#include <QLabel>
#include <QToolBar>

namespace editor {

namespace {

struct Button {
    const char *icon;
    const char *tooltip;
    std::function<void(TMainLumivelle3000 &)> run;
};

std::function<void(TMainLumivelle3000 &)> runs(CommandId id)
{
    return [id](TMainLumivelle3000 &window) { window.command(id).execute(); };
}

} // namespace

void TMainLumivelle3000::buildToolBar()
{
    auto *bar = new QToolBar(QStringLiteral("Barre d'outils"), this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(27);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);

    using C = CommandId;
    const std::vector<std::vector<Button>> groups = {
        {{"back", "Aller au dossier précédent", runs(C::BackDir)},
         {"forward", "Aller au dossier suivant", runs(C::NextDir)},
         {"parent", "Aller au dossier parent", runs(C::ParentDir)},
         {"refresh", "Actualiser", runs(C::Actualiser)}},
        {{"cut", "Couper des images", runs(C::Cut)},
         {"copy", "Copier des images", runs(C::CopyFile)},
         {"paste", "Coller des images", runs(C::Paste)},
         {"delete", "Supprimer des images", runs(C::DellFile)}},
        {{"new_show", "Créer un nouveau lumivelle", runs(C::NewProject)},
         {"open_show", "Ouvrir un lumivelle existant", runs(C::OpenProjet)},
         {"save_show", "Enregistrer les modifications du lumivelle", runs(C::SaveProjet)},
         {"show_options", "Options du lumivelle", runs(C::OptionLumivelle)},
         {"build_show", "Créer le lumivelle", runs(C::Lumivelle)}},
        {{"new_album", "Créer un nouvel album", runs(C::NewCollec)},
         {"open_album", "Ouvrir un album existant", runs(C::OpenCollec)},
         {"album_explorer", "Explorateur d'album", runs(C::ExplorerCollec)},
         {"save_album", "Enregistrer l'album", runs(C::SaveCollec)}},
        {{"rotate_right", "Pivoter l'image de 90 degrés à droite",
          [](TMainLumivelle3000 &w) { w.rotateOnActiveTab(0); }},
         {"rotate_left", "Pivoter l'image de 90 degrés à gauche",
          [](TMainLumivelle3000 &w) { w.rotateOnActiveTab(1); }},
         {"full_screen", "Voir l'image en plein écran", runs(C::VueImage)},
         {"instant_show", "Lancer un lumivelle instantané", runs(C::LumivelleRapide)}},
    };
    const char *labels[] = {nullptr, nullptr, "Lumivelle", "Album", "Commun"};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g > 0)
            bar->addSeparator();
        if (labels[g]) {
            auto *label = new QLabel(QString::fromLatin1(labels[g]) + QLatin1Char(' '), bar);
            label->setContentsMargins(4, 0, 0, 0);
            bar->addWidget(label);
        }
        for (const Button &button : groups[g]) {
            const QString tip = QString::fromUtf8(button.tooltip);
            QAction *action = bar->addAction(
                QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(button.icon))), tip);
            action->setObjectName(QStringLiteral("SpeedB_") + QLatin1String(button.icon));
            action->setStatusTip(tip);
            connect(action, &QAction::triggered, this, [this, run = button.run] { run(*this); });
        }
    }
}

} // namespace editor
