#pragma once
// The platform's common dialogs the show tab opens, behind one interface so that its
// commands can be driven without them: file-open and file-save dialogs, the folder
// chooser and the colour dialog. Each gives nothing when cancelled.
#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace editor {

class ShowDialogs {
public:
    virtual ~ShowDialogs() = default;
    // "Ajouter des images": several picture files.
    virtual QStringList chooseImages() = 0;
    // ModPath_S's folder.
    virtual std::optional<QString> chooseFolder(const QString &caption) = 0;
    // A .dap to create or save under, titled `title` (NewProject, SaveProjetAs).
    virtual std::optional<QString> saveProject(const QString &title) = 0;
    // "Ouvrir un lumivelle".
    virtual std::optional<QString> openProject() = 0;
    // "Ouvrir un ancien lumivelle".
    virtual std::optional<QString> openOldScript() = 0;
    // "Rechercher un fichier son".
    virtual std::optional<QString> chooseMusic() = 0;
    // The colour dialog, the given colour preselected.
    virtual std::optional<QColor> chooseColour(const QColor &initial) = 0;
};

// The real dialogs, modal over `parent`.
class WidgetShowDialogs final : public ShowDialogs {
public:
    explicit WidgetShowDialogs(QWidget *parent) : m_parent(parent) {}
    QStringList chooseImages() override;
    std::optional<QString> chooseFolder(const QString &caption) override;
    std::optional<QString> saveProject(const QString &title) override;
    std::optional<QString> openProject() override;
    std::optional<QString> openOldScript() override;
    std::optional<QString> chooseMusic() override;
    std::optional<QColor> chooseColour(const QColor &initial) override;

private:
    QWidget *m_parent;
};

} // namespace editor
