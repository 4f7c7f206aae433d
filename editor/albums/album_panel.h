#pragma once
// The album information panel beside GrilleCollec: the current entry's folder, place,
// size, file size, date, camera, focal, flash, speed, aperture, comment and keyword, with
// the button that deletes a known keyword. The panel only shows and reports: the album
// area decides what an edit does. Filling the panel never reports an edit.
#include "documents/album/album_entry.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace editor {

struct AlbumPanelContents;

class AlbumPanel : public QWidget {
    Q_OBJECT
public:
    explicit AlbumPanel(QWidget *parent = nullptr);

    // Fills the twelve fields and sets their enabled state and tooltips.
    void showContents(const AlbumPanelContents &contents);
    // Replaces the keyword box's items, keeping its text.
    void setKeywordItems(const QStringList &items);
    // The item last picked from the keyword box's list; -1 once text was typed.
    int chosenKeyword() const { return m_chosenKeyword; }
    void clearKeywordText();
    QLineEdit *editorOf(album::AlbumField field) const;

    QLineEdit *EditOrigine;
    QLineEdit *EditPlace;
    QLineEdit *EditDim;
    QLineEdit *EditTaille;
    QLineEdit *EditDate;
    QLineEdit *EditAppareil;
    QLineEdit *EditFocale;
    QLineEdit *EditFlash;
    QLineEdit *EditVitesse;
    QLineEdit *EditOuverture;
    QLineEdit *EditComment;
    QComboBox *ComboCle;
    QToolButton *SpeedDellCle;

signals:
    // The user changed the text of an editable field or of the keyword box.
    void fieldEdited(album::AlbumField field, const QString &text);
    // The keyword box lost the focus with this text.
    void keywordBoxLeft(const QString &text);
    void deleteKeywordRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void connectEditors();

    bool m_filling = false; // the change reactions are detached
    int m_chosenKeyword = -1;
};

} // namespace editor
