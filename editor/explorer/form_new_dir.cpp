#include "editor/explorer/form_new_dir.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace editor {

QString newDirExplanation()
{
    return QStringLiteral("Saisissez le nom du dossier à créer (il est possible de créer un dossier et ses "
                          "sous-dossiers en les séparant avec le caractère \" %1 \")  ")
        .arg(QDir::separator());
}

void FolderNameEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (text().isEmpty() && (typed == QDir::separator() || typed == u"/")) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TFormNewDir::TFormNewDir(QWidget *parent) : QDialog(parent), EditDir(new FolderNameEdit(this))
{
    setObjectName(QStringLiteral("TFormNewDir"));
    setWindowTitle(QStringLiteral("Créer un nouveau dossier"));
    auto *explanation = new QLabel(newDirExplanation(), this);
    explanation->setWordWrap(true);
    EditDir->setObjectName(QStringLiteral("EditDir"));
    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("newdir.htm")); },
                                                ui::ButtonCaptions{.ok = QStringLiteral("&Créer")});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(EditDir);
    layout->addLayout(buttons.layout);
    setFixedWidth(420);
}

} // namespace editor
