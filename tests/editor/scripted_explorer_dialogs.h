#pragma once
// Scripted answers for the explorer's dialogs (input box, batch rename, new folder,
// retouch program): each gives what the test queued, nothing when nothing is queued.
#include "editor/explorer/explorer_dialogs.h"

#include <QStringList>
#include <optional>

namespace fileops_test {

// Answers the dialogs from queues; a dialog with no queued answer is cancelled.
class ScriptedDialogs final : public editor::ExplorerDialogs {
public:
    QStringList texts; // a null string cancels the box
    std::optional<editor::RenameOptions> rename;
    std::optional<QString> newFolder;
    std::optional<QString> program;
    QStringList textTitles, textPresets;

    std::optional<QString> askText(const QString &title, const QString &, const QString &preset) override
    {
        textTitles << title;
        textPresets << preset;
        if (texts.isEmpty())
            return std::nullopt;
        const QString answer = texts.takeFirst();
        return answer.isNull() ? std::nullopt : std::optional(answer);
    }
    std::optional<editor::RenameOptions> askBatchRename() override { return rename; }
    std::optional<QString> askNewFolder() override { return newFolder; }
    std::optional<QString> chooseProgram() override { return program; }
};

} // namespace fileops_test
