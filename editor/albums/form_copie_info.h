#pragma once
// "Dupliquer les infos": which fields of the current entry AllInfoCollec copies to every
// entry of the album. The five boxes are checked at every opening.
#include "editor/albums/album_editing.h"

#include <QDialog>

class QCheckBox;

namespace editor {

class TFormCopieInfo : public QDialog {
    Q_OBJECT
public:
    explicit TFormCopieInfo(QWidget *parent = nullptr);
    CopyChoice choice() const;

    QCheckBox *CheckPlace;
    QCheckBox *CheckDate;
    QCheckBox *CheckAppareil;
    QCheckBox *CheckComment;
    QCheckBox *CheckCles;
};

} // namespace editor
