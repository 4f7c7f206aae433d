#include "editor/explorer/explorer_dialogs.h"

#include "editor/explorer/form_new_dir.h"
#include "editor/explorer/form_rename.h"

#include <QFileDialog>
#include <QInputDialog>

namespace editor {

namespace {

// Programs carry the ".exe" extension only on Windows; elsewhere any file may be one, and
// the association checks that the chosen file can be run.
#ifdef Q_OS_WIN
const QString kProgramFilter = QStringLiteral("Fichiers Exe (*.exe)");
#else
const QString kProgramFilter = QStringLiteral("Tous les fichiers (*)");
#endif

} // namespace

std::optional<QString> WidgetDialogs::askText(const QString &title, const QString &prompt, const QString &preset)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? std::optional(text) : std::nullopt;
}

std::optional<RenameOptions> WidgetDialogs::askBatchRename()
{
    TFormRename dialog(m_parent);
    return dialog.exec() == QDialog::Accepted ? std::optional(dialog.values()) : std::nullopt;
}

std::optional<QString> WidgetDialogs::askNewFolder()
{
    TFormNewDir dialog(m_parent);
    return dialog.exec() == QDialog::Accepted ? std::optional(dialog.text()) : std::nullopt;
}

std::optional<QString> WidgetDialogs::chooseProgram()
{
    const QString path =
        QFileDialog::getOpenFileName(m_parent, QStringLiteral("Associer un logiciel de retouche"), QString(), kProgramFilter);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

} // namespace editor
