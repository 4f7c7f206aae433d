#pragma once
// "Explorateur d'albums": the albums of the album folder, each drawn with its preview, its
// name in bold and its photo count, with buttons to open and delete them. It is not modal
// and stays above the main window; the album area keeps at most one open. It reads the
// folder when it is shown and after each deletion only.
#include "base/colour.h"

#include <QDialog>
#include <QStyledItemDelegate>
#include <functional>

class QListWidget;
class QPushButton;

namespace editor {

// Draws one album of the list: the preview at (left + 2, top + 2) with its silver pixels
// transparent, the name in bold at top + 40 and "- N photos" at top + 55, a grey line
// along the bottom. A selected item is filled with the selection colour and written in
// white, another with the list colour and written in black.
class AlbumItemDelegate : public QStyledItemDelegate {
public:
    AlbumItemDelegate(Colour listColour, Colour selectionColour, QObject *parent = nullptr)
        : QStyledItemDelegate(parent), m_listColour(listColour), m_selectionColour(selectionColour) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    Colour m_listColour;
    Colour m_selectionColour;
};

class TFormCollecExplorer : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(const QString &albumPath)> open; // asks, loads, shows the album
        std::function<QString()> openAlbumPath;              // the open album's file, empty when none
    };
    static constexpr int kItemHeight = 104;

    TFormCollecExplorer(const QString &albumFolder, Colour listColour, Colour selectionColour, Hooks hooks,
                        QWidget *parent);

    void FillList();
    void ButtonOuvrirClick();
    void ButtonSupprimerClick();
    // The album path of the selected item; empty when none is selected.
    QString selectedAlbumPath() const;

    QListWidget *ListCollec;
    QPushButton *ButtonOuvrir;
    QPushButton *ButtonSupprimer;
    QPushButton *ButtonAide;
    QPushButton *ButtonFermer;

private:
    void updateButtons();

    QString m_folder;
    Hooks m_hooks;
};

// Item data of the list: the photo count and the preview drawn with silver transparent.
inline constexpr int kPhotoCountRole = Qt::UserRole;
inline constexpr int kPreviewRole = Qt::UserRole + 1;

} // namespace editor
