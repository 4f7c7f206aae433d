#pragma once
// The options dialog "Options": the three grid colours, the two thumbnail check boxes,
// the check box that turns photos upright by their EXIF orientation, the instant show's
// interval and the default album folder. "&Ok" stores the values in
// the settings (see applyOptionValues); "&Annuler" changes nothing; "&Aide" opens the
// help topic "options.htm".
#include "ui/colour_swatch.h"
#include "editor/shell/core/option_values.h"

#include <QDialog>
#include <QSpinBox>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace editor {

// The interval spin box: the arrows keep it within 1 to 120, but any number can be typed,
// so the dialog can turn an out-of-range entry into 5 as it should.
class UnitSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit UnitSpinBox(QWidget *parent = nullptr);
    void stepBy(int steps) override;
    using QAbstractSpinBox::lineEdit;

protected:
    StepEnabled stepEnabled() const override;
    // An emptied field is accepted as it stands and counts as the minimum, 1, instead of
    // being put back to the previous value when the field loses the focus.
    QValidator::State validate(QString &text, int &pos) const override;
    int valueFromText(const QString &text) const override;
};

class TFormOption : public QDialog {
    Q_OBJECT
public:
    using FolderChooser = std::function<QString(QWidget *parent, const QString &start)>;

    TFormOption(const OptionValues &values, QWidget *parent = nullptr);
    OptionValues values() const;

    void setColourChooser(const ui::ColourSwatch::ColourChooser &chooser);
    void setFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }

    ui::ColourSwatch *PanelV;   // colonorm
    ui::ColourSwatch *PanelS;   // colosel
    ui::ColourSwatch *PanelF;   // cologrid
    QCheckBox *CheckInfos;
    QCheckBox *CheckQualite;
    QCheckBox *CheckOrient;     // AutoOrient
    UnitSpinBox *SpinUnit;
    QLineEdit *EditDir;
    QToolButton *SpeedBDir;

private:
    void SpeedBDirClick();
    QWidget *buildThumbnailGroup();
    FolderChooser m_folderChooser;
};

} // namespace editor
