#include "editor/shell/about_dialog.h"

#include "ui/qb_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos de ..."));
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
    auto *line = new ui::QB_Line(this);
    line->BorderColor = kColourSilver;
    line->BorderShape = ui::TBorder_Shape::bsLeftLine;
    line->setFixedWidth(2);

    auto *name = new QLabel(QStringLiteral("LUMIVELLE"), this);
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setPixelSize(40);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto *version = new QLabel(QStringLiteral("Version 3.01"), this);
    QFont versionFont(QStringLiteral("Arial"), 8);
    versionFont.setBold(true);
    version->setFont(versionFont);
    version->setStyleSheet(QStringLiteral("color: grey"));

    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setStatusTip(QStringLiteral("Fermer la fiche à propos..."));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addStretch();
    text->addWidget(ok, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(line);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace editor
