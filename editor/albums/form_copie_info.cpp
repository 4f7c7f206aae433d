#include "editor/albums/form_copie_info.h"

#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace editor {

namespace {

QCheckBox *checkedBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    return box;
}

} // namespace

TFormCopieInfo::TFormCopieInfo(QWidget *parent)
    : QDialog(parent),
      CheckPlace(checkedBox("CheckPlace", QStringLiteral("Emplacement"), this)),
      CheckDate(checkedBox("CheckDate", QStringLiteral("Date de la photo"), this)),
      CheckAppareil(checkedBox("CheckAppareil", QStringLiteral("Appareil"), this)),
      CheckComment(checkedBox("CheckComment", QStringLiteral("Commentaire"), this)),
      CheckCles(checkedBox("CheckCles", QStringLiteral("Mots clés"), this))
{
    setObjectName(QStringLiteral("TFormCopieInfo"));
    setWindowTitle(QStringLiteral("Dupliquer les infos"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Cocher les champs à dupliquer à toutes les photos de la collection"), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    for (QCheckBox *box : {CheckPlace, CheckDate, CheckAppareil, CheckComment, CheckCles})
        layout->addWidget(box);
    const auto buttons =
        ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("applyinfosalbum.htm")); });
    layout->addLayout(buttons.layout);
    setFixedWidth(340);
}

CopyChoice TFormCopieInfo::choice() const
{
    return {CheckPlace->isChecked(), CheckDate->isChecked(), CheckAppareil->isChecked(), CheckComment->isChecked(),
            CheckCles->isChecked()};
}

} // namespace editor
