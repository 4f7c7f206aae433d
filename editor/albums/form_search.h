#pragma once
// "Rechercher des images": finds the entries of the open album whose keyword, or any of
// whose fields, match a query, lists their paths and selects them in the album grid. The
// two mode boxes work as a pair: exactly one is checked at any time.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace editor {

class AlbumImages;
class ThumbnailGrid;

class TFormSearch : public QDialog {
    Q_OBJECT
public:
    // `grid` shows `images`; `keywords` are the known keywords.
    TFormSearch(const QStringList &keywords, AlbumImages &images, ThumbnailGrid &grid, QWidget *parent = nullptr);

    void ButtonSerachClick();
    bool keywordMode() const;

    QCheckBox *CheckMotCles;
    QComboBox *ComboCle;
    QCheckBox *CheckChamps;
    QLineEdit *EditChamp;
    QCheckBox *CheckOcc;
    QListWidget *ListImages;
    QPushButton *ButtonSerach;
    QPushButton *ButtonHelp;
    QPushButton *ButtonCancel;

protected:
    // The query box of the active mode has the focus, ready for typing.
    void showEvent(QShowEvent *event) override;

private:
    void setKeywordMode(bool on);
    void showResults(const QStringList &paths);

    AlbumImages &m_images;
    ThumbnailGrid &m_grid;
};

} // namespace editor
