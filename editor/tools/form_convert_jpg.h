#pragma once
// TFormConvertJpg, "Convertir des images au format JPEG": the quality and the destination
// folder of the batch conversion. Nothing of it is kept between uses.
#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;
class QToolButton;

namespace editor {

class TFormConvertJpg : public QDialog {
    Q_OBJECT
public:
    // `folder`: the explorer's current folder, the first destination.
    TFormConvertJpg(const QStringList &files, const QString &folder, QWidget *parent = nullptr);

    int quality() const; // TrackJpg's position x 10
    QString folder() const;

    // The folder chooser behind SpeedBDir; it returns an empty text when the user leaves it.
    std::function<QString()> chooseFolder;

    QListWidget *ListFile;
    QSlider *TrackJpg;
    QLabel *LabelJpg;
    QLineEdit *EditDir;
    QToolButton *SpeedBDir;

private:
    void TrackJpgChange();
};

} // namespace editor
