#include "editor/albums/form_search.h"

#include "documents/album/album_search.h"
#include "editor/albums/album_images.h"
#include "editor/grid/thumbnail_grid.h"
#include "editor/shell/help.h"
#include "ui/dialog_buttons.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace editor {

namespace {

constexpr int kKeywordLength = 20;

// An enabled field in the window colour, a disabled one in the button-face colour.
void setFieldActive(QWidget *field, bool active)
{
    field->setEnabled(active);
    const QPalette standard = QApplication::palette(field);
    QPalette palette = field->palette();
    const QColor colour = standard.color(active ? QPalette::Base : QPalette::Button);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    field->setPalette(palette);
}

} // namespace

TFormSearch::TFormSearch(const QStringList &keywords, AlbumImages &images, ThumbnailGrid &grid, QWidget *parent)
    : QDialog(parent), CheckMotCles(new QCheckBox(QStringLiteral("Rechercher par mots clés"), this)),
      ComboCle(new QComboBox(this)), CheckChamps(new QCheckBox(QStringLiteral("Rechercher dans tous les champs"), this)),
      EditChamp(new QLineEdit(this)), CheckOcc(new QCheckBox(QStringLiteral("Rechercher l'occurrence exacte"), this)),
      ListImages(new QListWidget(this)), m_images(images), m_grid(grid)
{
    setObjectName(QStringLiteral("TFormSearch"));
    setWindowTitle(QStringLiteral("Rechercher des images"));
    CheckMotCles->setObjectName(QStringLiteral("CheckMotCles"));
    CheckChamps->setObjectName(QStringLiteral("CheckChamps"));
    CheckOcc->setObjectName(QStringLiteral("CheckOcc"));
    ComboCle->setObjectName(QStringLiteral("ComboCle"));
    ComboCle->setEditable(true);
    ComboCle->setInsertPolicy(QComboBox::NoInsert);
    ComboCle->lineEdit()->setMaxLength(kKeywordLength);
    ComboCle->addItems(keywords); // already in the sorted order of the known keywords
    ComboCle->setEditText(QString());
    EditChamp->setObjectName(QStringLiteral("EditChamp"));
    ListImages->setObjectName(QStringLiteral("ListImages"));
    ListImages->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    const auto buttons = ui::makeDialogButtons(this, [] { ShowHelpTopic(QStringLiteral("search.htm")); },
                                               {.ok = QStringLiteral("&Rechercher"), .cancel = QStringLiteral("&Fermer")});
    ButtonSerach = buttons.ok;
    ButtonHelp = buttons.help;
    ButtonCancel = buttons.cancel;
    ButtonSerach->setObjectName(QStringLiteral("ButtonSerach"));
    ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    disconnect(ButtonSerach, &QPushButton::clicked, this, &QDialog::accept); // it searches, it does not close
    connect(ButtonSerach, &QPushButton::clicked, this, &TFormSearch::ButtonSerachClick);

    // The pair: checking one unchecks the other, unchecking one checks the other.
    connect(CheckMotCles, &QCheckBox::toggled, this, [this](bool on) { setKeywordMode(on); });
    connect(CheckChamps, &QCheckBox::toggled, this, [this](bool on) { setKeywordMode(!on); });

    auto *layout = new QGridLayout(this);
    layout->addWidget(CheckMotCles, 0, 0);
    layout->addWidget(ComboCle, 1, 0);
    layout->addWidget(CheckChamps, 2, 0);
    layout->addWidget(EditChamp, 3, 0);
    layout->addWidget(CheckOcc, 4, 0);
    layout->addWidget(new QLabel(QStringLiteral("Images trouvées"), this), 5, 0);
    layout->addWidget(ListImages, 6, 0);
    layout->addLayout(buttons.layout, 7, 0);
    resize(460, 420);

    // On showing: keyword mode.
    setKeywordMode(true);
}

void TFormSearch::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (keywordMode())
        ComboCle->setFocus();
    else
        EditChamp->setFocus();
}

bool TFormSearch::keywordMode() const
{
    return CheckMotCles->isChecked();
}

void TFormSearch::setKeywordMode(bool on)
{
    const QSignalBlocker keyword(CheckMotCles);
    const QSignalBlocker fields(CheckChamps);
    CheckMotCles->setChecked(on);
    CheckChamps->setChecked(!on);
    if (on)
        EditChamp->clear();
    else
        ComboCle->setEditText(QString());
    setFieldActive(ComboCle, on);
    setFieldActive(EditChamp, !on);
}

void TFormSearch::ButtonSerachClick()
{
    ListImages->clear();
    m_grid.DeselectAll();
    album::SearchQuery query;
    query.exact = CheckOcc->isChecked();
    if (CheckMotCles->isChecked() && !ComboCle->currentText().trimmed().isEmpty()) {
        query.mode = album::SearchMode::Keyword;
        query.text = ComboCle->currentText();
    } else if (CheckChamps->isChecked() && !EditChamp->text().trimmed().isEmpty()) {
        query.mode = album::SearchMode::AllFields;
        query.text = EditChamp->text();
    }
    const QStringList paths = album::pathsOf(m_images.items(), album::searchAlbum(m_images.items(), query));
    showResults(paths);
    for (int index : album::entriesWithPaths(m_images.items(), paths))
        m_grid.SetSelected(index, true);
}

// Every line is as wide as the widest plus 20 pixels, so long paths scroll into view.
void TFormSearch::showResults(const QStringList &paths)
{
    ListImages->addItems(paths);
    int widest = 0;
    const QFontMetrics metrics(ListImages->font());
    for (const QString &path : paths)
        widest = std::max(widest, metrics.horizontalAdvance(path));
    for (int i = 0; i < ListImages->count(); ++i)
        ListImages->item(i)->setSizeHint(QSize(widest + 20, metrics.height() + 2));
}

} // namespace editor
