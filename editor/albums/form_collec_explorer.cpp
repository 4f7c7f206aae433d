#include "editor/albums/form_collec_explorer.h"

#include "base/path_identity.h"
#include "documents/album/album_folder.h"
#include "editor/shell/help.h"
#include "ui/busy_cursor.h"
#include "ui/dialog_buttons.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

namespace {

constexpr QRgb kLineGrey = 0xFF808080;

} // namespace

void AlbumItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(r, toQColor(selected ? m_selectionColour : m_listColour));
    const QImage preview = index.data(kPreviewRole).value<QImage>();
    int textLeft = r.left() + 2;
    if (!preview.isNull()) {
        painter->drawImage(QPoint(r.left() + 2, r.top() + 2), preview);
        textLeft = r.left() + preview.width() + 7;
    }
    painter->setPen(selected ? Qt::white : Qt::black);
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    painter->setFont(font);
    const QFontMetrics bold(font);
    painter->drawText(QPoint(textLeft, r.top() + 40 + bold.ascent()), index.data(Qt::DisplayRole).toString());
    font.setBold(false);
    painter->setFont(font);
    const QFontMetrics regular(font);
    painter->drawText(QPoint(textLeft, r.top() + 55 + regular.ascent()),
                      QStringLiteral("- %1 photos").arg(index.data(kPhotoCountRole).toInt()));
    painter->setPen(QColor::fromRgb(kLineGrey));
    painter->drawLine(r.left() + 1, r.bottom(), r.right() - 1, r.bottom());
    painter->restore();
}

QSize AlbumItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), TFormCollecExplorer::kItemHeight};
}

TFormCollecExplorer::TFormCollecExplorer(const QString &albumFolder, Colour listColour, Colour selectionColour,
                                         Hooks hooks, QWidget *parent)
    : QDialog(parent), ListCollec(new QListWidget(this)), m_folder(albumFolder), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("TFormCollecExplorer"));
    setWindowTitle(QStringLiteral("Explorateur d'albums"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    ListCollec->setObjectName(QStringLiteral("ListCollec"));
    ListCollec->setItemDelegate(new AlbumItemDelegate(listColour, selectionColour, ListCollec));
    ListCollec->setUniformItemSizes(true);
    QPalette palette = ListCollec->palette();
    palette.setColor(QPalette::Base, toQColor(listColour));
    ListCollec->setPalette(palette);
    QFont bold = ListCollec->font();
    bold.setBold(true);
    ListCollec->setFont(bold);

    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("exploreralbum.htm")); },
                                               {.ok = QStringLiteral("&Ouvrir"), .cancel = QStringLiteral("&Fermer")});
    ButtonOuvrir = buttons.ok;
    ButtonAide = buttons.help;
    ButtonFermer = buttons.cancel;
    ButtonOuvrir->setObjectName(QStringLiteral("ButtonOuvrir"));
    ButtonFermer->setObjectName(QStringLiteral("ButtonFermer"));
    ButtonSupprimer = new QPushButton(QStringLiteral("&Supprimer"), this);
    ButtonSupprimer->setObjectName(QStringLiteral("ButtonSupprimer"));
    ButtonSupprimer->setAutoDefault(false);
    disconnect(ButtonOuvrir, &QPushButton::clicked, this, &QDialog::accept); // opening keeps the explorer
    connect(ButtonOuvrir, &QPushButton::clicked, this, &TFormCollecExplorer::ButtonOuvrirClick);
    connect(ButtonSupprimer, &QPushButton::clicked, this, &TFormCollecExplorer::ButtonSupprimerClick);
    connect(ListCollec, &QListWidget::itemDoubleClicked, this, &TFormCollecExplorer::ButtonOuvrirClick);
    connect(ListCollec, &QListWidget::itemSelectionChanged, this, &TFormCollecExplorer::updateButtons);

    // The buttons stand in a column at the right of the list.
    auto *column = new QVBoxLayout;
    for (QPushButton *button : {ButtonOuvrir, ButtonSupprimer, ButtonAide, ButtonFermer})
        column->addWidget(button);
    column->addStretch(1);
    delete buttons.layout;
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ListCollec, 1);
    layout->addLayout(column);
    resize(420, 440);

    FillList();
}

void TFormCollecExplorer::FillList()
{
    {
        ui::BusyCursor busy;
        ListCollec->clear();
        for (const QString &file : album::albumFilesIn(m_folder)) {
            const auto summary = album::readAlbumSummary(file);
            if (!summary)
                continue;
            auto *item = new QListWidgetItem(summary->name, ListCollec);
            item->setData(kPhotoCountRole, summary->photoCount);
            item->setData(kPreviewRole, album::withSilverTransparent(summary->preview));
            QCoreApplication::processEvents();
        }
        if (ListCollec->count() > 0)
            ListCollec->setCurrentRow(0);
    }
    updateButtons();
}

void TFormCollecExplorer::updateButtons()
{
    const bool selected = !ListCollec->selectedItems().isEmpty();
    ButtonOuvrir->setEnabled(selected);
    ButtonSupprimer->setEnabled(selected);
}

QString TFormCollecExplorer::selectedAlbumPath() const
{
    const QList<QListWidgetItem *> selected = ListCollec->selectedItems();
    if (selected.isEmpty())
        return {};
    return album::albumPathInFolder(m_folder, selected.first()->text());
}

void TFormCollecExplorer::ButtonOuvrirClick()
{
    const QString path = selectedAlbumPath();
    if (!path.isEmpty() && m_hooks.open)
        m_hooks.open(path);
}

void TFormCollecExplorer::ButtonSupprimerClick()
{
    const QString path = selectedAlbumPath();
    if (path.isEmpty() || !QFile::exists(path))
        return;
    const QString openAlbum = m_hooks.openAlbumPath ? m_hooks.openAlbumPath() : QString();
    if (!openAlbum.isEmpty() && samePath(path, openAlbum)) {
        messages::information(QStringLiteral("l'album doit être fermé avant de pouvoir être supprimé."));
        return;
    }
    const QString name = ListCollec->selectedItems().first()->text();
    if (messages::confirm(QStringLiteral("Supprimer définitivement l'album\n< %1 > ?").arg(name),
                          messages::Buttons::YesCancel) != messages::Answer::Yes)
        return;
    if (!QFile::remove(path)) {
        messages::warning(QStringLiteral("Impossible de supprimer le fichier"));
        return;
    }
    FillList();
}

} // namespace editor
