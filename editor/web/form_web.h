#pragma once
// TFormWeb, the web gallery dialog ("Lumivelle WEB"): the HTML file's name, chosen only
// through the button beside it; the title, the table's layout, the thumbnail border and
// the caption rows; the foot's copyright, e-mail and extra link; the three colours. It
// loads its settings from section "WEB" when it shows and writes them back when it
// closes, whichever button closes it.
#include "documents/web/gallery_options.h"
#include "ui/colour_swatch.h"

#include <QDialog>
#include <QSpinBox>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace editor {

class ConfigFile;

// A number field of the dialog: its arrows stay within its range, but any number of up to
// `digits` digits can be typed; leaving the field puts its value back into the range, and
// a field left empty takes its minimum.
class WebNumberField : public QSpinBox {
    Q_OBJECT
public:
    WebNumberField(int minimum, int maximum, int digits, QWidget *parent = nullptr);
    int minimumValue() const { return m_minimum; }
    int maximumValue() const { return m_maximum; }
    // Shows `value` brought into the range.
    void setClampedValue(int value);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &text, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_minimum;
    int m_maximum;
};

class TFormWeb : public QDialog {
    Q_OBJECT
public:
    // Asks for the HTML file to write; nothing when the user gives up.
    using FileChooser = std::function<std::optional<QString>(QWidget *parent)>;
    static std::optional<QString> chooseWithDialog(QWidget *parent);

    TFormWeb(ConfigFile &config, QWidget *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setColourChooser(const ui::ColourSwatch::ColourChooser &chooser);

    // The chosen HTML file (full path), empty when none was chosen.
    QString fileName() const;
    // The choices as the fields hold them (numbers as typed: the gallery lays them out).
    webgallery::GalleryOptions options() const;
    void setOptions(const webgallery::GalleryOptions &options);

    QLineEdit *EditNom, *EditTitre, *EditCopyright, *EditEMail, *EditTextURL, *EditURL;
    QToolButton *SpeedB_Open;
    WebNumberField *SpinCol, *SpinLine, *SpinBord;
    QCheckBox *CheckBordVignette, *CheckComment;
    ui::ColourSwatch *PanelColorF, *PanelColorT, *PanelColorL;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void buildLayout();
    void SpeedB_OpenClick();

    ConfigFile &m_config;
    FileChooser m_chooseFile = &TFormWeb::chooseWithDialog;
    bool m_loaded = false;
};

} // namespace editor
