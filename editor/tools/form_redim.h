#pragma once
// TFormRedim, "Redimensionner une ou plusieurs images": the questions of the batch resize.
// It reads the "ResizeBox" settings when it is made and writes them when it closes.
#include "editor/tools/resize_box_settings.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QToolButton;

namespace editor {

class ConfigFile;

class TFormRedim : public QDialog {
    Q_OBJECT
public:
    TFormRedim(ConfigFile &config, const QStringList &files, QWidget *parent = nullptr);

    int sizeIndex() const;  // RadioTaille
    int copyIndex() const;  // RadioCopie
    ResizeBoxSettings settings() const;
    // The chosen box; nothing when a custom side is not a number or is 0.
    std::optional<QSize> box() const;

    // The folder chooser behind SpeedBDir; it returns an empty text when the user leaves it.
    std::function<QString()> chooseFolder;

    QListWidget *ListFile;
    QButtonGroup *RadioTaille;
    std::array<QRadioButton *, 7> sizeButtons{};
    QLabel *LabelTaille;
    QLineEdit *EditLargeur;
    QLineEdit *EditHauteur;
    QCheckBox *CheckImgPlusGrande;
    QComboBox *ComboFilter;
    QButtonGroup *RadioCopie;
    std::array<QRadioButton *, 3> copyButtons{};
    QLineEdit *EditDir;
    QToolButton *SpeedBDir;

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSizeGroup();
    QWidget *buildCopyGroup();
    void RadioTailleClick(int index);
    void RadioCopieClick(int index);
    void SpeedBDirClick();
    void applySettings(const ResizeBoxSettings &settings);

    ConfigFile &m_config;
    QWidget *m_customFields = nullptr; // the label, "Largeur" and "Hauteur"
};

// The folder chooser of both batch dialogs, titled "Sélectionner un dossier de
// destination"; the folder with a separator at its end, or empty.
QString chooseDestinationFolder(QWidget *parent, const QString &start);

} // namespace editor
