#include "editor/explorer/form_new_dir.h"

#include "editor/shell/help.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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
    auto *create = new QPushButton(QStringLiteral("&Créer"), this);
    auto *help = new QPushButton(QStringLiteral("&Aide"), this);
    auto *cancel = new QPushButton(QStringLiteral("&Annuler"), this);
    create->setDefault(true);
    connect(create, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(QStringLiteral("newdir.htm")); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {create, help, cancel})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(EditDir);
    layout->addLayout(buttons);
    setFixedWidth(420);
}

} // namespace editor
