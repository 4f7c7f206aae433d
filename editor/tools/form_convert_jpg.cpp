#include "editor/tools/form_convert_jpg.h"

#include "editor/shell/help.h"
#include "editor/tools/form_redim.h"
#include "ui/dialog_buttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

TFormConvertJpg::TFormConvertJpg(const QStringList &files, const QString &folder, QWidget *parent)
    : QDialog(parent), ListFile(new QListWidget(this)), TrackJpg(new QSlider(Qt::Horizontal, this)),
      LabelJpg(new QLabel(this)), EditDir(new QLineEdit(folder, this)), SpeedBDir(new QToolButton(this))
{
    setObjectName(QStringLiteral("TFormConvertJpg"));
    setWindowTitle(QStringLiteral("Convertir des images au format JPEG"));
    ListFile->setObjectName(QStringLiteral("ListFile"));
    ListFile->addItems(files);
    ListFile->setMinimumSize(420, 110);
    TrackJpg->setObjectName(QStringLiteral("TrackJpg"));
    TrackJpg->setRange(1, 10);
    TrackJpg->setPageStep(1);
    TrackJpg->setTickPosition(QSlider::TicksBelow);
    TrackJpg->setValue(10);
    LabelJpg->setObjectName(QStringLiteral("LabelJpg"));
    EditDir->setObjectName(QStringLiteral("EditDir"));
    EditDir->setReadOnly(true);
    SpeedBDir->setObjectName(QStringLiteral("SpeedBDir"));
    SpeedBDir->setText(QStringLiteral("..."));
    SpeedBDir->setStatusTip(QStringLiteral("Sélectionner un dossier"));
    chooseFolder = [this] { return chooseDestinationFolder(this, EditDir->text()); };

    auto *qualityRow = new QHBoxLayout;
    qualityRow->addWidget(TrackJpg, 1);
    qualityRow->addWidget(LabelJpg);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(EditDir, 1);
    folderRow->addWidget(SpeedBDir);
    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("convertjpg.htm")); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Images à convertir en JPG"), this));
    layout->addWidget(ListFile);
    layout->addWidget(new QLabel(QStringLiteral("Sélectionner le niveau de qualité des images"), this));
    layout->addLayout(qualityRow);
    layout->addWidget(new QLabel(QStringLiteral("Copier les images dans ce dossier"), this));
    layout->addLayout(folderRow);
    layout->addLayout(buttons.layout);

    connect(TrackJpg, &QSlider::valueChanged, this, &TFormConvertJpg::TrackJpgChange);
    connect(SpeedBDir, &QToolButton::clicked, this, [this] {
        const QString chosen = chooseFolder ? chooseFolder() : QString();
        if (!chosen.isEmpty())
            EditDir->setText(withTrailingSeparator(chosen));
    });
    TrackJpgChange();
}

int TFormConvertJpg::quality() const
{
    return TrackJpg->value() * 10;
}

QString TFormConvertJpg::folder() const
{
    return EditDir->text();
}

void TFormConvertJpg::TrackJpgChange()
{
    LabelJpg->setText(QStringLiteral("Qualité %1 %").arg(quality()));
}

} // namespace editor
