#pragma once
// The dialogs the explorer's file commands open, behind one interface so the commands can
// be driven without a window: the one-line input box, the batch rename dialog, the new
// folder dialog and the choice of a retouch program. Each gives nothing when cancelled.
#include "editor/explorer/rename_rules.h"

#include <QString>
#include <optional>

class QWidget;

namespace editor {

class ExplorerDialogs {
public:
    virtual ~ExplorerDialogs() = default;
    virtual std::optional<QString> askText(const QString &title, const QString &prompt, const QString &preset) = 0;
    virtual std::optional<RenameOptions> askBatchRename() = 0;
    virtual std::optional<QString> askNewFolder() = 0;
    // The file-open dialog of the retouch association; the chosen program's path.
    virtual std::optional<QString> chooseProgram() = 0;
};

// The real dialogs, modal over `parent`.
class WidgetDialogs final : public ExplorerDialogs {
public:
    explicit WidgetDialogs(QWidget *parent) : m_parent(parent) {}
    std::optional<QString> askText(const QString &title, const QString &prompt, const QString &preset) override;
    std::optional<RenameOptions> askBatchRename() override;
    std::optional<QString> askNewFolder() override;
    std::optional<QString> chooseProgram() override;

private:
    QWidget *m_parent;
};

} // namespace editor
