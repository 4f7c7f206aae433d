#include "ui/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace ui {

DialogButtons makeDialogButtons(QDialog *dialog, std::function<void()> onHelp, const ButtonCaptions &captions)
{
    DialogButtons row;
    row.layout = new QHBoxLayout;
    row.layout->addStretch();
    row.ok = new QPushButton(captions.ok, dialog);
    row.ok->setObjectName(QStringLiteral("ButtonOk"));
    row.ok->setDefault(true);
    QObject::connect(row.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    row.layout->addWidget(row.ok);
    if (onHelp) {
        row.help = new QPushButton(captions.help, dialog);
        row.help->setObjectName(QStringLiteral("ButtonAide"));
        row.help->setAutoDefault(false);
        QObject::connect(row.help, &QPushButton::clicked, dialog, std::move(onHelp));
        row.layout->addWidget(row.help);
    }
    if (!captions.cancel.isEmpty()) {
        row.cancel = new QPushButton(captions.cancel, dialog);
        row.cancel->setObjectName(QStringLiteral("ButtonAnnuler"));
        row.cancel->setAutoDefault(false);
        QObject::connect(row.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        row.layout->addWidget(row.cancel);
    }
    return row;
}

} // namespace ui
